// The text forms in which the settings stores keep values a profile line
// cannot hold as they are.
//
// Hex block (ini_store family): eight upper-case hexadecimal digits giving
// the byte count, most significant first, then two digits per byte, high
// nibble first; written in upper case, the byte digits read in either case.
//
// Checked hex block (ini_store2 family): four hexadecimal digits giving the
// length of the whole text (2n + 4 for n bytes), least significant nibble
// first, then each byte as two digits, low nibble first; upper case only.
//
// Escaped text (ini_store2 family): '\' is written "\\"; control and white
// space characters are written '\' and four upper-case hexadecimal digits:
// the low byte (high nibble first), then the high byte. A blank becomes
// "\2000", a tab "\0900".
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "platform/win/CString.h"
#include "platform/win/WinTypes.h"

// The largest blocks the two forms can be read back with.
inline constexpr std::size_t hexBlockMax = 32767;
inline constexpr std::size_t checkedHexBlockMax = 32765;

// The hex block of `bytes` (any size; the caller refuses what cannot be read).
CString encodeHexBlock(std::span<const BYTE> bytes);

// Decodes a hex block: the count digits must be upper case, the count at
// most hexBlockMax and the text exactly 2n + 8 long. `bytes` is set only on
// success.
bool decodeHexBlock(std::u16string_view text, std::vector<BYTE>& bytes);

// The checked hex block of at most checkedHexBlockMax bytes.
CString encodeCheckedHexBlock(std::span<const BYTE> bytes);

// Decodes a checked hex block: the length field must equal the text's
// length. `bytes` is set only on success.
bool decodeCheckedHexBlock(std::u16string_view text, std::vector<BYTE>& bytes);

// Escapes a text for a profile line. A quote at the start is escaped too,
// so that the profile reader never takes a pair of quotes off the value.
CString escapeProfileText(std::u16string_view text);

// Undoes escapeProfileText: "\\" gives '\'; '\' and up to four hexadecimal
// digits (either case; ending early at a non-digit or the end of the text)
// give one character, the first two digits its low byte and the next two its
// high byte; a '\' followed by neither is kept as it is.
CString unescapeProfileText(std::u16string_view text);
