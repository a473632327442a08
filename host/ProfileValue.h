// Reading one value of a private profile file exactly: present (with its
// text, however long) or absent. The profile service only answers a default
// for a missing key, so a value that happens to equal the default marker
// ("$EMPTY$", "#INVALID#") is told apart by a second read with another
// default.
#pragma once

#include "platform/win/CString.h"
#include "platform/win/WinTypes.h"

// The longest value read (in UTF-16 units); a longer one reads as absent
// rather than cut short.
inline constexpr DWORD hvProfileValueMax = 1u << 24;

// True with the value when `key` of `section` exists in `file`; false (and
// `value` unchanged) when the file, section or key is missing, when any of
// the names is null or empty, or when the value is longer than
// hvProfileValueMax.
bool readProfileValue(LPCWSTR file, LPCWSTR section, LPCWSTR key, CString& value);

// True when none of the texts is null or empty.
inline bool hasProfileNames(LPCWSTR file, LPCWSTR section, LPCWSTR key) {
  return file && *file && section && *section && key && *key;
}
