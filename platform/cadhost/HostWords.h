// The functions of the host's "GetExport2D" table and the host executable's
// other exports. They serve the current host (CadHost::current()).
#pragma once

#include <string_view>

#include "platform/cadhost/HostTables.h"
#include "platform/cadhost/JsonLine.h"
#include "platform/cadhost/ScriptedDialog.h"

namespace cadhost {

// Fills every word the host serves; word 138 only `withWord138`.
void fillHostWords(HostExport2D& table, bool withWord138);

// The export "GetExport2D"; safe from any thread.
HostExport2D* getExport2DExport();
// The export "HvRunScriptedDialog".
int runScriptedDialogExport(const char16_t* dialogName, HvDialogDriverProc driver, void* context);

// The drawing's text-style names, narrow, kept under `key` (words 59,
// slot 27); logs `line` with the count.
const char* const* textStyleNames(int key, JsonLine line, int* count);
// The text measure of word 131 and slot 28; logs `line` with the width.
void measureText(JsonLine line, const char16_t* text, const char16_t* style, double height, double widthFactor,
                 double* width, double* heightOut);

// Copies a text into a buffer of `size` units, cut to fit and terminated;
// nothing for a null buffer or a size below 1.
void copyToBuffer(std::u16string_view text, char16_t* buffer, int size);

}  // namespace cadhost
