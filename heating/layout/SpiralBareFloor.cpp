#include "heating/layout/SpiralBareFloor.h"

#include "heating/layout/CFHCircuitLayout.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetLoop.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/EdgePathTests.h"
#include "heating/layout/LayoutGraphSnapshot.h"
#include "heating/layout/LayoutPathPieces.h"
#include "heating/layout/LayoutPipeClearance.h"
#include "heating/layout/MeanderChain.h"
#include "heating/layout/PointSegmentDistance.h"
#include "heating/layout/SpiralDetours.h"

#include "heating/curves/CFHZoneBoundary.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>

namespace {

// Distances in spacings: bare floor, the sample step, the half width of a
// part too narrow to be judged, the hairpins' widths, their shortest reach
// and the step by which a reach is shortened.
constexpr double kBare = 1.5;
constexpr double kSample = 0.25;
constexpr double kNarrowHalf = 0.55;
constexpr double kWidths[] = {1.0, 0.75, 0.5};
constexpr double kShortestReach = 0.75;
constexpr double kReachStep = 0.25;
// The path pieces tried per bare point, nearest first.
constexpr std::size_t kPiecesTried = 8;

struct Floor {
  const CFHCircuitLayout& layout;
  std::vector<const CFloorHeatingCurve*> items;
  EdgePathIndex paths;
  double s;

  // The nearest point of the wall and its distance; false without items.
  bool nearestWall(const XtGePoint2d& p, XtGePoint2d& at, double& distance) const {
    distance = std::numeric_limits<double>::infinity();
    for (const CFloorHeatingCurve* item : items) {
      const XtGePoint2d q = item->closestPointTo(p);
      const double d = q.distanceTo(p);
      if (d < distance) {
        distance = d;
        at = q;
      }
    }
    return std::isfinite(distance);
  }
  bool inside(const XtGePoint2d& p) const {
    return layout.boundary->workingLoop.classifyPoint(p, workTol) == CLoop::kInside;
  }
  // Heated floor in a part at least 1.1 s across.
  bool judgedFloor(const XtGePoint2d& p) const {
    XtGePoint2d wall;
    double distance = 0.0;
    const double d0 = layout.firstOffset;
    if (!nearestWall(p, wall, distance) || distance < d0 - workTol.equalPoint() || !(distance > 0.0) || !inside(p))
      return false;
    const XtGePoint2d deeper = p + (p - wall) * (kNarrowHalf * s / distance);
    XtGePoint2d deeperWall;
    double deeperDistance = 0.0;
    return inside(deeper) && nearestWall(deeper, deeperWall, deeperDistance) &&
           deeperDistance >= d0 + kNarrowHalf * s * 0.99;
  }
  bool bare(const XtGePoint2d& p) const { return !paths.nearPoint(p, kBare * s); }
};

// The bare points beside the loops.
std::vector<XtGePoint2d> bareFloor(const Floor& floor, const std::vector<const COffsetLoop*>& loops) {
  std::vector<XtGePoint2d> bare;
  const double step = kSample * floor.s;
  for (const COffsetLoop* loop : loops) {
    if (loop == nullptr) continue;
    for (int i = 0; i < loop->sectionCount(); ++i) {
      const COffsetSection* section = loop->section(i);
      if (!section->hasCurve()) continue;
      const CFloorHeatingCurve& curve = *section->curve;
      const double length = curve.length();
      if (!(length > workTol.equalPoint()) || !std::isfinite(length)) continue;
      const int samples = static_cast<int>(std::min(std::ceil(length / step), 1e6));
      for (int k = 0; k <= samples; ++k) {
        const double at = length * k / samples;
        const XtGePoint2d p = curve.pointAtLength(at);
        // Nothing beside p is bare when the pipe is within s of it.
        if (floor.paths.nearPoint(p, (kBare - 0.5) * floor.s)) continue;
        const XtGeVector2d along =
            curve.pointAtLength(std::min(length, at + 0.5 * step)) - curve.pointAtLength(std::max(0.0, at - 0.5 * step));
        const double l = along.length();
        if (!(l > 0.0)) continue;
        const XtGeVector2d side = along.perpVector() * (0.5 * floor.s / l);
        for (const XtGePoint2d& q : {p, p + side, p - side})
          if (floor.bare(q) && floor.judgedFloor(q)) bare.push_back(q);
      }
    }
  }
  return bare;
}

struct Piece {
  COffsetEdge* edge = nullptr;
  XtGePoint2d a, b;
  double distance = 0.0;
};

// The straight pieces of the path, the leads left out.
std::vector<Piece> straightPieces(const CFHCircuitLayout& layout) {
  std::vector<LayoutPathPiece> path;
  std::vector<Piece> pieces;
  if (!appendLayoutPathPieces(layout, false, static_cast<std::size_t>(1) << 20, path)) return pieces;
  for (const LayoutPathPiece& p : path)
    if (!p.geometry.isArc && p.geometry.start.distanceTo(p.geometry.end) > workTol.equalPoint())
      pieces.push_back({const_cast<COffsetEdge*>(p.edge), p.geometry.start, p.geometry.end, 0.0});
  return pieces;
}

// A hairpin from T towards Q, put into the path; false when none keeps
// clear.
bool hairpinTowards(CFHCircuitLayout& layout, const Floor& floor, const Piece& t, const XtGePoint2d& q) {
  const double s = floor.s;
  const XtGeVector2d span = t.b - t.a;
  const double length = span.length();
  const XtGeVector2d unit = span / length;
  XtGeVector2d out = unit.perpVector();
  const double across = (q - t.a).dotProduct(out);
  if (across < 0.0) out = -out;
  const double reach = std::fabs(across);
  const double foot = (q - t.a).dotProduct(unit);
  const double margin = workTol.equalPoint() * 4.0;
  for (const double width : kWidths) {
    const double w = width * s;
    if (length < w + 2.0 * margin) continue;
    const double centre = std::clamp(foot, 0.5 * w + margin, length - 0.5 * w - margin);
    const XtGePoint2d pA = t.a + unit * (centre - 0.5 * w);
    const XtGePoint2d pB = t.a + unit * (centre + 0.5 * w);
    for (double l = reach; l >= kShortestReach * s; l -= kReachStep * s) {
      const XtGePoint2d a = pA + out * l;
      const XtGePoint2d b = pB + out * l;
      if (!hairpinKeepsClear(layout, floor.paths, floor.items, pA, a, b, pB)) continue;
      spliceHairpin(layout, *t.edge, pA, a, b, pB);
      return true;
    }
  }
  return false;
}

}  // namespace

void layHairpinsToBareFloor(CFHCircuitLayout& layout, const std::vector<const COffsetLoop*>& loops) {
  const double s = layout.spacing;
  if (layout.firstEdge == nullptr || layout.boundary == nullptr || !(s > 0.0) || !std::isfinite(s)) return;
  Floor floor{layout, boundaryItems(layout), EdgePathIndex(layout.edges, s), s};
  if (floor.items.empty()) return;
  std::vector<XtGePoint2d> bare = bareFloor(floor, loops);
  if (bare.empty()) return;
  LayoutGraphSnapshot before;
  before.take(layout);
  const std::size_t edges = layout.edges.size();
  for (int laid = 0; laid < kMostBareFloorHairpins && !bare.empty();) {
    const XtGePoint2d q = bare.back();
    bare.pop_back();
    std::vector<Piece> pieces = straightPieces(layout);
    for (Piece& p : pieces) p.distance = pointSegmentDistance(q, p.a, p.b);
    const std::size_t tried = std::min(kPiecesTried, pieces.size());
    std::partial_sort(pieces.begin(), pieces.begin() + static_cast<std::ptrdiff_t>(tried), pieces.end(),
                      [](const Piece& x, const Piece& y) { return x.distance < y.distance; });
    for (std::size_t i = 0; i < tried; ++i) {
      if (!hairpinTowards(layout, floor, pieces[i], q)) continue;
      ++laid;
      floor.paths.rebuild(layout.edges, s);
      bare.erase(std::remove_if(bare.begin(), bare.end(), [&](const XtGePoint2d& p) { return !floor.bare(p); }),
                 bare.end());
      break;
    }
  }
  LayoutPipeClearance clearance;
  if (layout.edges.size() != edges &&
      (offsetEdgePathsCross(layout, workTol) || clearance.meetsItself(layout) || !isSinglePath(layout)))
    before.restore(layout);
}
