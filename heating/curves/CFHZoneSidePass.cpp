// The zone side pass: cutting the distribution-pipe bundle out of a zone.
#include "heating/curves/CFHZoneBoundary.h"
#include "heating/curves/DrawingUnitFactor.h"
#include "heating/curves/ZoneSidePass.h"
#include "heating/curves/ZoneSides.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// Whether p replaces the current extreme point towards the side.
bool beyondTowardsSide(const XtGePoint2d& p, const XtGePoint2d& current, int side, double T) {
  switch (side) {
    case kZoneSideLeft: return p.x <= current.x - T || (std::abs(p.x - current.x) < T && p.y > current.y);
    case kZoneSideTop: return p.y >= current.y + T || (std::abs(p.y - current.y) < T && p.x > current.x);
    case kZoneSideRight: return p.x >= current.x + T || (std::abs(p.x - current.x) < T && p.y < current.y);
    case kZoneSideBottom: return p.y <= current.y - T || (std::abs(p.y - current.y) < T && p.x < current.x);
    default: return false;
  }
}

// Where the unbounded line meets the loop nearest to its point (workTol).
bool nearestLoopHit(const CLoop& loop, const XtGeLine2d& line, XtGePoint2d& hit) {
  const XtGePoint2d origin = line.pointOnLine();
  double best = std::numeric_limits<double>::infinity();
  for (const CLoopElement* element : loop.elements) {
    if (element == nullptr || !element->hasCurve()) continue;
    const XtGeCurveCurveInt2d meeting(element->curve->geCurve(), line, workTol);
    for (int i = 0; i < meeting.numIntPoints(); ++i) {
      const XtGePoint2d p = meeting.intPoint(i);
      if (p.distanceTo(origin) < best) {
        best = p.distanceTo(origin);
        hit = p;
      }
    }
  }
  return best < std::numeric_limits<double>::infinity();
}

}  // namespace

XtGePoint2dArray convexHullPoints(const XtGePoint2dArray& points) {
  XtGePoint2dArray hull;
  if (points.length() < 3) return hull;
  std::vector<XtGePoint2d> rest(points.begin(), points.end());
  std::size_t first = 0;
  for (std::size_t i = 1; i < rest.size(); ++i)
    if (rest[i].x > rest[first].x) first = i;
  const XtGePoint2d start = rest[first];
  hull.append(start);
  rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(first));

  // Each turn takes a point out of `rest` or closes the hull, so the loop
  // runs at most points.length() times.
  while (!rest.empty()) {
    const XtGePoint2d last = hull.last();
    std::size_t candidate = 0;
    for (std::size_t i = 1; i < rest.size(); ++i) {
      const XtGeVector2d toC = rest[candidate] - last;
      const XtGeVector2d toP = rest[i] - last;
      if (toC.crossProduct(toP) < 0.0 || (toC.isParallelTo(toP, workTol) && toP.length() > toC.length()))
        candidate = i;
    }
    const XtGeVector2d toC = rest[candidate] - last;
    if (hull.length() == 1 || toC.crossProduct(start - last) >= 0.0) {
      hull.append(rest[candidate]);
      rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(candidate));
    } else {
      hull.append(start);
    }
    if (hull.last().isEqualTo(hull.first(), workTol)) break;
  }
  if (!rest.empty() && hull.length() > 1) hull.removeLast();
  return hull;
}

XtGePoint2d furthestPointTowardsSide(const XtGePoint2dArray& points, int side) {
  XtGePoint2d extreme = farCornerForSide(side);
  const double T = workTol.equalPoint();
  for (const XtGePoint2d& p : points)
    if (beyondTowardsSide(p, extreme, side, T)) extreme = p;
  return extreme;
}

void normalizeSideVector(XtGeVector2d& v, int side) {
  const double t = drawingUnitFactor * 0.001;
  if (t > v.x && t > v.y) {
    v = axisVectorForSide(side);
    return;
  }
  const XtGeVector2d before = v;
  v.normalize();
  if (v.x != before.x || v.y != before.y) return;
  if (std::isfinite(1.0 / before.x))
    v = before * (1.0 / before.x);
  else if (std::isfinite(1.0 / before.y))
    v = before * (1.0 / before.y);
  else
    v = axisVectorForSide(side);
}

std::array<int, 4> sidePassOrder(const std::array<double, 4>& distances) {
  struct Record {
    int side;
    double distance;
  };
  std::array<Record, 4> r{{{kZoneSideLeft, distances[0]},
                           {kZoneSideRight, distances[2]},
                           {kZoneSideTop, distances[1]},
                           {kZoneSideBottom, distances[3]}}};
  std::stable_sort(r.begin(), r.end(), [](const Record& a, const Record& b) { return a.distance < b.distance; });
  if (std::abs(r[1].distance - r[0].distance) >= 100.0 * workTol.equalPoint())
    return {r[0].side, r[1].side, r[2].side, r[3].side};
  const int opposite = oppositeSide(r[3].side);
  return {opposite, r[1].side == opposite ? r[0].side : r[1].side, r[2].side == opposite ? r[0].side : r[2].side,
          r[3].side};
}

std::unique_ptr<CFloorHeatingPolyLine> sidePassCutter(const CLoop& loop, const std::array<XtGePoint2d, 4>& extremes,
                                                      const std::array<XtGeVector2d, 4>& directions,
                                                      const std::array<int, 4>& order) {
  for (const int s : order) {
    const auto extreme = [&](int offset) { return extremes[static_cast<std::size_t>((s + offset) % 4)]; };
    const XtGeVector2d& direction = directions[static_cast<std::size_t>(s)];
    XtGePoint2d a;
    XtGePoint2d b;
    if (!nearestLoopHit(loop, XtGeLine2d(extreme(1), direction), a) ||
        !nearestLoopHit(loop, XtGeLine2d(extreme(3), direction), b))
      continue;
    const std::array<XtGePoint2d, 5> run{a, extreme(1), extreme(2), extreme(3), b};
    std::vector<std::unique_ptr<XtGeCurve2d>> segments;
    for (std::size_t i = 0; i + 1 < run.size(); ++i)
      if (!run[i].isEqualTo(run[i + 1], workTol))
        segments.push_back(std::make_unique<XtGeLineSeg2d>(run[i], run[i + 1]));
    return std::make_unique<CFloorHeatingPolyLine>(XtGeCompositeCurve2d(std::move(segments)), 1);
  }
  return nullptr;
}

void CFHZoneBoundary::sidePass(bool asDrawn) {
  if (pipeNetwork == nullptr) return;
  XtGePoint2dArray ends;
  const XtGePoint2dArray hull = convexHullPoints(pipeNetwork->segmentEndPoints(ends));
  if (hull.isEmpty()) return;

  CFHBoundLoop& chosen = loop(asDrawn);
  std::array<XtGePoint2d, 4> extremes;
  std::array<XtGeVector2d, 4> directions;
  std::array<double, 4> distances{};
  for (int s = 0; s < 4; ++s) {
    const auto i = static_cast<std::size_t>(s);
    extremes[i] = furthestPointTowardsSide(hull, s);
    CLoopPoint nearest;
    if (!chosen.closestPoint(extremes[i], nearest, workTol)) return;
    directions[i] = nearest.point - extremes[i];
    distances[i] = directions[i].length();
  }
  const std::array<int, 4> order = sidePassOrder(distances);
  for (int s = 0; s < 4; ++s) normalizeSideVector(directions[static_cast<std::size_t>(s)], s);

  const std::unique_ptr<CFloorHeatingPolyLine> cutter = sidePassCutter(chosen, extremes, directions, order);
  if (!cutter || cutter->composite().numCurves() == 0) return;
  // The pass cuts what it can; a cut that fails leaves the loop as it was.
  chosen.cutAlongCurve(*cutter, cachedPoint(true));
}
