#include "heating/curves/CFHBoundLoopItem.h"

#include "geometry/Tolerances.h"

#include <atomic>

namespace {

// Incremented before use: the first id is 1 and the first serial 0. Never
// reset, so ids stay unique for the life of the process.
std::atomic<int> g_lastId{0};
std::atomic<int> g_lastSerial{-1};

}  // namespace

CFloorHeatingCurve::Ptr cloneBoundaryCurve(const CFloorHeatingCurve& curve) {
  CFloorHeatingCurve::Ptr clone = curve.extendedCopyAt(curve.midPoint(), 0.0);
  if (clone) clone->setSource(nullptr);
  return clone;
}

CFHBoundLoopItem::CFHBoundLoopItem(CFloorHeatingCurve::Ptr curve) : CLoopElement(curve.release(), true) {}

CFHBoundLoopItem::CFHBoundLoopItem(const CFloorHeatingCurve& curve)
    : CLoopElement(cloneBoundaryCurve(curve).release(), true) {}

CFHBoundLoopItem::CFHBoundLoopItem(const CFHBoundLoopItem& other)
    : CLoopElement(other.curve != nullptr ? cloneBoundaryCurve(*other.curve).release() : nullptr, true),
      value(other.value),
      id(other.id),
      serial(other.serial) {}

CFHBoundLoopItem::~CFHBoundLoopItem() { releaseSources(); }

void CFHBoundLoopItem::assignId() { id = g_lastId.fetch_add(1, std::memory_order_relaxed) + 1; }

void CFHBoundLoopItem::assignSerial() { serial = g_lastSerial.fetch_add(1, std::memory_order_relaxed) + 1; }

void CFHBoundLoopItem::releaseSources() {
  for (CFloorHeatingCurve* source : sources) delete source;
  sources.clear();
}

bool CFHBoundLoopItem::mergeWith(const CFHBoundLoopItem& other) {
  if (curve == nullptr || other.curve == nullptr || &other == this) return false;
  const XtGePoint2d a0 = curve->startPoint();
  const XtGePoint2d a1 = curve->endPoint();
  const XtGePoint2d b0 = other.curve->startPoint();
  const XtGePoint2d b1 = other.curve->endPoint();
  XtGePoint2d from;
  XtGePoint2d to;
  if (a1.isEqualTo(b0, workTol)) {
    from = a0;
    to = b1;
  } else if (a0.isEqualTo(b0, workTol)) {
    from = a1;
    to = b1;
  } else if (a0.isEqualTo(b1, workTol)) {
    from = b0;
    to = a1;
  } else if (a1.isEqualTo(b1, workTol)) {
    from = a0;
    to = b0;
  } else {
    return false;
  }
  // The clones are made before anything changes, so that a failing
  // allocation leaves both items as they were.
  std::vector<CFloorHeatingCurve::Ptr> added;
  if (sources.empty()) added.push_back(cloneBoundaryCurve(*curve));
  if (other.sources.empty()) {
    added.push_back(cloneBoundaryCurve(*other.curve));
  } else {
    for (const CFloorHeatingCurve* source : other.sources)
      if (source != nullptr) added.push_back(cloneBoundaryCurve(*source));
  }
  sources.reserve(sources.size() + added.size());
  for (CFloorHeatingCurve::Ptr& clone : added)
    if (clone) sources.push_back(clone.release());
  curve->setEndPoints(from, to);
  return true;
}
