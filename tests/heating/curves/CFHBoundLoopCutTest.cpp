// Cutting zone loops along pipes and building the working loop: the kept part
// is a closed loop of the expected area on the reference point's side, and a
// cut that cannot close leaves the loop exactly as it was.
#include "heating/curves/CFHZoneBoundary.h"
#include "heating/curves/HeatingCurveOverlaps.h"

#include "ZoneTestSupport.h"

#include <cmath>
#include <functional>
#include <numbers>

namespace {

using curve_test::line;
using curve_test::near;
using curve_test::polyline;
using zone_test::outline;

// Shapes in metres (a drawing of unit factor 1: workTol 1e-6).
const double kCap = 25 * std::acos(0.4) - 2 * std::sqrt(21.0);  // of the circle r 5 beyond 2 from its centre

struct Shape {
  XtGePoint2d from;
  std::vector<curve_test::Step> steps;
};
const Shape kSquare{{0, 0}, {{{10, 0}}, {{10, 10}}, {{0, 10}}, {{0, 0}}}};
const Shape kClockwise{{0, 0}, {{{0, 10}}, {{10, 10}}, {{10, 0}}, {{0, 0}}}};
const Shape kFar{{1e7, 1e7}, {{{1e7 + 10, 1e7}}, {{1e7 + 10, 1e7 + 10}}, {{1e7, 1e7 + 10}}, {{1e7, 1e7}}}};
// The right wall a half circle of radius 5 about (10, 5).
const Shape kArcWall{{0, 0}, {{{10, 0}}, {{10, 10}, 1.0}, {{0, 10}}, {{0, 0}}}};
const Shape kL{{0, 0}, {{{8, 0}}, {{8, 3}}, {{3, 3}}, {{3, 7}}, {{0, 7}}, {{0, 0}}}};
const Shape kU{{0, 0}, {{{9, 0}}, {{9, 6}}, {{6, 6}}, {{6, 2.5}}, {{3, 2.5}}, {{3, 6}}, {{0, 6}}, {{0, 0}}}};

struct CutCase {
  const char* name;
  const Shape& shape;
  std::function<CFloorHeatingCurve::Ptr()> cutter;
  XtGePoint2d reference;
  double area;  // 0: the cut fails
};

const auto kAcross = [] { return line({4, -1}, {4, 11}); };  // the square's cut at x = 4
const auto kArcCut = [] { return line({12, -1}, {12, 11}); };
const CutCase kCuts[] = {
    {"square", kSquare, kAcross, {8, 5}, 60},
    {"square, other side", kSquare, kAcross, {2, 5}, 40},
    {"through two corners", kSquare, [] { return line({-1, -1}, {11, 11}); }, {8, 2}, 50},
    {"reference on the cutter (left of it)", kSquare, kAcross, {4, 5}, 40},
    {"polyline out of the right side", kSquare, [] { return polyline({{4, -1}, {4, 5}, {11, 5}}); }, {8, 2}, 30},
    {"polyline out past a corner", kSquare, [] { return polyline({{4, -1}, {4, 8}, {12, 14}}); }, {8, 2},
     60 - 8.0 / 3},
    {"along part of the outline", kSquare, [] { return polyline({{0, -1}, {0, 4}, {10, 4}, {11, 4}}); }, {5, 2},
     40},
    {"misses, reference beside the loop", kSquare, [] { return line({20, -1}, {20, 11}); }, {5, 5}, 100},
    {"misses, reference beyond it", kSquare, [] { return line({20, -1}, {20, 11}); }, {25, 5}, 0},
    {"one side crossed three times", kSquare, [] { return polyline({{2, -1}, {3, 1}, {4, -1}, {5, 11}}); },
     {8, 5}, 0},
    {"clockwise", kClockwise, kAcross, {8, 5}, 60},
    {"near 1e7", kFar, [] { return line({1e7 + 4, 1e7 - 1}, {1e7 + 4, 1e7 + 11}); }, {1e7 + 8, 1e7 + 5}, 60},
    {"arc wall, cap cut off", kArcWall, kArcCut, {5, 5}, 100 + 12.5 * std::numbers::pi - kCap},
    {"arc wall, cap kept", kArcWall, kArcCut, {14, 5}, kCap},
    {"L, the leg's end", kL, [] { return line({5, -1}, {5, 11}); }, {7, 1}, 9},
    {"L, the rest", kL, [] { return line({5, -1}, {5, 11}); }, {1, 1}, 27},
    {"U, one arm split", kU, [] { return line({7.5, -1}, {7.5, 7}); }, {1, 1}, 34.5},
    // Two separate gaps to close: refused (one closing run per cut).
    {"U, across both arms", kU, [] { return line({-1, 4}, {10, 4}); }, {4.5, 1}, 0},
};

template <typename... Curves>
std::vector<CFloorHeatingCurve::Ptr> pipeList(Curves&&... curves) {
  std::vector<CFloorHeatingCurve::Ptr> list;
  (list.push_back(std::forward<Curves>(curves)), ...);
  return list;
}

double loopArea(const CFHBoundLoop& loop) { return std::abs(zone_test::signedArea(loop)); }

// No two items of the loop lie along each other.
bool noDoubledPieces(const CFHBoundLoop& loop) {
  for (int i = 0; i < loop.itemCount(); ++i)
    for (int j = i + 1; j < loop.itemCount(); ++j)
      if (overlapsCollinear(*loop.item(i)->curve, *loop.item(j)->curve, workTol)) return false;
  return true;
}

bool hasArc(const CFHBoundLoop& loop) {
  for (int i = 0; i < loop.itemCount(); ++i)
    if (loop.item(i)->curve->kind() == CFloorHeatingCurve::kArc) return true;
  return false;
}

class LoopCut : public testing::Test {
  zone_test::ZoneTolerances tolerances_{1};
};

TEST_F(LoopCut, KeepsAClosedLoopOfTheReferenceSideOrNothingChanges) {
  for (const CutCase& c : kCuts) {
    SCOPED_TRACE(c.name);
    CFHBoundLoop loop;
    loop.append(outline({c.shape.from.x, c.shape.from.y}, c.shape.steps));
    const double before = zone_test::signedArea(loop);
    const int items = loop.itemCount();
    const bool cut = loop.cutAlongCurve(*c.cutter(), c.reference);
    EXPECT_EQ(cut, c.area > 0);
    EXPECT_TRUE(zone_test::isClosedChain(loop));
    EXPECT_GT(zone_test::signedArea(loop) * before, 0.0) << "the sense stays";
    EXPECT_NEAR(loopArea(loop), cut ? c.area : std::abs(before), 1e-6);
    EXPECT_TRUE(noDoubledPieces(loop));
    EXPECT_TRUE(cut || loop.itemCount() == items);
    EXPECT_TRUE(&c.shape != &kArcWall || hasArc(loop)) << "arcs stay arcs until the loop is prepared";
  }
}

// The 10 x 10 m square as a prepared zone.
class WorkingLoop : public LoopCut {
 protected:
  WorkingLoop() {
    zone.addBoundaryCurve(outline(kSquare.from, kSquare.steps));
    EXPECT_TRUE(zone.prepareLoop(true));
    zone.workingLoop.copyFrom(zone.asDrawnLoop);
  }
  CFHZoneBoundary zone;
};

TEST_F(WorkingLoop, BuildDropsPipesThatDoNotCrossTwiceAndCutsAlongTheRestInTurn) {
  // The second meets the loop once, the third misses it.
  auto pipes = pipeList(kAcross(), line({5, 5}, {5, 20}), line({20, 0}, {20, 5}), line({-1, 3}, {11, 3}));
  const CFloorHeatingCurve* first = pipes[0].get();
  ASSERT_TRUE(zone.build(pipes, {8, 5}, true));
  ASSERT_EQ(pipes.size(), 2u);
  EXPECT_EQ(pipes[0].get(), first);
  EXPECT_NEAR(loopArea(zone.workingLoop), 42, 1e-6);
  EXPECT_TRUE(zone_test::isClosedChain(zone.workingLoop) && zone.prepareLoop(false));

  auto none = pipeList();
  EXPECT_TRUE(zone.build(none, {}, true));
  EXPECT_NEAR(loopArea(zone.workingLoop), 100, 1e-6) << "recopied from the as-drawn loop";

  auto zigzag = pipeList(polyline({{2, -1}, {3, 1}, {4, -1}, {5, 11}}));
  EXPECT_FALSE(zone.build(zigzag, {8, 5}, true));
  EXPECT_NEAR(loopArea(zone.workingLoop), 100, 1e-6);
}

TEST_F(WorkingLoop, SideValuesReachEveryWorkingPieceOfTheSide) {
  auto pipes = pipeList(kAcross());
  ASSERT_TRUE(zone.build(pipes, {8, 5}, true));
  int at = 0;  // the bottom side, cut at x = 4 m
  while (zone.asDrawnLoop.item(at)->curve->midPoint().y != 0.0) ++at;
  const int bottom = zone.asDrawnLoop.item(at)->id;
  zone.setItemValue(at, 0.3);
  zone.setItemValue(zone.asDrawnLoop.itemCount(), 9.0);  // ignored
  int pieces = 0;
  for (int i = 0; i < zone.workingLoop.itemCount(); ++i) {
    const CFHBoundLoopItem& item = *zone.workingLoop.item(i);
    EXPECT_EQ(item.value, item.id == bottom ? 0.3 : -1.0);
    pieces += item.id == bottom;
  }
  EXPECT_TRUE(pieces == 1 && zone.asDrawnLoop.item(at)->value == 0.3);
}

TEST_F(WorkingLoop, NearestIntersectionTakesEveryHitOrTheNearestProjection) {
  XtGePoint2d out{-1, -1};
  ASSERT_TRUE(zone.nearestIntersection(*line({12, 2}, {15, 2}), {}, out, true));
  EXPECT_TRUE(near(out, {10, 2}, 1e-6)) << "the projection of the end nearer the loop";
  ASSERT_TRUE(zone.nearestIntersection(*line({5, 5}, {5, 20}), {5, 30}, out, false));
  EXPECT_TRUE(near(out, {5, 10}, 1e-6));

  CFHZoneBoundary arcWall;
  arcWall.addBoundaryCurve(outline(kArcWall.from, kArcWall.steps));
  ASSERT_TRUE(arcWall.prepareLoop(true));
  const double low = 5 - std::sqrt(21.0);
  ASSERT_TRUE(arcWall.nearestIntersection(*line({12, 11}, {12, -1}), {12, 0}, out, true));
  EXPECT_TRUE(near(out, {12, low}, 1e-6)) << "the nearer of the arc's two hits";

  CFHZoneBoundary empty;
  EXPECT_FALSE(empty.nearestIntersection(*line({0, 0}, {1, 1}), {}, out, true));
  EXPECT_TRUE(near(out, {12, low}, 1e-6)) << "untouched";
}

}  // namespace
