#include "heating/curves/LeadCentreLine.h"

#include "heating/curves/CLoop.h"
#include "heating/curves/CLoopPoint.h"
#include "heating/curves/HeatingCurveEnds.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

namespace {

using Points = std::vector<XtGePoint2d>;

// The left normal of the piece from p to q, of unit length.
XtGeVector2d leftNormal(const XtGePoint2d& p, const XtGePoint2d& q) {
  const XtGeVector2d u = (q - p).normal();
  return {-u.y, u.x};
}

// The corners of the route from the fuller lead: the lines of its pieces
// moved by `shift` along their left normals, each pair of neighbours meeting
// where they cross (parallel neighbours give no corner).
std::optional<Points> offsetCorners(const Points& lead, double shift) {
  Points corners;
  for (std::size_t i = 1; i + 1 < lead.size(); ++i) {
    const XtGePoint2d& p = lead[i - 1];
    const XtGePoint2d& c = lead[i];
    const XtGePoint2d& q = lead[i + 1];
    const XtGeLine2d before(p + leftNormal(p, c) * shift, c - p);
    const XtGeLine2d after(c + leftNormal(c, q) * shift, q - c);
    XtGePoint2d corner;
    if (before.intersectWith(after, corner, workTol)) corners.push_back(corner);
    else if (!before.isParallelTo(after, workTol)) return std::nullopt;
  }
  return corners;
}

// Whether the piece from p to q runs beside a piece of the route: parallel
// to it, on a line `gap` from its line.
bool runsBeside(const Points& route, const XtGePoint2d& p, const XtGePoint2d& q, double gap, double tolerance) {
  const XtGeVector2d u = q - p;
  if (u.length() <= tolerance) return true;
  for (std::size_t i = 0; i + 1 < route.size(); ++i) {
    const XtGeVector2d v = route[i + 1] - route[i];
    if (v.length() <= tolerance || !u.isParallelTo(v, workTol)) continue;
    if (std::abs(std::abs(v.normal().crossProduct(p - route[i])) - gap) <= tolerance) return true;
  }
  return false;
}

// The points without repeats (a piece of no length has no direction).
Points withoutRepeats(const Points& points) {
  Points kept;
  for (const XtGePoint2d& p : points)
    if (kept.empty() || !kept.back().isEqualTo(p, workTol)) kept.push_back(p);
  return kept;
}

}  // namespace

std::unique_ptr<CFloorHeatingPolyLine> leadCentreLine(const Points& firstLead, const Points& secondLead,
                                                      const CLoop& wall, std::uint32_t tag) {
  const double near = workTol.equalPoint();
  const Points first = withoutRepeats(firstLead);
  const Points second = withoutRepeats(secondLead);
  if (first.size() < 2 || second.size() < 2 || first[0].isEqualTo(second[0], workTol)) return nullptr;
  // Half the pitch, signed: positive when the second lead lies on the left of the first.
  const XtGeVector2d start = (first[1] - first[0]).normal();
  const double half = 0.5 * start.crossProduct(second[0] - first[0]);

  Points route = {midPoint2d(first[0], second[0])};
  if (first.size() == second.size()) {
    for (std::size_t i = 1; i + 1 < first.size(); ++i) route.push_back(midPoint2d(first[i], second[i]));
  } else {
    const bool firstFuller = first.size() > second.size();
    const std::optional<Points> corners = offsetCorners(firstFuller ? first : second, firstFuller ? half : -half);
    if (!corners) return nullptr;
    route.insert(route.end(), corners->begin(), corners->end());
  }

  // The end: along the lead that meets the wall first, to the wall; the
  // midpoint of the leads' ends when that line misses it.
  const XtGePoint2d& from = route.back();
  const bool firstNearer = first.back().distanceTo(first[first.size() - 2]) <=
                           second.back().distanceTo(second[second.size() - 2]);
  const Points& nearer = firstNearer ? first : second;
  const XtGeVector2d along = nearer.back() - nearer[nearer.size() - 2];
  CLoopPoint hit;
  if (along.length() > near && wall.pickIntersection(XtGeRay2d(from, along), CLoopPoint(from), hit, workTol))
    route.push_back(hit.point);
  else
    route.push_back(midPoint2d(first.back(), second.back()));

  // Both leads must be the route's offsets: each piece beside a piece of the
  // route, half the pitch from it (but the last piece of the lead bent to
  // the route's end), and each piece of the route beside a piece of a lead.
  const double tolerance = 10.0 * near;
  for (const Points* lead : {&first, &second}) {
    const std::size_t pieces = lead->size() - 1 - (lead == &nearer ? 0 : 1);
    for (std::size_t i = 0; i < pieces; ++i)
      if (!runsBeside(route, (*lead)[i], (*lead)[i + 1], std::abs(half), tolerance)) return nullptr;
  }
  for (std::size_t i = 0; i + 1 < route.size(); ++i)
    if (!runsBeside(first, route[i], route[i + 1], std::abs(half), tolerance) &&
        !runsBeside(second, route[i], route[i + 1], std::abs(half), tolerance))
      return nullptr;

  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  for (std::size_t i = 0; i + 1 < route.size(); ++i)
    if (!route[i].isEqualTo(route[i + 1], workTol)) pieces.push_back(std::make_unique<XtGeLineSeg2d>(route[i], route[i + 1]));
  if (pieces.empty()) return nullptr;
  return std::make_unique<CFloorHeatingPolyLine>(XtGeCompositeCurve2d(std::move(pieces)), tag);
}
