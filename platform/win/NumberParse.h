// Number parsing of UTF-16 text in the "C" locale (decimal point '.'),
// whatever locale the process runs in. Leading white space is skipped and
// parsing stops at the first character that cannot continue the number, so
// "1,5" reads 1. `long` is 32 bits wide on Windows, so the integer readers
// answer LONG and clamp to its range (errno ERANGE), as there.
#pragma once

#include "platform/win/WinTypes.h"

// The C library's wide readers must be declared before the overloads below,
// so that the standard library's own uses of std::wcstod and std::wcstol see
// only those.
#include <clocale>
#include <cwchar>
#include <locale.h>
#include <string>

// Reads a floating-point number (decimal, hexadecimal, "inf", "nan").
// *end, when given, receives the unit after the number, or `text` itself
// when there is none. Overflow answers ±HUGE_VAL with errno ERANGE.
double wcstod(LPCWSTR text, WCHAR** end);

// Reads an integer in `base` (0 or 2-36; 0 accepts "0x" and "0" prefixes).
LONG wcstol(LPCWSTR text, WCHAR** end, int base);

// wcstod and wcstol in base 10 without the end; 0 when there is no number
// (or the text is null).
double _wtof(LPCWSTR text);
int _wtoi(LPCWSTR text);
LONG _wtol(LPCWSTR text);

// The "C" locale object the readers and the formatter use.
locale_t hvCLocale();
