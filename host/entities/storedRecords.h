// Small records of the list code: a record array read at an index its owner
// stores (-1 and -2 meaning none), and a record of a point pair with a value.
#pragma once

#include <cstdint>
#include <span>

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGePoint3d.h"

// The record at the stored index; null for -1, -2 and every other index
// outside the array.
template <class Record>
const Record* recordAtStoredIndex(std::span<const Record> records, std::int32_t storedIndex) {
  if (storedIndex < 0 || static_cast<std::size_t>(storedIndex) >= records.size()) return nullptr;
  return &records[static_cast<std::size_t>(storedIndex)];
}

struct pointPairRecord {
  XtGePoint3d point3d;
  XtGePoint2d point2d;
  std::int16_t value = 0;
};

// Sets the record when both points are given; answers whether it did.
inline bool setPointPairRecord(pointPairRecord& record, const XtGePoint3d* point3d, const XtGePoint2d* point2d,
                               std::int16_t value) {
  if (point3d == nullptr || point2d == nullptr) return false;
  record = {*point3d, *point2d, value};
  return true;
}
