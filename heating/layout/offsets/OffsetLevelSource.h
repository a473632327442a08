// The layout's answer to the zone boundary's need for offset levels
// (CFHOffsetLevelSource): COffsetBuilder's levels, handed over as loops.
//
// Threads: keeps no state; the one instance is shared by every thread.
#pragma once

#include "heating/curves/CFHOffsetLevelSource.h"

class OffsetLevelSource : public CFHOffsetLevelSource {
 public:
  void buildLevels(const std::vector<CFloorHeatingCurve*>& curves, double firstOffset, double spacing,
                   std::vector<Level>& levels) const override;
};

// The instance the commands hand to every zone boundary.
const CFHOffsetLevelSource& layoutOffsetLevelSource();
