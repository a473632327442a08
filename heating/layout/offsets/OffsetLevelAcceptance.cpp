#include "heating/layout/offsets/OffsetLevelAcceptance.h"

#include "heating/layout/offsets/COffsetLoop.h"

#include <cmath>

OffsetLevelAcceptance::OffsetLevelAcceptance(const std::vector<COffsetLoop*>& previous, double h,
                                             const XtGeTol& tol)
    : h_(h), tol_(tol) {
  outers_.reserve(previous.size());
  for (const COffsetLoop* loop : previous) {
    if (loop == nullptr) continue;
    Outer& outer = outers_.emplace_back(Outer{loop, {}, false});
    outer.indexed = outer.index.build(*loop, tol);
  }
}

OffsetLevelAcceptance::OffsetLevelAcceptance(const CLoop& outer, double h, const XtGeTol& tol) : h_(h), tol_(tol) {
  Outer& entry = outers_.emplace_back(Outer{&outer, {}, false});
  entry.indexed = entry.index.build(outer, tol);
}

bool OffsetLevelAcceptance::inside(const Outer& outer) const {
  for (const LoopSample& sample : samples_) {
    const int position =
        outer.indexed ? outer.index.classify(sample.point) : outer.loop->classifyPoint(sample.point, tol_);
    if (position != CLoop::kInside) return false;
  }
  return true;
}

bool OffsetLevelAcceptance::accepts(const CLoop& loop) {
  if (outers_.empty() || 10.0 * tol_.equalPoint() > h_) return false;
  if (!sampleLoopPositions(loop, true, h_, samples_, tol_)) return false;
  for (const Outer& outer : outers_)
    if (inside(outer)) return true;
  return false;
}

bool OffsetLevelAcceptance::acceptsClearLoop(const CLoop& loop) const {
  if (outers_.empty() || 10.0 * tol_.equalPoint() > h_) return false;
  // The refusals of sampleLoopPositions.
  if (loop.elementCount() == 0 || !(h_ > 0.0) || !std::isfinite(h_) || loop.elementWithCurve(0) == nullptr)
    return false;
  const XtGePoint2d& start = loop.elements.front()->startPoint();
  for (const Outer& outer : outers_) {
    const int position = outer.indexed ? outer.index.classify(start) : outer.loop->classifyPoint(start, tol_);
    if (position == CLoop::kInside) return true;
  }
  return false;
}

bool OffsetLevelAcceptance::indexes(std::vector<const LoopContainment*>& out) const {
  out.clear();
  for (const Outer& outer : outers_) {
    if (!outer.indexed) {
      out.clear();
      return false;
    }
    out.push_back(&outer.index);
  }
  return true;
}

bool isLoopInsideLoop(const CLoop& outer, const CLoop& loop, double h, const XtGeTol& tol) {
  return OffsetLevelAcceptance(outer, h, tol).accepts(loop);
}

bool acceptLoopInLevel(const std::vector<COffsetLoop*>& previous, const CLoop& loop, double h, const XtGeTol& tol) {
  return OffsetLevelAcceptance(previous, h, tol).accepts(loop);
}
