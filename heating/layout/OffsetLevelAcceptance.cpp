#include "heating/layout/OffsetLevelAcceptance.h"

#include "heating/layout/COffsetLoop.h"

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

bool isLoopInsideLoop(const CLoop& outer, const CLoop& loop, double h, const XtGeTol& tol) {
  return OffsetLevelAcceptance(outer, h, tol).accepts(loop);
}

bool acceptLoopInLevel(const std::vector<COffsetLoop*>& previous, const CLoop& loop, double h, const XtGeTol& tol) {
  return OffsetLevelAcceptance(previous, h, tol).accepts(loop);
}
