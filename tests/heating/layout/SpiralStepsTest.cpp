// The spiral's own steps: the corner cuts of the first loop, the leads bent
// where they leave the zone, a second run on one record, and the two
// attempts with the check of the laid pipe.
#include "SpiralTestSupport.h"
#include "SpiralZones.h"

#include "heating/layout/SpiralRun.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using meander_test::UnitScope;
using spiral_test::Point;
using spiral_zone::Laid;

std::vector<Point> cornersOf(const COffsetLoop& loop) {
  std::vector<Point> corners;
  for (int i = 0; i < loop.sectionCount(); ++i) corners.push_back(loop.section(i)->startPoint());
  return corners;
}

// A chamfer that level 1 crosses becomes the square corner the lines of its
// neighbours make; a square whose every side meets level 1 has no single
// corner to make and stays as it is.
TEST(SpiralCornerCuts, ChamferSquaredAndSquareLeftAlone) {
  const UnitScope units(1000);
  struct Case {
    std::vector<Point> first, inner, expected;
  } cases[] = {
      {{{0, 0}, {1000, 0}, {1200, 200}, {1200, 1000}, {0, 1000}},
       {{100, 100}, {1150, 100}, {1150, 900}, {100, 900}},
       {{0, 0}, {1000, 0}, {1200, 0}, {1200, 200}, {1200, 1000}, {0, 1000}}},
      {{{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}},
       {{500, -100}, {1100, 500}, {500, 1100}, {-100, 500}},
       {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}}},
  };
  for (const Case& c : cases) {
    auto layout = spiral_test::recordWith(
        {graph_test::polygonLoop(c.first).release(), graph_test::polygonLoop(c.inner).release()});
    SpiralRun run(*layout);
    cutFirstLoopCorners(run);
    const std::vector<Point> corners = cornersOf(*layout->firstOffsetLoop());
    ASSERT_EQ(corners.size(), c.expected.size());
    for (std::size_t i = 0; i < corners.size(); ++i) EXPECT_TRUE(corners[i].isEqualTo(c.expected[i], workTol)) << i;
  }
}

// The loops made ready: a side of 2 mm between a side and one running back
// beside it (a spike an offset leaves beside a wall's jog) is unfolded, the
// spike's tip cut off at the foot of its end; a four-sided loop whose side
// the offsets left in parts meeting in line within a thousandth of s is
// four-sided again; a corner of a round wall's polygon (a few degrees) is
// no fold and no part of a side.
TEST(SpiralLoopPreparation, FoldsUnfoldedAndSidesInLineJoined) {
  const UnitScope units(1000);
  struct Case {
    std::vector<Point> loop, expected;
  } cases[] = {
      {{{0, 0}, {1000, 0}, {1000, 2}, {977, 2}, {977, 1000}, {0, 1000}},
       {{0, 0}, {977, 0}, {977, 2}, {977, 1000}, {0, 1000}}},
      {{{0, 0}, {1000, 0}, {1000, 600}, {1000.05, 601.8}, {1000.1, 1000}, {0, 1000}},
       {{0, 0}, {1000, 0}, {1000.1, 1000}, {0, 1000}}},
      {{{0, 0}, {1000, 0}, {1040, 500}, {1000, 1000}, {0, 1000}},
       {{0, 0}, {1000, 0}, {1040, 500}, {1000, 1000}, {0, 1000}}},
  };
  for (const Case& c : cases) {
    auto layout = spiral_test::recordWith({graph_test::polygonLoop(c.loop).release()});
    SpiralRun run(*layout);
    prepareSpiralLoops(run);
    ASSERT_NE(layout->firstOffsetLoop(), nullptr);
    const std::vector<Point> corners = cornersOf(*layout->firstOffsetLoop());
    ASSERT_EQ(corners.size(), c.expected.size()) << c.loop.size() << " corners";
    for (std::size_t i = 0; i < corners.size(); ++i) {
      const auto at = std::find_if(c.expected.begin(), c.expected.end(),
                                   [&](const Point& e) { return corners[i].isEqualTo(e, workTol); });
      EXPECT_NE(at, c.expected.end()) << corners[i].x << ", " << corners[i].y;
    }
  }
}

// The tongue: with both pipe ends on its tip the straight leads would cross
// the room's bottom wall, so both are bent to run parallel to the tongue's
// axis to the wall's line (y = 0, where x is the end's x + y); with the
// start pipe end on the bottom wall only the lead out is bent. Moved so that
// the straight lead's crossing of the wall lies on the origin, the bends
// stay where they were.
TEST(SpiralLeads, BentAlongTheTongue) {
  const UnitScope units(1000);
  const auto onWallLine = [](const COffsetNode* y, const Point& end) {
    return y->owner == nullptr && y->point.isEqualTo(Point(end.x + end.y, 0), workTol);
  };
  for (const bool onWall : {false, true}) {
    const Laid laid(spiral_zone::tongue(onWall));
    ASSERT_TRUE(laid.ok && laid.path.faults.empty());
    const CFHCircuitLayout& l = laid.layout();
    EXPECT_TRUE(onWallLine(l.lastEdge->a, l.endEnd->point));
    EXPECT_TRUE(onWall || onWallLine(l.firstEdge->b, l.startEnd->point));
    EXPECT_TRUE(laid.check().sound()) << laid.check().summary();
  }
  const Laid unmoved(spiral_zone::tongue());
  const Point start = unmoved.layout().startEnd->point;
  const Point q1 = unmoved.layout().firstEdge->b->edges.back()->b->point;
  const double x = start.x + (q1.x - start.x) * (0.0 - start.y) / (q1.y - start.y);
  zone_set::ZoneCase c = spiral_zone::tongue();
  for (auto& curve : c.zone.curves) curve->translateBy(XtGeVector2d(-x, 0));
  for (Point* p : {&c.startEnd, &c.endEnd, &c.basePoint}) p->x -= x;
  const Laid moved(std::move(c));
  ASSERT_TRUE(moved.ok);
  EXPECT_TRUE(moved.layout().firstEdge->b->point.isEqualTo(
      unmoved.layout().firstEdge->b->point - XtGeVector2d(x, 0), workTol));
  EXPECT_EQ(moved.layout().edges.size(), unmoved.layout().edges.size());
}

// A second run on one record (over the levels the first one prepared; Z3's
// legs went to its sub-areas), and a run after the meander gave its zone up:
// the old graph goes first (nodes off their sections), the new one is sound.
TEST(SpiralRerun, EmptiesTheGraphFirst) {
  const UnitScope units(1000);
  for (zone_set::ZoneCase (*make)() : {zone_set::z2, zone_set::z3}) {
    Laid laid(make());
    ASSERT_TRUE(laid.ok);
    ASSERT_TRUE(laid.layout().layoutSpiral());
    laid.path = layout_check::walkLayoutGraph(laid.layout());
    EXPECT_TRUE(laid.path.faults.empty() && laid.check().sound());
  }
  zone_set::ZoneCase z9 = zone_set::z9();
  auto zone = meander_test::layoutZone(z9, CFHCircuitLayout::kMeander);
  ASSERT_TRUE(zone->layout->layoutMeander());  // no meander fits: the spiral lays it
  ASSERT_TRUE(zone->layout->layoutSpiral());
  const auto path = layout_check::walkLayoutGraph(*zone->layout);
  EXPECT_TRUE(path.faults.empty());
  EXPECT_TRUE(layout_check::checkLayout(zone_set::checkZone(z9), path.pieces, {0, 9, 9, false}).sound());
}

// The check after each attempt: when both attempts cross, the innermost
// level is set apart (one at a time, down to the first level alone) and the
// runs laid again with either turn choice; a pipe that still crosses then
// is the better attempt laid again on every level (kPathsCross); one that
// no longer crosses is kept, its levels one fewer. A graph that is no path
// from firstEdge to lastEdge after both is removed (kNoSpiralPath), the
// levels kept.
TEST(SpiralAttempts, CrossingKeptBranchRemoved) {
  const UnitScope units(1000);
  const std::size_t levels = Laid(zone_set::z1()).layout().levels.size();
  ASSERT_GE(levels, 3u);
  int attempts = 0;
  SpiralHooks crossing;
  crossing.crossingCheck = [&](const CFHCircuitLayout&, int, bool) { return ++attempts > 0; };
  {
    const SpiralHookScope scope(crossing);
    const Laid laid(zone_set::z1());
    EXPECT_TRUE(laid.ok);
    EXPECT_EQ(laid.layout().outcome, LayoutOutcome::kPathsCross);
    EXPECT_TRUE(laid.path.faults.empty() && !laid.layout().edges.empty());
    EXPECT_EQ(attempts, 2 + 2 * static_cast<int>(levels - 1));
    EXPECT_EQ(laid.layout().levels.size(), levels);
  }
  SpiralHooks crossingTwice;
  crossingTwice.crossingCheck = [](const CFHCircuitLayout&, int attempt, bool crossed) {
    return crossed || attempt < 2;
  };
  {
    const SpiralHookScope scope(crossingTwice);
    const Laid laid(zone_set::z1());
    EXPECT_TRUE(laid.ok);
    EXPECT_EQ(laid.layout().outcome, LayoutOutcome::kLaid);
    EXPECT_EQ(laid.layout().levels.size(), levels - 1);
    EXPECT_TRUE(laid.path.faults.empty() && !laid.layout().edges.empty());
    EXPECT_TRUE(laid.check().sound()) << laid.check().summary();
  }
  SpiralHooks branch;
  branch.afterCentre = [](CFHCircuitLayout& layout, const SpiralRun& run) {
    layout.appendNodeOnLoop(run.inEnd, run.inEnd->point + XtGeVector2d(0, 10), {}, nullptr, 1, true);
  };
  const SpiralHookScope scope(branch);
  const Laid laid(zone_set::z1());
  EXPECT_FALSE(laid.ok);
  EXPECT_EQ(laid.layout().outcome, LayoutOutcome::kNoSpiralPath);
  EXPECT_TRUE(laid.layout().edges.empty() && laid.layout().nodes.empty() && laid.layout().firstEdge == nullptr);
  EXPECT_FALSE(laid.layout().levels.empty());
}

}  // namespace
