// Building a zone's working loop around the distribution pipes, and the
// queries the routing and the zone design ask while doing so.
#include "heating/curves/CFHZoneBoundary.h"

#include "heating/curves/HeatingCurveIntersections.h"

#include "geometry/Tolerances.h"

#include <limits>

bool CFHZoneBoundary::build(std::vector<CFloorHeatingCurve::Ptr>& curves, const XtGePoint2d& point, bool recopy) {
  invalidateCachedPoint(false);
  if (recopy) {
    workingLoop.copyFrom(asDrawnLoop);
    sidePass(false);
  }
  std::erase_if(curves, [&](const CFloorHeatingCurve::Ptr& curve) { return !curve || !meetsLoopTwice(*curve, false); });
  return cutLoops(workingLoop, curves, point);
}

bool CFHZoneBoundary::cutLoops(CFHBoundLoop& loop, const std::vector<CFloorHeatingCurve::Ptr>& curves,
                               const XtGePoint2d& point) {
  for (const CFloorHeatingCurve::Ptr& curve : curves)
    if (curve && !loop.cutAlongCurve(*curve, point)) return false;
  return true;
}

bool CFHZoneBoundary::nearestIntersection(const CFloorHeatingCurve& curve, const XtGePoint2d& point,
                                          XtGePoint2d& out, bool asDrawn) const {
  std::vector<const CFloorHeatingCurve*> sides;
  for (const CLoopElement* element : loop(asDrawn).elements)
    if (element != nullptr && element->hasCurve()) sides.push_back(element->curve);
  if (sides.empty()) return false;

  // Every hit of every side counts: a pipe crossing an arc side twice must
  // not answer the farther of the two.
  XtGePoint2dArray hits;
  for (const CFloorHeatingCurve* side : sides) intersectCurvesToArray(curve, *side, hits, workTolFine);
  double best = std::numeric_limits<double>::infinity();
  for (const XtGePoint2d& hit : hits) {
    const double d = hit.distanceTo(point);
    if (d < best) {
      best = d;
      out = hit;
    }
  }
  if (!hits.isEmpty()) return true;

  for (const CFloorHeatingCurve* side : sides) {
    for (const XtGePoint2d& end : {curve.startPoint(), curve.endPoint()}) {
      const XtGePoint2d projection = side->closestPointTo(end);
      const double d = projection.distanceTo(end);
      if (d < best) {
        best = d;
        out = projection;
      }
    }
  }
  return best < std::numeric_limits<double>::infinity();
}

void CFHZoneBoundary::setItemValue(int position, double value) {
  if (position < 0 || position >= asDrawnLoop.itemCount()) return;
  CFHBoundLoopItem& side = *asDrawnLoop.item(position);
  side.value = value;
  // Id 0 names no side: items without one (closing pieces of a cut) keep
  // their values.
  if (side.id == 0) return;
  for (int i = 0; i < workingLoop.itemCount(); ++i)
    if (workingLoop.item(i)->id == side.id) workingLoop.item(i)->value = value;
}
