// Reading a boundary set: an indexed array of records that each hold one
// closed composite curve (the hatch's boundary loops). The records' own
// type stays with their owner; the caller passes how to reach a record's
// composite, as classifyPointInCurveSet does for curve sets.
#pragma once

#include "platform/ge/XtGeCompositeCurve2d.h"

#include <cstddef>
#include <iterator>
#include <memory>

namespace boundarySetDetail {

template <typename Records>
std::ptrdiff_t recordCount(const Records& records) {
  if constexpr (requires { records.count(); })
    return static_cast<std::ptrdiff_t>(records.count());
  else
    return static_cast<std::ptrdiff_t>(std::size(records));
}

}  // namespace boundarySetDetail

// Record i of the set; null when i is not below the count.
template <typename Records>
auto boundaryRecordAt(const Records& records, std::ptrdiff_t i) -> decltype(&records[0]) {
  if (i < 0 || i >= boundarySetDetail::recordCount(records)) return nullptr;
  return &records[i];
}

// A copy (owned by the caller) of the composite `compositeOf(record)` of
// record i; null when i is not below the count.
template <typename Records, typename CompositeOf>
std::unique_ptr<XtGeCompositeCurve2d> copyBoundaryCurveAt(const Records& records, std::ptrdiff_t i,
                                                          CompositeOf compositeOf) {
  const auto* record = boundaryRecordAt(records, i);
  if (record == nullptr) return nullptr;
  const XtGeCompositeCurve2d& composite = compositeOf(*record);
  return std::make_unique<XtGeCompositeCurve2d>(composite);
}

// The minimum and maximum corner of the box of record i's composite. False,
// corners untouched, when i is not below the count or the composite has no
// box (no pieces).
template <typename Records, typename CompositeOf>
bool boundaryRecordCorners(const Records& records, std::ptrdiff_t i, CompositeOf compositeOf,
                           XtGePoint2d& minCorner, XtGePoint2d& maxCorner) {
  const auto* record = boundaryRecordAt(records, i);
  if (record == nullptr) return false;
  const XtGeCompositeCurve2d& composite = compositeOf(*record);
  return composite.orthoBoundBlock().getMinMaxPoints(minCorner, maxCorner);
}
