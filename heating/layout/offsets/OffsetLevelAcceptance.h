// Whether a loop of a new offset level lies inside a loop of the level
// before: the test that drops the contours of a level's joined polygon that
// stick out of the zone that is left.
//
// A loop is inside another when every sample of it, taken every h of length
// from its start vertex (sampleLoopPositions, forward), lies strictly inside
// the other (CLoop::classifyPoint; straight loops are indexed once and asked
// through LoopContainment, with the same answers).
//
// Threads: no shared state; each acceptance object is used by one thread.
#pragma once

#include "heating/layout/offsets/LoopContainment.h"
#include "heating/layout/offsets/LoopSampling.h"

#include <memory>
#include <vector>

class COffsetLoop;

// False when 10 x the tolerance's point value exceeds h, when the loop
// cannot be sampled, or at the first sample not inside the outer loop.
bool isLoopInsideLoop(const CLoop& outer, const CLoop& loop, double h, const XtGeTol& tol);
// Whether some loop of the previous level holds the loop (isLoopInsideLoop,
// tried in order; the first that holds it decides). An empty previous level
// accepts nothing.
bool acceptLoopInLevel(const std::vector<COffsetLoop*>& previous, const CLoop& loop, double h, const XtGeTol& tol);

// The same test for many loops against one previous level: the previous
// loops are indexed once and the sample buffer is reused.
class OffsetLevelAcceptance {
 public:
  // The level is only read, and must outlive this object.
  OffsetLevelAcceptance(const std::vector<COffsetLoop*>& previous, double h, const XtGeTol& tol);
  OffsetLevelAcceptance(const CLoop& outer, double h, const XtGeTol& tol);
  bool accepts(const CLoop& loop);
  // The answer of accepts for a loop that keeps farther than the
  // tolerance's point value from every previous loop: each of its samples
  // then lies on the same side of a previous loop, so its start vertex (the
  // first sample) decides without the others being taken.
  bool acceptsClearLoop(const CLoop& loop) const;
  // The indexes of the previous level's loops, in order; false (and `out`
  // emptied) when one of them could not be indexed.
  bool indexes(std::vector<const LoopContainment*>& out) const;

 private:
  struct Outer {
    const CLoop* loop;
    LoopContainment index;
    bool indexed;
  };
  bool inside(const Outer& outer) const;

  std::vector<Outer> outers_;
  std::vector<LoopSample> samples_;
  double h_;
  const XtGeTol& tol_;
};
