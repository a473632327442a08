// Case-insensitive comparisons of UTF-16 text. `_wcsicmp` folds A-Z only, as
// the C run time does in the "C" locale; `lstrcmpiW` also folds the accented
// letters of code page 1250 (Czech included).
#pragma once

#include "platform/win/WinTypes.h"

#include <string_view>

// The value _wcsicmp answers for a null argument.
constexpr int HV_NLSCMPERROR = 0x7FFFFFFF;

// A-Z to a-z; every other unit unchanged.
char16_t hvFoldAscii(char16_t unit);

// Upper-case letters of Latin-1 and Latin Extended-A (which hold every
// letter of code page 1250) to their lower-case forms; other units unchanged.
char16_t hvFoldLetters(char16_t unit);

// Compares after folding with hvFoldAscii: <0, 0 or >0. Null arguments
// answer HV_NLSCMPERROR.
int _wcsicmp(LPCWSTR a, LPCWSTR b);
int _wcsnicmp(LPCWSTR a, LPCWSTR b, std::size_t count);

// Compares after folding with hvFoldLetters: -1, 0 or 1. A null string sorts
// before any other and equals another null.
int lstrcmpiW(LPCWSTR a, LPCWSTR b);

// The same two comparisons on string views (embedded zeros compare as units).
int hvCompareNoCaseAscii(std::u16string_view a, std::u16string_view b);
int hvCompareNoCaseLetters(std::u16string_view a, std::u16string_view b);
