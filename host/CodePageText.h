// Narrow text exchanged with the host and the sibling modules: code page 1250,
// with every UTF-16 unit the code page cannot hold carried as an escape of a
// backslash, "U+" and four hexadecimal digits ("\U+00b2" for the superscript
// two). Escapes are written in lower case and read in either case. A text that
// itself holds "\U+" and four hexadecimal digits reads back as the escaped
// unit: that is the host's own convention.
//
// The bytes code page 1250 leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) read
// as '?', and the units of the same value are written as escapes, so every
// UTF-16 text survives a conversion there and back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/win/CString.h"
#include "platform/win/WideFormat.h"
#include "platform/win/WinTypes.h"

// Narrow text in the code page (1250 or CP_ACP; other code pages go through the
// platform's conversions) to UTF-16, decoding escapes.
std::u16string hvMbToWide(std::string_view text, UINT codePage = CP_1250);

// UTF-16 text to narrow text in the code page, escaping what it cannot hold.
std::string hvWideToMb(std::u16string_view text, UINT codePage = CP_1250);

// C-heap copies (free with free()) of a narrow code page 1250 text in UTF-16,
// and of a UTF-16 text in code page 1250 with escapes. A null text gives an
// empty string; null only when the heap is exhausted.
char16_t* hvMbDupToWide(const char* text);
char* hvWideDupToMb(const char16_t* text);

// The bounded wide printf into a buffer of 1024 UTF-16 units: answers the
// number of units written, or -1 when the format fails or the text does not fit.
inline constexpr std::size_t hvSwprintfCapacity = 1024;
template <typename... Args>
int hvSwprintf1024(WCHAR* buffer, LPCWSTR format, const Args&... args) {
  return hvSwprintf(buffer, hvSwprintfCapacity, format, args...);
}

// Expands the drawing's text control codes, ignoring case: "%%d" to '°', "%%p"
// to '±', "%%c" to 'O' (the width of the diameter sign, for counting the
// characters of a text box; not for display) and "%%u" to nothing. The result
// holds at most 4095 units; the rest of a longer text is dropped. Answers out.
inline constexpr std::size_t hvExpandedTextMax = 4095;
CString& expandTextControlCodes(CString& out, LPCWSTR text);
