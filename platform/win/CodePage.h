// Narrow text in code page 1250 (the ANSI code page of a Czech Windows) and
// the two system conversions between narrow and UTF-16 text. Code page 1250,
// CP_ACP (taken as 1250) and CP_UTF8 are supported; any other code page fails
// with ERROR_INVALID_PARAMETER.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>
#include <string_view>

constexpr DWORD MB_PRECOMPOSED = 0x1;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x8;
constexpr DWORD WC_ERR_INVALID_CHARS = 0x80;

// Converts `inBytes` bytes of `in` (-1: up to and including the terminator)
// into `out`, which holds `outUnits` units. With `outUnits` 0 only the needed
// size is returned. Returns the number of units written, or 0 on failure with
// the reason in GetLastError (ERROR_INSUFFICIENT_BUFFER, ERROR_INVALID_PARAMETER,
// ERROR_NO_UNICODE_TRANSLATION for malformed UTF-8 with MB_ERR_INVALID_CHARS).
// Every byte of code page 1250 converts: the five bytes the code page leaves
// undefined (0x81, 0x83, 0x88, 0x90, 0x98) become the control characters of
// the same value.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR in, int inBytes, LPWSTR out,
                        int outUnits);

// Converts UTF-16 into narrow text, unit by unit and without best-fit
// mapping. A unit the code page cannot hold (a surrogate half included)
// becomes `defaultChar` (null: '?') and sets *usedDefault. For CP_UTF8,
// `defaultChar` and `usedDefault` must be null, as on Windows.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR in, int inUnits, LPSTR out,
                        int outBytes, LPCSTR defaultChar, BOOL* usedDefault);

// The UTF-16 unit of one code page 1250 byte.
char16_t hvCp1250ToUnit(unsigned char byte);

// The code page 1250 byte of a UTF-16 unit, or -1 when the code page has none.
int hvCp1250FromUnit(char16_t unit);

// Whole-string forms of the two conversions for code page 1250.
std::u16string hvCp1250ToWide(std::string_view bytes);
std::string hvWideToCp1250(std::u16string_view text, bool* usedDefault = nullptr,
                           char defaultChar = '?');
