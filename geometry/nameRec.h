// A named entry of the shared library's readers: a name, a text and two
// numbers (zero by default), and the copying of the names of an array of
// them.
#pragma once

#include "geometry/hvObjArray.h"
#include "platform/win/CString.h"
#include "platform/win/FrameworkArrays.h"

#include <cstdint>

struct nameRec {
  CString name;
  CString text;
  std::int64_t values[2] = {0, 0};
};

// Empties `names`, then copies into it the name of every record, in order
// (empty names included, so that an index of one array is an index of the
// other).
void copyRecordNames(const hvObjArray<nameRec>& records, CStringArray& names);
