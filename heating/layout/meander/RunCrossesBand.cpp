#include "heating/layout/meander/RunCrossesBand.h"

#include "heating/layout/offsets/COffsetLoop.h"

#include "geometry/Tolerances.h"

bool runCrossesBand(const std::vector<COffsetLoop*>& bandLoops, const CFloorHeatingCurve& run) {
  std::vector<COffsetPoint> points;
  for (const COffsetLoop* band : bandLoops)
    if (band != nullptr && band->intersectionPoints(run, points, workTol)) return true;
  return false;
}
