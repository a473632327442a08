#include "heating/layout/offsets/IntervalCurveMaps.h"

#include "heating/curves/HeatingCurveIntersections.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGePoint2dArray.h"

#include <limits>

CFHIntervalCurveMap intervalCurveMapOf(const CFHIntervalCurveList& intervalCurves) {
  CFHIntervalCurveMap map;
  map.reserve(intervalCurves.size());
  for (const auto& intervalCurve : intervalCurves) map.push_back(intervalCurve.get());
  return map;
}

void setIntervalCurvesValue(const CFHIntervalCurveMap& map, double value) {
  for (CFHIntervalCurve* intervalCurve : map)
    if (intervalCurve != nullptr) intervalCurve->value = value;
}

void resetIntervalCurves(const CFHIntervalCurveMap& map) {
  for (CFHIntervalCurve* intervalCurve : map)
    if (intervalCurve != nullptr) intervalCurve->recompute();
}

void markEndPointsOnIntervalCurves(const CFHIntervalCurveMap& map, double width) {
  for (CFHIntervalCurve* intervalCurve : map) {
    if (intervalCurve == nullptr || intervalCurve->curve == nullptr) continue;
    intervalCurve->markAt(intervalCurve->curve->startPoint(), CFHIntervalCurve::kMarkForward, width);
    intervalCurve->markAt(intervalCurve->curve->endPoint(), CFHIntervalCurve::kMarkBackward, width);
  }
}

void markCrossingsOnIntervalCurves(const CFHIntervalCurveMap& map, const std::vector<CFloorHeatingCurve*>& curves,
                                   double halfWidth) {
  for (CFHIntervalCurve* intervalCurve : map) {
    if (intervalCurve == nullptr || intervalCurve->curve == nullptr) continue;
    for (const CFloorHeatingCurve* curve : curves) {
      if (curve == nullptr) continue;
      XtGePoint2dArray points;
      intersectCurvesToArray(*intervalCurve->curve, *curve, points, workTolFine);
      for (int i = 0; i < points.length(); ++i)
        intervalCurve->markAt(points[i], CFHIntervalCurve::kMarkCentred, 2.0 * halfWidth);
    }
  }
}

bool nearestOnIntervalCurves(const CFHIntervalCurveMap& map, const XtGePoint2d& point, XtGePoint2d& nearest,
                             CFHIntervalCurve*& intervalCurve) {
  double best = std::numeric_limits<double>::infinity();
  bool found = false;
  for (CFHIntervalCurve* candidate : map) {
    XtGePoint2d p;
    if (candidate == nullptr || !candidate->nearestPoint(point, p)) continue;
    const double distance = p.distanceTo(point);
    if (!found || distance < best) {
      best = distance;
      nearest = p;
      intervalCurve = candidate;
      found = true;
    }
  }
  return found;
}
