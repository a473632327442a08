// Plain lines of a formatted (MTEXT) text: the formatting codes resolved as
// far as the measuring of text boxes needs them.
//
// Pure functions on the caller's text; nothing keeps state, so they may run
// on any thread.
#pragma once

#include <string>

#include "platform/win/CString.h"

// Rewrites `text` as its plain lines, each line ended by a zero unit but the
// last. Braces are dropped. After a backslash: "\U" stays as it is (with
// its backslash, so that "\U+xxxx" escapes pass through), "\\", "\{" and
// "\}" give the character alone, "\L" and "\l" set `underline`, "\N" and
// "\P" end a line. Any other code runs from its letter to the next ';' and
// is dropped: "\W<factor>;" sets *widthFactor (when given), "\pxql;",
// "\pxqc;" and "\pxqr;" set `alignment` to 0, 1 and 2. A code without its
// ';', or a backslash that ends the text, ends the scan there.
// `lineCount` is the number of lines (at least 1); `alignment` stays -1,
// `underline` false and *widthFactor 1.0 when no code sets them.
void parseMTextFormat(std::u16string& text, int& lineCount, int& alignment, bool& underline, double* widthFactor);

// The plain text of a formatted text, its lines separated by line feeds
// (parseMTextFormat); *widthFactor (when given) receives its width factor.
void splitTextLines(std::u16string_view text, CString& out, double* widthFactor);
