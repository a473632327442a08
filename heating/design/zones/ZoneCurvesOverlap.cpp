#include "heating/design/zones/ZoneCurvesOverlap.h"

#include "heating/curves/HeatingCurveExplode.h"
#include "heating/curves/HeatingCurveOverlaps.h"

#include "geometry/Tolerances.h"

bool zoneCurvesOverlap(const CFloorHeatingCurve::PtrVector& curves, const CFloorHeatingCurve& curve) {
  for (const CFloorHeatingCurve::Ptr& other : curves) {
    if (!other || !overlapsCollinear(*other, curve, workTol)) continue;
    return explodeCurve(curve).size() < 3 || explodeCurve(*other).size() < 3;
  }
  return false;
}
