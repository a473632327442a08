#include "heating/layout/spiral/LayoutPredicates.h"

#include "heating/layout/offsets/COffsetLoop.h"

#include "geometry/Tolerances.h"

#include <algorithm>

bool indexListsShareItems(const std::vector<COffsetPoint>& points) {
  if (points.size() <= 1) return true;
  const std::vector<CLoopElement*>& first = points.front().links();
  return std::any_of(first.begin(), first.end(), [&](const CLoopElement* link) {
    return std::all_of(points.begin() + 1, points.end(), [&](const COffsetPoint& p) { return p.hasLink(link); });
  });
}

bool lineMeetsLoopAgainstDirection(const CFloorHeatingCurve& line, const COffsetLoop& loop, bool forward,
                                   const XtGeTol& tol) {
  std::vector<COffsetPoint> meetings;
  loop.intersectionPoints(line, meetings, tol);
  if (indexListsShareItems(meetings)) return false;
  const XtGePoint2d& start = line.startPoint();
  return std::any_of(meetings.begin(), meetings.end(), [&](const COffsetPoint& p) {
    return !p.point.isEqualTo(start, tol) && loop.isForwardShorter(start, p.point, tol) != forward;
  });
}

bool isLongestCurve(const CFloorHeatingCurve& curve, const std::vector<CLoopElement*>& elements) {
  const double limit = curve.length() + workTol.equalPoint();
  return std::none_of(elements.begin(), elements.end(), [&](const CLoopElement* e) {
    return e != nullptr && e->hasCurve() && e->curve->length() > limit;
  });
}
