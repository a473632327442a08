// The spiral's hairpin detours to uncovered loop pieces, the ray tests that
// move a detour's ends, the tests of new lines against the laid pipe, and
// the orders of the detour records.
#include "LayoutCheckAdapters.h"
#include "LayoutTestSupport.h"
#include "SpiralTestSupport.h"

#include "heating/layout/offsets/COffsetNarrowLoopSection.h"
#include "heating/layout/offsets/DeleteAndClear.h"
#include "heating/layout/record/EdgeChain.h"
#include "heating/layout/record/LayoutOrderings.h"
#include "heating/layout/checks/LayoutPipeClearance.h"
#include "heating/layout/meander/MeanderChain.h"
#include "heating/layout/offsets/NarrowSectionWindows.h"
#include "heating/layout/offsets/PointSegmentDistance.h"
#include "heating/layout/spiral/SpiralDetours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

using spiral_test::Point;

// A path of one edge from `from` to `to` (s 200): along the rectangle loop
// (0,0)-(2000,1000) when both lie on it, else straight; it is firstEdge,
// lastEdge and the closing edge. Narrow lines and other pipes are added.
class DetourScene : public layout_test::LayoutTest {
 protected:
  void lay(const Point& from, const Point& to, bool alongLoop) {
    layout = spiral_test::recordWith({spiral_test::rectangle(0, 0, 2000, 1000)});
    COffsetLoop* loop = alongLoop ? spiral_test::loopAt(*layout, 0) : nullptr;
    a = spiral_test::nodeAt(*layout, loop, from);
    b = spiral_test::nodeAt(*layout, loop, to);
    layout->firstEdge = layout->lastEdge = spiral_test::edgeOf(*layout, a, b, 1);
  }
  void narrow(const Point& p, const Point& q) {
    auto n = std::make_unique<COffsetNarrowLoopSection>();
    n->appendSection(makeSection(std::make_unique<CFloorHeatingLine>(p, q, nullptr, 2)));
    resetFreeIntervals(*n, 200);
    narrows.push_back(n.release());
  }
  void pipe(const Point& p, const Point& q) {
    spiral_test::edgeOf(*layout, spiral_test::nodeAt(*layout, nullptr, p), spiral_test::nodeAt(*layout, nullptr, q), 1);
  }
  // Lays the detours with the path as the closing edge (or, `leadIn`, as
  // the in-run's lead) and answers how many were laid (four edges each).
  int detours(bool leadIn = false) {
    const std::size_t before = layout->edges.size();
    layDetours(*layout, narrows, leadIn ? b : a, b, leadIn ? nullptr : layout->firstEdge);
    return static_cast<int>((layout->edges.size() - before) / 4);
  }
  // The free points of the path after its first node (the hairpins' ends,
  // on a straight T also their feet) in path order.
  std::vector<Point> hairpinEnds() const {
    std::vector<Point> ends;
    for (const COffsetEdge* e = layout->firstEdge; e != nullptr; e = nextEdgeOnChain(e)) {
      if (e->b->owner == nullptr && e->b != b) ends.push_back(e->b->point);
      if (e == layout->lastEdge) break;
    }
    return ends;
  }
  ~DetourScene() override { deleteOffsetLoopsAndFree(narrows); }

  std::unique_ptr<CFHCircuitLayout> layout;
  std::vector<COffsetNarrowLoopSection*> narrows;
  COffsetNode* a = nullptr;
  COffsetNode* b = nullptr;
};

// T (0,0)-(2000,0) on a loop, one narrow line (600,200)-(1400,200): two
// hairpins, at 600-800 and, from R = (800,0), at 1000-1200; the line is then
// wholly taken. One path, 800 of legs added (each hairpin's 200 across
// takes the place of 200 of T).
TEST_F(DetourScene, WorkedExample) {
  lay({0, 0}, {2000, 0}, true);
  narrow({600, 200}, {1400, 200});
  EXPECT_EQ(detours(), 2);
  EXPECT_TRUE(narrows.empty());
  EXPECT_TRUE(isSinglePath(*layout));
  EXPECT_NEAR(spiral_test::pathLength(*layout), 2000 + 800, 1e-6);
  const std::vector<Point> ends = hairpinEnds();
  const std::vector<Point> expected{{600, 200}, {800, 200}, {1000, 200}, {1200, 200}};
  ASSERT_EQ(ends.size(), expected.size());
  for (std::size_t i = 0; i < ends.size(); ++i) EXPECT_TRUE(ends[i].isEqualTo(expected[i], workTol)) << i;
}

// What gets no detour: a line within 0.75 s of another pipe, a line the
// path's own window covers (the graph stays as it was).
TEST_F(DetourScene, NoDetourNearPipeOrCovered) {
  lay({0, 0}, {2000, 0}, true);
  narrow({600, 200}, {1400, 200});
  pipe({0, 320}, {2000, 320});
  EXPECT_EQ(detours(), 0);
  lay({0, 0}, {2000, 0}, true);
  deleteOffsetLoopsAndFree(narrows);
  narrow({600, 100}, {1400, 100});
  EXPECT_EQ(detours(), 0);
  EXPECT_EQ(layout->edges.size(), 1u);
}

// A pipe slanting past the end of a hairpin: the ray from B meets it 250
// above B and moves B out to s short of it, where the line A -> B comes 0.77
// s from the slanted pipe (the detours' 0.75 s allowed it). The ends are
// drawn back towards T until the hairpin keeps s from it, the legs no
// shorter than 0.75 s.
TEST_F(DetourScene, AHairpinKeepsSFromAPipeSlantingPastItsEnd) {
  lay({0, 0}, {2000, 0}, true);
  narrow({600, 250}, {800, 250});
  const Point p(800, 500);
  const Point q(1100, 250);
  pipe(p, q);
  EXPECT_EQ(detours(), 1);
  const std::vector<Point> ends = hairpinEnds();
  ASSERT_EQ(ends.size(), 2u);
  EXPECT_GE(std::min({pointSegmentDistance(ends[0], p, q), pointSegmentDistance(ends[1], p, q),
                      pointSegmentDistance(p, ends[0], ends[1]), pointSegmentDistance(q, ends[0], ends[1])}),
            198.0);
  for (const Point& end : ends) EXPECT_GE(end.y, 150.0 - 1e-6);
}

// Candidates exactly 2.6 s apart along T are one group, of which the one
// farthest from T is laid; the nearer one then lies behind R.
TEST_F(DetourScene, OneGroupWithinTwoPointSixSpacings) {
  lay({0, 0}, {2000, 0}, true);
  narrow({600, 200}, {800, 200});
  narrow({1120, 400}, {1320, 400});
  EXPECT_EQ(detours(), 1);
  const std::vector<Point> ends = hairpinEnds();
  ASSERT_EQ(ends.size(), 2u);
  EXPECT_TRUE(ends[0].isEqualTo({1120, 400}, workTol));
}

// A line beside the second piece of the path gets its detour; lines on both
// sides of one straight T get theirs in path order, the pipe simple; a
// detour on the lead in leaves firstEdge naming the path's first edge.
TEST_F(DetourScene, SecondPieceBothSidesAndTheLeadIn) {
  lay({500, 0}, {2000, 600}, true);
  narrow({1800, 100}, {1800, 500});
  EXPECT_EQ(detours(), 1);
  EXPECT_TRUE(hairpinEnds().front().isEqualTo({1800, 150}, workTol));  // the bottom's window reaches y 150

  lay({0, 0}, {2000, 0}, false);
  narrow({600, 200}, {800, 200});
  narrow({1200, -200}, {1400, -200});
  EXPECT_EQ(detours(), 2);
  const std::vector<Point> ends = hairpinEnds();
  ASSERT_EQ(ends.size(), 8u);  // feet on T and far ends, in path order
  EXPECT_TRUE(ends[1].isEqualTo({600, 200}, workTol) && ends[5].isEqualTo({1200, -200}, workTol));
  const auto path = layout_check::walkLayoutGraph(*layout);
  EXPECT_TRUE(path.faults.empty());
  layout_check::Zone zone;
  zone.s = 200;
  EXPECT_TRUE(layout_check::checkLayout(zone, path.pieces, {0, 9, 9, false}).simple.ok);

  lay({0, 0}, {2000, 0}, false);
  narrow({600, 200}, {800, 200});
  const COffsetEdge* lead = layout->firstEdge;
  EXPECT_EQ(detours(true), 1);
  EXPECT_NE(layout->firstEdge, lead);
  EXPECT_EQ(layout->firstEdge->a, a);
  EXPECT_TRUE(isSinglePath(*layout));
}

// The ray test of one detour end, P (0,0) and Q (0,100): a pipe across the
// ray at h from Q moves Q to h - s along it, when the first pass (beyond
// s) or the second (beyond 0.75 s) finds it short of 2.231 s; exactly
// 2.231 s, or exactly 0.75 s in the second pass, does not count; P = Q has
// no ray.
TEST_F(DetourScene, RayPairMovesTheEnd) {
  const double s = 200;
  struct Case {
    double h;
    bool moved;
  } cases[] = {{2.231 * s, false}, {1.5 * s, true}, {0.9 * s, true}, {0.75 * s, false}};
  for (const Case& c : cases) {
    lay({-1000, 100 + c.h}, {1000, 100 + c.h}, false);
    const EdgePathIndex paths(layout->edges, s);
    const CFloorHeatingLine t({-500, 0}, {500, 0}, nullptr, 3);
    Point q(0, 100);
    EXPECT_EQ(castRayPairToPaths({0, 0}, q, paths, t, {}, s), c.moved) << c.h;
    EXPECT_TRUE(q.isEqualTo(Point(0, c.moved ? 100 + c.h - s : 100), workTol)) << c.h;
  }
  // A wall 0.6 s beside the moved leg: clear of 0.5 s, not of a first
  // offset of 0.65 s, which the spiral's detours keep.
  lay({-1000, 400}, {1000, 400}, false);
  const EdgePathIndex paths(layout->edges, s);
  const CFloorHeatingLine wall({120, -500}, {120, 500}, nullptr, 9);
  const CFloorHeatingLine t({-500, 0}, {500, 0}, nullptr, 3);
  for (const double clearance : {0.0, 130.0}) {
    Point moved(0, 100);
    EXPECT_EQ(castRayPairToPaths({0, 0}, moved, paths, t, {&wall}, s, clearance), clearance == 0.0) << clearance;
  }
  Point q(0, 0);
  EXPECT_FALSE(castRayPairToPaths({0, 0}, q, paths, CFloorHeatingLine({-1, 0}, {1, 0}, nullptr, 3), {}, s));
  Point ra(0, 100);
  Point rb(200, 100);
  EXPECT_TRUE(castRaysToPaths({0, 0}, ra, {200, 0}, rb, paths, CFloorHeatingLine({-1, 0}, {300, 0}, nullptr, 3), {},
                              s));
  EXPECT_TRUE(ra.isEqualTo({0, 200}, workTol) && rb.isEqualTo({200, 200}, workTol));
  // Both ends at once take the nearest pipe however far (here 10 s): the
  // bound of the single end's test does not hold for them.
  lay({-1000, 2100}, {1000, 2100}, false);
  const EdgePathIndex far(layout->edges, s);
  ra = Point(0, 100);
  rb = Point(200, 100);
  Point q1(0, 100);
  EXPECT_FALSE(castRayPairToPaths({0, 0}, q1, far, CFloorHeatingLine({-1, 0}, {300, 0}, nullptr, 3), {}, s));
  EXPECT_TRUE(castRaysToPaths({0, 0}, ra, {200, 0}, rb, far, CFloorHeatingLine({-1, 0}, {300, 0}, nullptr, 3), {}, s));
  EXPECT_TRUE(ra.isEqualTo({0, 1900}, workTol) && rb.isEqualTo({200, 1900}, workTol));
}

// A pipe just beyond the reach (2.231 s), within the second pass's slack
// of its end, slanted across rays of any direction: the end stays (the
// meeting was once put at the ray's end and counted or not by the rounding
// of the ray's direction).
TEST_F(DetourScene, RayPairReachEndsAtItsBound) {
  const double s = 211;
  std::mt19937 random(3);
  std::uniform_real_distribution<double> turn(0.0, 6.283185307179586);
  for (const double beyond : {0.5, 3.5, 10.0}) {
    for (int trial = 0; trial < 40; ++trial) {
      const double angle = turn(random);
      const XtGeVector2d unit(std::cos(angle), std::sin(angle));  // the ray's direction
      const XtGeVector2d across(unit.y, -unit.x);
      const XtGePoint2d p(1000.0 * unit.y, 700.0 * unit.x);
      const XtGePoint2d q = p + unit * 100.0;
      const XtGePoint2d hit = q + unit * (2.231 * s + beyond);
      lay(hit - across * 1000.0 - unit * 130.0, hit + across * 1000.0 + unit * 130.0, false);
      const EdgePathIndex paths(layout->edges, s);
      const CFloorHeatingLine t(p - across * 500.0, p + across * 500.0, nullptr, 3);
      Point end = q;
      EXPECT_FALSE(castRayPairToPaths(p, end, paths, t, {}, s)) << beyond << " beyond, trial " << trial;
    }
  }
}

// Crossing paths, shared ends, a pipe folding back (at a shared end or over
// short pieces) and a loop path crossing itself; lines near the pipe (the
// pipe at their foot left out) and near other curves.
TEST_F(DetourScene, PathsCrossAndMeet) {
  lay({0, 0}, {1000, 0}, false);
  pipe({1000, 0}, {1000, 1000});  // shares an end: no crossing
  EXPECT_FALSE(offsetEdgePathsCross(*layout, workTol));
  pipe({500, -500}, {500, 500});
  EXPECT_TRUE(offsetEdgePathsCross(*layout, workTol));
  auto bowTie = spiral_test::recordWith(
      {graph_test::polygonLoop({{0, 0}, {1000, 1000}, {1000, 0}, {0, 1000}}).release()});
  COffsetLoop* loop = spiral_test::loopAt(*bowTie, 0);
  COffsetNode* from = spiral_test::nodeAt(*bowTie, loop, {0, 400});
  spiral_test::edgeOf(*bowTie, from, spiral_test::nodeAt(*bowTie, loop, {0, 500}), 1);  // once round the loop
  EXPECT_TRUE(offsetEdgePathsCross(*bowTie, workTol));
  // A pipe that turns back at a shared end runs over itself: a spike 2.9
  // degrees wide, a step of 2.4 back along the piece before (both seen in
  // spirals laid on random floors); a corner of 17 degrees is a corner.
  for (const auto& [to, folds] : {std::pair{Point(0, 50), true}, std::pair{Point(997.6, 0.1), true},
                                  std::pair{Point(0, 300), false}}) {
    lay({0, 0}, {1000, 0}, false);
    pipe({1000, 0}, to);
    EXPECT_EQ(offsetEdgePathsCross(*layout, workTol), folds) << to.x << ", " << to.y;
  }
  // Walked along the path, a pipe 17 thick: a hairpin 15 wide or a spike
  // whose tip is two short pieces turns back beside itself; a hairpin s/2
  // wide, one 15 wide whose legs run apart, or a step of 16 back beside a
  // long piece 24 away (a wall's jog in the first loop) does not. Each walk
  // gets leads bent below it (two pieces at either end), which the check
  // leaves out.
  struct Walk {
    std::vector<Point> points;
    bool folds;
  } walks[] = {{{{0, 0}, {0, 500}, {15, 500}, {15, 0}}, true},
               {{{0, 0}, {400, 0}, {405, 10}, {404, 11}, {100, 2}}, true},
               {{{0, 0}, {0, 500}, {100, 500}, {100, 0}}, false},
               {{{0, 0}, {0, 500}, {15, 500}, {300, 0}}, false},
               {{{0, 0}, {0, 500}, {-16, 500}, {-16, 524}, {2000, 524}, {2000, 0}}, false}};
  LayoutPipeClearance clearance;
  for (const Walk& w : walks) {
    layout = spiral_test::recordWith({spiral_test::rectangle(0, 0, 2000, 1000)});
    layout->pipeDiameter = 17.0;
    std::vector<Point> points{w.points.front() - XtGeVector2d(0, 400), w.points.front() - XtGeVector2d(0, 300)};
    points.insert(points.end(), w.points.begin(), w.points.end());
    points.push_back(w.points.back() - XtGeVector2d(0, 300));
    points.push_back(w.points.back() - XtGeVector2d(0, 400));
    COffsetNode* from = spiral_test::nodeAt(*layout, nullptr, points.front());
    for (std::size_t i = 1; i < points.size(); ++i) {
      COffsetNode* to = spiral_test::nodeAt(*layout, nullptr, points[i]);
      COffsetEdge* edge = spiral_test::edgeOf(*layout, from, to, 1);
      if (i == 1) layout->firstEdge = edge;
      layout->lastEdge = edge;
      from = to;
    }
    EXPECT_EQ(clearance.meetsItself(*layout), w.folds) << w.points.size() << " points";
  }

  lay({0, 0}, {0, 1000}, false);
  const double s = 200;
  const Point foot(0, 500);
  struct Case {
    Point from, to;
    const Point* foot;
    bool meets;
  } cases[] = {{{-100, 200}, {100, 200}, nullptr, true},   // crosses the pipe
               {{140, 0}, {140, 1000}, nullptr, true},     // 0.7 s beside it
               {{160, 0}, {160, 1000}, nullptr, false},    // 0.8 s beside it
               {{0, 500}, {400, 500}, &foot, false},       // square from its foot
               {{0, 500}, {400, 500}, nullptr, true}};
  for (const Case& c : cases)
    EXPECT_EQ(offsetEdgePathsMeetCurve(layout->edges, CFloorHeatingLine(c.from, c.to, nullptr, 1),
                                       0.75 * s, c.foot),
              c.meets)
        << c.from.x << " " << c.from.y;
  const CFloorHeatingLine wall({0, 300}, {1000, 300}, nullptr, 15);
  EXPECT_TRUE(curveNearAnyCurve(CFloorHeatingLine({0, 0}, {1000, 0}, nullptr, 1), {nullptr, &wall}, 300));
  EXPECT_FALSE(curveNearAnyCurve(CFloorHeatingLine({0, 0}, {1000, 0}, nullptr, 1), {&wall}, 299));
}

// The cluster sorts on 1,000 seeded sets: a permutation, the same when
// sorted again; clusters ascending by their first member; within one,
// positions descending (third then fourth) or input order kept (key).
TEST(SpiralOrderings, ClusterSortsAreStrict) {
  struct Record {
    double offset, position, key;
    int id;
  };
  std::mt19937 random(46);
  std::uniform_real_distribution<double> value(0.0, 0.05);
  const double near = 0.004;
  for (int set = 0; set < 1000; ++set) {
    std::vector<Record> records(1 + random() % 12);
    for (std::size_t i = 0; i < records.size(); ++i)
      records[i] = {value(random), value(random), value(random), static_cast<int>(i)};
    for (const bool byKey : {false, true}) {
      std::vector<Record> once = records;
      byKey ? sortByKeyThenMax(once) : sortByThirdThenFourth(once, near);
      std::vector<Record> twice = once;
      byKey ? sortByKeyThenMax(twice) : sortByThirdThenFourth(twice, near);
      std::vector<int> ids;
      for (std::size_t i = 0; i < once.size(); ++i) {
        EXPECT_EQ(once[i].id, twice[i].id);
        ids.push_back(once[i].id);
      }
      std::sort(ids.begin(), ids.end());
      for (std::size_t i = 0; i < ids.size(); ++i) ASSERT_EQ(ids[i], static_cast<int>(i));
      // The clusters, found apart from the sort: runs, in ascending order,
      // within the width of their first member.
      const auto of = [&](const Record& r) { return byKey ? r.key : r.offset; };
      const double width = byKey ? kKeyClusterWidth : near;
      std::vector<Record> ascending = records;
      std::stable_sort(ascending.begin(), ascending.end(), [&](const Record& x, const Record& y) { return of(x) < of(y); });
      std::vector<int> cluster(records.size());
      for (std::size_t i = 0, first = 0, c = 0; i < ascending.size(); ++i) {
        if (of(ascending[i]) - of(ascending[first]) >= width) first = i, ++c;
        cluster[static_cast<std::size_t>(ascending[i].id)] = static_cast<int>(c);
      }
      for (std::size_t i = 1; i < once.size(); ++i) {
        const int c0 = cluster[static_cast<std::size_t>(once[i - 1].id)];
        const int c1 = cluster[static_cast<std::size_t>(once[i].id)];
        EXPECT_LE(c0, c1);
        EXPECT_TRUE(c0 != c1 || (byKey ? once[i].id > once[i - 1].id : once[i].position <= once[i - 1].position));
      }
    }
  }
}

}  // namespace
