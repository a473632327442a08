// The texts of a block insertion: three texts, a position, a list of values
// and a list of lines; and the pointer array that owns such records.
#pragma once

#include "geometry/hvArray.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/win/CString.h"
#include "platform/win/FrameworkArrays.h"

#include <cstdint>

struct insertTextRec {
  CString texts[3];
  XtGePoint2d position;
  hvArray<std::int64_t> values{0, 8};
  CStringArray lines;
};

struct ownedRecArray {
  // Destroys and frees every record of the array (null entries are
  // skipped), then empties it.
  static void clear(hvArray<insertTextRec*>& records);
};
