// Numbered lists and two-level reads over profile files. The files are
// those of a def_store: its primary file is the first file, its fallback
// file the second and the file of its opened pair the third; the sections
// come with each call.
#pragma once

#include <functional>
#include <memory>

#include "host/def_store.h"
#include "platform/win/CString.h"
#include "platform/win/WinTypes.h"

// readIniList's callback: (first field or null, the rest, kind 1 for a list
// entry or 2 for the single value). Answering false ends a list.
using iniListCallback = std::function<bool(LPCWSTR first, LPCWSTR rest, int kind)>;

inline constexpr DWORD iniListEntries = 0x1;  // the numbered entries prefix + "0", "1", ...
inline constexpr DWORD iniListValue = 0x2;    // the single value of `key`

// The longest value these readers take; a longer entry ends a list.
inline constexpr int iniListValueMax = 32766;

// With iniListEntries: the numbered entries prefix + n (n from 0 to 999) of
// `section` in the first of the store's files that holds entry 0; an absent
// or empty entry (or one longer than iniListValueMax) ends the list. Each
// entry is split at ';': callback(first field, the other fields joined
// without separators, 1).
// With iniListValue: `key` of `section` in the first file that holds it with
// a non-empty value: callback(null, value, 2).
// Answers the number of callbacks made.
int readIniList(const def_store& files, LPCWSTR section, LPCWSTR key, LPCWSTR prefix, DWORD flags,
                const iniListCallback& callback);

// What fillListFromProfile fills, such as a combo box: a text with an
// optional data text that the target then owns.
class profileListTarget {
 public:
  virtual ~profileListTarget() = default;
  virtual void addItem(const CString& text, std::unique_ptr<CString> data) = 0;
};

// Fills `target` with at most `count` entries: keys prefix + "_" + n in
// `section` of the first file, or, when entry 0 is not there (or is
// "NONE"), keys fallbackPrefix + n in `fallbackSection` of `fallbackFile`.
// An absent entry or "NONE" ends the list. An entry with two or more
// ';'-separated fields adds its first field with the second as data;
// otherwise the whole entry is added without data. Answers the number added.
int fillListFromProfile(const def_store& files, LPCWSTR section, LPCWSTR fallbackSection, LPCWSTR prefix,
                        LPCWSTR fallbackPrefix, profileListTarget& target, int count, LPCWSTR fallbackFile);

// The integer of key1 in section1 of the first file when that value is
// present and not empty (its leading decimal integer, 0 when it has none),
// else that of key2 in section2 of the second file, else `defaultValue`. A
// stored -1 is a value like any other.
int getProfileIntWithFallback(const def_store& files, LPCWSTR section1, LPCWSTR section2, LPCWSTR key1,
                              LPCWSTR key2, int defaultValue);

// The text of key1 in section1 of the first file; when it is absent or
// "NONE" (in any case), that of key2 in section2 of the second file, and
// when that is absent too, `defaultValue`. An empty text assigns nothing.
// Answers whether `out` was assigned.
bool getProfileStringWithFallback(const def_store& files, LPCWSTR section1, LPCWSTR section2, LPCWSTR key1,
                                  LPCWSTR key2, LPCWSTR defaultValue, CString& out);

// Writes the value into the first file.
bool writeIniString(const def_store& files, LPCWSTR section, LPCWSTR key, LPCWSTR value);
