// What the pipe routing and the zone design ask of a zone boundary.
#include "heating/curves/CFHZoneBoundary.h"

#include "geometry/Tolerances.h"
#include "heating/curves/HeatingCurveIntersections.h"

void CFHZoneBoundary::copyItems(std::vector<CFloorHeatingCurve*>& curves, bool asDrawn) const {
  copyItems(loop(asDrawn), curves);
}

void CFHZoneBoundary::copyItems(const CFHBoundLoop& loop, std::vector<CFloorHeatingCurve*>& curves) {
  curves.reserve(curves.size() + loop.elements.size());
  for (const CLoopElement* element : loop.elements)
    if (element != nullptr && element->hasCurve()) curves.push_back(element->curve);
}

bool CFHZoneBoundary::isOnLoop(XtGePoint2d& point, bool asDrawn) const {
  for (const CLoopElement* element : loop(asDrawn).elements) {
    if (element == nullptr || !element->hasCurve()) continue;
    if (!element->curve->geCurve().isOn(point, manifoldConnectionTol)) continue;
    point = element->curve->closestPointTo(point);
    return true;
  }
  return false;
}

bool CFHZoneBoundary::meetsLoopTwice(const CFloorHeatingCurve& curve, bool asDrawn) const {
  XtGePoint2dArray points;
  for (const CLoopElement* element : loop(asDrawn).elements) {
    if (element == nullptr || !element->hasCurve()) continue;
    intersectCurvesToArray(curve, *element->curve, points, workTolFine);
    if (points.length() >= 2) return true;
  }
  return false;
}

bool CFHZoneBoundary::isForwardShorter(bool asDrawn, const XtGePoint2d& p1, const XtGePoint2d& p2,
                                       const XtGeTol& tol) const {
  return loop(asDrawn).isForwardShorter(p1, p2, tol);
}

bool CFHZoneBoundary::touchesLoop(const CFloorHeatingCurve& curve) const {
  for (const CLoopElement* element : workingLoop.elements) {
    if (element == nullptr || !element->hasCurve()) continue;
    const XtGeCurve2d& side = element->curve->geCurve();
    if (side.isOn(curve.startPoint(), workTol) || side.isOn(curve.endPoint(), workTol)) return true;
  }
  return false;
}

int CFHZoneBoundary::curveCrossings(const CFloorHeatingCurve& curve, std::vector<CFHZoneCrossing>& crossings) const {
  crossings.clear();
  XtGePoint2dArray points;
  for (const CLoopElement* element : workingLoop.elements)
    if (element != nullptr && element->hasCurve()) intersectCurvesToArray(curve, *element->curve, points, workTol);
  crossings.reserve(static_cast<std::size_t>(points.length()));
  for (int i = 0; i < points.length(); ++i)
    crossings.push_back({points[i], curve.geCurve().paramOf(points[i], workTolFine)});
  return static_cast<int>(crossings.size());
}
