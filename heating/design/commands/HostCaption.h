// The caption of the heating commands' message boxes.
#pragma once

#include "platform/cadhost/HostTables.h"
#include "platform/win/CString.h"

// The host's caption (word 94, narrow text) of the given table: "ERROR"
// without the table or the word, empty when the word answers no text.
CString hostCaptionOf(const HostExport2D* host);

// The same for the host's current "GetExport2D" table.
CString GetHostCaption();
