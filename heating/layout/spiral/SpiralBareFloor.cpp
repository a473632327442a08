#include "heating/layout/spiral/SpiralBareFloor.h"

#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/checks/EdgePathTests.h"
#include "heating/layout/record/LayoutGraphSnapshot.h"
#include "heating/layout/checks/LayoutPathPieces.h"
#include "heating/layout/checks/LayoutPipeClearance.h"
#include "heating/layout/meander/MeanderChain.h"
#include "heating/layout/offsets/PointSegmentDistance.h"
#include "heating/layout/spiral/SpiralDetours.h"

#include "heating/curves/CFHZoneBoundary.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Distances in spacings: bare floor, the sample step, the half width of a
// part too narrow to be judged, the hairpins' widths, their shortest reach
// and the step by which a reach is shortened.
constexpr double kBare = 1.45;
constexpr double kSample = 0.25;
// Half a cell's diagonal, in spacings: no point of a cell lies farther
// than this from its centre.
constexpr double kCellReach = 0.7072;
// The samples of each boundary item for the zone's box, and the most cells
// of the box looked at.
constexpr int kItemSamples = 16;
constexpr double kMostCells = 4.0e6;
constexpr double kNarrowHalf = 0.55;
// The directions a disc's centre is looked for in, turned from the way away
// from the nearest wall by multiples of kDiscTurn either way.
constexpr int kDiscDirections = 5;
constexpr double kDiscTurn = 0.25 * 3.14159265358979323846;
constexpr double kWidths[] = {1.0, 0.75, 0.5};
constexpr double kShortestReach = 0.75;
// The clearance a hairpin keeps from the pipe beyond its feet, in
// spacings: the spacing (a little less) first, the detours' 0.75 s only
// where no reach of that width keeps it: a hairpin reaching into the
// corner beside a corridor's slanted far end came 0.84 s from the slanted
// run.
constexpr double kClearances[] = {0.99, 0.75};
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
  // Heated floor in a part at least 1.1 s across: some disc of radius
  // 0.55 s that holds the point lies in the heated area (its centre 0.55 s
  // from the point, away from the nearest wall or at an angle to that of
  // a multiple of kDiscTurn, at least d0 + 0.55 s from every wall).
  // `inCell`: the point lies in a cell wholly inside the zone.
  bool judgedFloor(const XtGePoint2d& p, bool inCell) const {
    XtGePoint2d wall;
    double distance = 0.0;
    const double d0 = layout.firstOffset;
    if (!nearestWall(p, wall, distance) || distance < d0 - workTol.equalPoint() || !(distance > 0.0) ||
        (!inCell && !inside(p)))
      return false;
    const XtGeVector2d away = (p - wall) * (kNarrowHalf * s / distance);
    for (int k = 0; k < kDiscDirections; ++k) {
      const double turn = kDiscTurn * ((k + 1) / 2) * (k % 2 == 0 ? 1.0 : -1.0);
      const XtGeVector2d to(away.x * std::cos(turn) - away.y * std::sin(turn),
                            away.x * std::sin(turn) + away.y * std::cos(turn));
      XtGePoint2d centreWall;
      double centreDistance = 0.0;
      const XtGePoint2d centre = p + to;
      if (nearestWall(centre, centreWall, centreDistance) && centreDistance >= d0 + kNarrowHalf * s * 0.99 &&
          inside(centre))
        return true;
    }
    return false;
  }
  bool bare(const XtGePoint2d& p) const { return !paths.nearPoint(p, kBare * s); }
};

// The box of the zone's boundary (its items sampled), as x0, y0, x1, y1;
// false without a finite one.
bool boundaryBox(const Floor& floor, double (&box)[4]) {
  box[0] = box[1] = std::numeric_limits<double>::infinity();
  box[2] = box[3] = -std::numeric_limits<double>::infinity();
  for (const CFloorHeatingCurve* item : floor.items) {
    const double length = item->length();
    for (int k = 0; k <= kItemSamples; ++k) {
      const XtGePoint2d p = item->pointAtLength(length * k / kItemSamples);
      box[0] = std::min(box[0], p.x), box[1] = std::min(box[1], p.y);
      box[2] = std::max(box[2], p.x), box[3] = std::max(box[3], p.y);
    }
  }
  return std::isfinite(box[0]) && std::isfinite(box[1]) && std::isfinite(box[2]) && std::isfinite(box[3]);
}

// The bare points: the zone's box in cells s wide; a cell whose centre has
// the pipe within (kBare - kCellReach) s is covered all over, the others
// are sampled every s/4.
std::vector<XtGePoint2d> bareFloor(const Floor& floor) {
  std::vector<XtGePoint2d> bare;
  double box[4];
  if (!boundaryBox(floor, box)) return bare;
  const double s = floor.s;
  const double columns = std::ceil((box[2] - box[0]) / s);
  const double rows = std::ceil((box[3] - box[1]) / s);
  if (!(columns * rows <= kMostCells)) return bare;
  const int fine = static_cast<int>(std::lround(1.0 / kSample));
  for (int i = 0; i < static_cast<int>(columns); ++i) {
    for (int j = 0; j < static_cast<int>(rows); ++j) {
      const XtGePoint2d corner(box[0] + i * s, box[1] + j * s);
      const XtGePoint2d middle = corner + XtGeVector2d(0.5 * s, 0.5 * s);
      if (floor.paths.nearPoint(middle, (kBare - kCellReach) * s)) continue;
      // A cell beyond the wall's reach lies wholly outside the zone or
      // wholly inside it.
      XtGePoint2d wall;
      double distance = 0.0;
      const bool clear = floor.nearestWall(middle, wall, distance) && distance > kCellReach * s;
      const bool in = floor.inside(middle);
      if (clear && !in) continue;
      for (int a = 0; a < fine; ++a)
        for (int b = 0; b < fine; ++b) {
          const XtGePoint2d q = corner + XtGeVector2d((a + 0.5) * kSample * s, (b + 0.5) * kSample * s);
          if (floor.bare(q) && floor.judgedFloor(q, clear && in)) bare.push_back(q);
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
    for (const double clearance : kClearances) {
      for (double l = reach; l >= kShortestReach * s; l -= kReachStep * s) {
        const XtGePoint2d a = pA + out * l;
        const XtGePoint2d b = pB + out * l;
        if (!hairpinKeepsClear(layout, floor.paths, floor.items, pA, a, b, pB, clearance)) continue;
        spliceHairpin(layout, *t.edge, pA, a, b, pB);
        return true;
      }
    }
  }
  return false;
}

}  // namespace

void layHairpinsToBareFloor(CFHCircuitLayout& layout) {
  const double s = layout.spacing;
  if (layout.firstEdge == nullptr || layout.boundary == nullptr || !(s > 0.0) || !std::isfinite(s)) return;
  Floor floor{layout, boundaryItems(layout), EdgePathIndex(layout.edges, s), s};
  if (floor.items.empty()) return;
  std::vector<XtGePoint2d> bare = bareFloor(floor);
  if (bare.empty()) return;
  LayoutGraphSnapshot before;
  before.take(layout);
  const std::size_t edges = layout.edges.size();
  int laid = 0;
  for (int tries = 0; laid < kMostBareFloorHairpins && tries < kMostBareFloorTries && !bare.empty(); ++tries) {
    const XtGePoint2d q = bare.back();
    bare.pop_back();
    std::vector<Piece> pieces = straightPieces(layout);
    for (Piece& p : pieces) p.distance = pointSegmentDistance(q, p.a, p.b);
    const std::size_t tried = std::min(kPiecesTried, pieces.size());
    std::partial_sort(pieces.begin(), pieces.begin() + static_cast<std::ptrdiff_t>(tried), pieces.end(),
                      [](const Piece& x, const Piece& y) { return x.distance < y.distance; });
    bool reached = false;
    for (std::size_t i = 0; i < tried && !reached; ++i) reached = hairpinTowards(layout, floor, pieces[i], q);
    if (reached) {
      ++laid;
      floor.paths.rebuild(layout.edges, s);
    }
    // The points the hairpin reached go; without one, the points beside Q
    // (no hairpin reaches them either).
    bare.erase(std::remove_if(bare.begin(), bare.end(),
                              [&](const XtGePoint2d& p) {
                                return reached ? !floor.bare(p) : p.distanceTo(q) < kSample * s * 2.0;
                              }),
               bare.end());
  }
  LayoutPipeClearance clearance;
  if (layout.edges.size() != edges &&
      (offsetEdgePathsCross(layout, workTol) || clearance.meetsItself(layout) || !isSinglePath(layout)))
    before.restore(layout);
}
