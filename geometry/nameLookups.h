// Lookups of names in the shared library's arrays: the index of the first
// entry whose name matches, -1 when none does (and for a null name), and the
// arrowhead table of the dimension and leader styles.
//
// Pure functions over arrays the caller owns; any thread.
#pragma once

#include <cstdint>

#include "geometry/hvArray.h"
#include "geometry/hvObjArray.h"
#include "geometry/nameRec.h"
#include "geometry/smallRecords.h"
#include "platform/win/FrameworkArrays.h"

// The first entry equal to `name` by _wcsicmp; null entries are passed over.
int findNameNoCase(const hvArray<const char16_t*>& names, const char16_t* name);
int findNameNoCase(const CStringArray& names, const char16_t* name);

// The first record whose name (`byText` false) or text (`byText` true)
// equals `name` by lstrcmpiW.
int findNameRec(const hvObjArray<nameRec>& records, const char16_t* name, bool byText);

// The first record of a pointer list (null entries passed over) matching
// `name` by lstrcmpiW: with `byLabel`, its second text or, when it has one,
// its first; without, its third text.
int findTextTriple(const hvArray<textTriple*>& records, const char16_t* name, bool byLabel);

// The first record whose 16-bit `id` field equals `id`.
template <typename Records>
int findRecordById(const Records& records, std::uint16_t id) {
  int index = 0;
  for (const auto& record : records) {
    if (static_cast<std::uint16_t>(record.id) == id) return index;
    ++index;
  }
  return -1;
}

// The number of names in the arrowhead table.
inline constexpr int arrowheadCount = 20;

// The position of an arrowhead block name in the table ".", "_CLOSEDBLANK",
// "_CLOSED", "_DOT", "_ARCHTICK", "_OBLIQUE", "_OPEN", "_ORIGIN",
// "_ORIGIN2", "_OPEN90", "_Open30", "_DotSmall", "_DotBlank", "_Small",
// "_BOXBLANK", "_BOXFILLED", "_DATUMBLANK", "_DATUMFILLED", "_INTEGRAL",
// "_NONE" (without regard to case); arrowheadCount (20) for a null name or
// one not in it.
int arrowheadIndex(const char16_t* name);
