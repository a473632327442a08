// Warnings and errors of the module: a message box with a text of the
// module's string table, owned by the host's main window.
#pragma once

#include "platform/win/CString.h"
#include "platform/win/WinTypes.h"

// Shows the string-table text `textId` with the narrow caption (code page 1250
// with escapes; null: the system's caption) and the message-box flags, owned by
// the host's main window (word 20 of the application's "GetExport2D" table)
// when the host gives one. Answers the button the user chose.
int messageBoxRes(const char* caption, UINT textId, UINT flags);

// The same with a text of its own.
int messageBoxText(const char* caption, const CString& text, UINT flags);

// The same with the text's "%s" replaced by `argument`.
int messageBoxResFormat(const char* caption, UINT textId, UINT flags, const char16_t* argument);
