#include "heating/layout/IntervalCurveMaps.h"

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
