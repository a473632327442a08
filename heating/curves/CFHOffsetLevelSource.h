// What the zone boundary needs of the pipe-circuit layout: the inward offset
// levels of a closed chain of heating curves. The layout (heating/layout,
// OffsetLevelSource.h) answers it with its offset builder; the boundary is
// handed one when it is made, so that the curve model never reaches up into
// the layout. Tests may hand in a fake.
//
// Threads: sources keep no state between calls and are called by several
// design threads at once.
#pragma once

#include "heating/curves/CLoop.h"

#include <memory>
#include <vector>

class CFHOffsetLevelSource {
 public:
  // One level: its closed loops, whose elements carry the level's curves.
  using Level = std::vector<std::unique_ptr<CLoop>>;

  virtual ~CFHOffsetLevelSource() = default;

  // The levels of the closed counter-clockwise chain `curves` (not owned,
  // only read) at first offset `firstOffset` and `spacing` (spacing 0: at
  // most one level), innermost last, replacing what `levels` held. No level
  // when the chain cannot be offset.
  virtual void buildLevels(const std::vector<CFloorHeatingCurve*>& curves, double firstOffset, double spacing,
                           std::vector<Level>& levels) const = 0;
};
