// Zone outlines and the invariants of prepared zone loops.
#pragma once

#include "heating/curves/CFHBoundLoop.h"

#include "geometry/Tolerances.h"
#include "geometry/curveArea.h"

#include "CurveTestSupport.h"

#include <cmath>
#include <vector>

namespace zone_test {

// The command and zone tolerances (default settings) of a drawing of u units
// per metre, put back at the end.
class ZoneTolerances {
 public:
  explicit ZoneTolerances(int u) : command_(u) {
    drawingUnitFactor = u;
    setZoneTolerances(u, kDefaultZoneBoundsSetting, kDefaultManifoldConnectionSetting);
  }
  ~ZoneTolerances() { std::tie(zoneBoundsTol, manifoldConnectionTol) = std::tie(savedZone_, savedManifold_); }

 private:
  GeometryToleranceScope command_;
  XtGeTol savedZone_ = zoneBoundsTol, savedManifold_ = manifoldConnectionTol;
};

// A millimetre drawing: workTol 1e-3, zone tolerances 25.
class ZoneTest : public testing::Test {
  ZoneTolerances tolerances_{1000};
};

// An outline from a start point through the steps as one closed polyline.
inline std::unique_ptr<CFloorHeatingPolyLine> outline(const XtGePoint2d& from, std::vector<curve_test::Step> steps) {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  for (XtGePoint2d at = from; const curve_test::Step& step : steps) {
    if (step.bulge == 0.0)
      pieces.push_back(std::make_unique<XtGeLineSeg2d>(at, step.to));
    else
      pieces.push_back(std::make_unique<XtGeCircArc2d>(at, step.to, step.bulge));
    at = step.to;
  }
  return std::make_unique<CFloorHeatingPolyLine>(XtGeCompositeCurve2d(std::move(pieces)), 15);
}

// Every item starts where the one before it ends (workTol).
inline bool isClosedChain(const CFHBoundLoop& loop) {
  for (int i = 0; i < loop.itemCount(); ++i)
    if (!loop.item(loop.previousIndex(i))->curve->endPoint().isEqualTo(loop.item(i)->curve->startPoint(), workTol))
      return false;
  return loop.itemCount() > 0;
}

// The loop's signed area (positive counter-clockwise); NaN when none.
inline double signedArea(const CFHBoundLoop& loop) {
  XtGeCompositeCurve2d composite;
  double area = 0.0;
  if (!loop.toCompositeCurve(composite) || !getCurveSignedArea(composite, area)) return std::nan("");
  return area;
}

}  // namespace zone_test
