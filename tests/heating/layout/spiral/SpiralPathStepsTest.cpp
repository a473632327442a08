// Level-step points, the steps of a run two levels inward and over to the
// neighbouring loops, on Z1's levels 0, 1 and 2 (loops A, B and C).
#include "LayoutTestSupport.h"
#include "SpiralTestSupport.h"

#include <cmath>
#include <numbers>

namespace {

using namespace spiral_test;

class SpiralPathSteps : public layout_test::LayoutTest {};

struct Steps {
  explicit Steps(double shift = 0.0) : shift(shift), layout(z1Record(3, shift)) {}
  Point at(double x, double y) const { return shifted({x, y}, shift); }
  COffsetLoop* loop(int k) const { return loopAt(*layout, k); }
  COffsetNode* node(int k, double x, double y) { return nodeAt(*layout, loop(k), at(x, y)); }
  // The level-step points of the end, into p.
  bool find(const COffsetNode& end, const COffsetLoop* b, const COffsetLoop* avoid, bool& d) {
    return layout->findLevelStepPoints(end, b, loop(2), avoid, d, p[0], p[1], p[2]);
  }
  bool found(double x1, double y1, double x2, double y2, double x3, double y3) const {
    return p[0].point.isEqualTo(at(x1, y1), workTol) && p[1].point.isEqualTo(at(x2, y2), workTol) &&
           p[2].point.isEqualTo(at(x3, y3), workTol);
  }

  double shift;
  std::unique_ptr<CFHCircuitLayout> layout;
  COffsetPoint p[3];
};

TEST_F(SpiralPathSteps, TheStepGoesAsFarAlongAsTheRoomAllows) {
  for (double shift : {0.0, 1e7}) {
    for (const auto& [other, given] : {std::pair{1900.0, true}, std::pair{2000.0, false}}) {
      Steps z(shift);
      COffsetNode* end = z.node(0, 2100, 100);
      z.node(0, other, 100);
      bool d = given;
      ASSERT_TRUE(z.find(*end, z.loop(1), nullptr, d));
      EXPECT_TRUE(d) << "a node 100 behind turns the search round";
      EXPECT_TRUE(z.found(500, 100, 500, 300, 500, 500));
      EXPECT_EQ(z.p[2].links().size(), 2u) << "a corner of C";
    }
  }
}

TEST_F(SpiralPathSteps, RunsStepInwardByAppendingOrPrepending) {
  for (bool prepend : {false, true}) {
    Steps z;
    COffsetNode* end = z.node(0, 2100, 100);
    z.node(0, 1900, 100);
    bool d = true;
    COffsetNode* reached = prepend ? z.layout->stepPathAcrossLoops(end, z.loop(1), z.loop(2), nullptr, d)
                                   : z.layout->stepPathAcrossLoopsOut(end, z.loop(1), z.loop(2), nullptr, d);
    EXPECT_TRUE(reached->point.isEqualTo({500, 500}, workTol) && reached->owner == z.loop(2));
    ASSERT_EQ(z.layout->edges.size(), 3u);
    const COffsetEdge* along = z.layout->edges.front();
    EXPECT_TRUE((prepend ? along->b : along->a) == end && along->direction == (prepend ? 0 : 1));
    EXPECT_TRUE(!along->crossesOwners && z.layout->edges[1]->crossesOwners && z.layout->edges[2]->crossesOwners);
    EXPECT_NEAR(pathLength(*z.layout), 11600.0 + 400.0, 1e-6) << "round A from 2100 to 500, then across";
  }
}

TEST_F(SpiralPathSteps, WithoutCandidatesTheStepFallsBackBesideTheEnd) {
  Steps z;
  COffsetNode* end = z.node(0, 2100, 100);
  edgeOf(*z.layout, nodeAt(*z.layout, nullptr, {2100, 0}), end, 1);
  z.node(0, 1900, 100);
  bool d = true;
  // Every line from C to A meets C at its start: avoiding C leaves none.
  ASSERT_TRUE(z.find(*end, z.loop(1), z.loop(2), d));
  EXPECT_TRUE(z.found(1900, 100, 1900, 300, 1900, 500));
  // A loop B that no line reaches: no point P2, nothing added.
  std::unique_ptr<COffsetLoop> away(rectangle(9000, 9000, 9500, 9500));
  EXPECT_EQ(z.layout->stepPathAcrossLoopsOut(end, away.get(), z.loop(2), nullptr, d), end);
  EXPECT_EQ(z.layout->edges.size(), 1u);
  EXPECT_FALSE(z.find(*z.node(1, 2000, 300), z.loop(0), nullptr, d)) << "no next node";
}

// On a round zone every probe along loop C meets A more than 3 s away: the
// step goes straight across at the room's end, kept back by 0.99 s x
// (|A| / |C| - 1) so that it keeps its margin on C too. Without an edge at
// the end there is no fallback.
TEST_F(SpiralPathSteps, OnARoundZoneTheStepGoesStraightAcrossAtTheRoomsEnd) {
  for (double shift : {0.0, 1e7}) {
    std::vector<COffsetLoop*> rings;
    for (double r : {2000.0, 1800.0, 1600.0}) {
      std::vector<Point> corners;
      for (int i = 0; i < 24; ++i)
        corners.push_back(shifted({r * std::cos(i * std::numbers::pi / 12), r * std::sin(i * std::numbers::pi / 12)}, shift));
      rings.push_back(graph_test::polygonLoop(corners).release());
    }
    auto layout = recordWith(rings);
    COffsetNode* end = nodeAt(*layout, rings[0], shifted({2000, 0}, shift));
    COffsetNode* next = nodeAt(*layout, rings[0], rings[0]->section(6)->startPoint());
    COffsetPoint p[3];
    bool d = true;
    ASSERT_TRUE(layout->findLevelStepPoints(*end, rings[1], rings[2], nullptr, d, p[0], p[1], p[2])) << shift;
    const double room = rings[0]->lengthBetween(*end, *next, true, workTol) - 0.99 * 200;
    EXPECT_NEAR(rings[0]->lengthBetween(*end, p[0], true, workTol), room - 0.99 * 200 * (2000.0 / 1600 - 1), 1e-6);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(rings[k]->classifyPoint(p[k].point, workTol), CLoop::kOnLoop) << k;
    EXPECT_LT(p[0].point.distanceTo(p[2].point), 3 * 200.0);
  }
}

TEST_F(SpiralPathSteps, TheInRunStepsOverToTheNeighbouringLoops) {
  for (double shift : {0.0, 1e7}) {
    Steps z(shift);
    COffsetNode* a = z.node(0, 2000, 100);
    COffsetNode* b = z.node(1, 3000, 300);
    EXPECT_EQ(z.layout->joinPathToNeighbour(z.loop(2), a, b, 1), a) << "no next node";
    edgeOf(*z.layout, z.node(1, 2400, 300), z.node(0, 2400, 100), 1);
    COffsetNode* n3 = z.layout->joinPathToNeighbour(z.loop(2), a, b, 1);
    ASSERT_EQ(n3->owner, z.loop(2));
    ASSERT_EQ(z.layout->edges.size(), 4u);
    const double x = n3->point.x - shift;
    EXPECT_TRUE(x == 2200.0 || x == 2600.0) << x;
    EXPECT_TRUE(n3->point.isEqualTo(z.at(x, 500), workTol));
    EXPECT_TRUE(z.layout->edges[1]->a == a && z.layout->edges[1]->b->point.isEqualTo(z.at(x, 100), workTol));
    for (int i = 1; i < 4; ++i) EXPECT_EQ(z.layout->edges[i]->direction, 1);
    EXPECT_TRUE(b->edges.empty()) << "B is not changed";
  }
}

// A room whose left wall leans at 70 degrees: C's left side, carried on
// down to A, gives a step parallel to the wall. With the next node on A the
// margin (0.99 s) along A from the step's foot, the step would pass it at
// the margin times sin 70 (the other run leaves A there the same slant, so
// the runs lie 0.94 s apart): the step moves back along A, parallel to
// itself, until it passes the node at the margin; a node farther off leaves
// the step at C's corner.
TEST_F(SpiralPathSteps, ASlantedStepKeepsTheMarginFromTheNextNodeAcross) {
  const double s = 200.0;
  const double margin = 0.99 * s;
  const XtGeVector2d lean(std::cos(70.0 * std::numbers::pi / 180.0), std::sin(70.0 * std::numbers::pi / 180.0));
  // The offset of the room (0, 0), (4000, 0), (4000, 3000), (1092, 3000)
  // by w: its left side lies w from the wall's line through the origin.
  const auto level = [&](double w, double shift) {
    const XtGeVector2d inward(lean.y, -lean.x);
    const auto onLeft = [&](double y) { return (w - y * inward.y) / inward.x; };
    return graph_test::polygonLoop(graph_test::movedBy(
        {{onLeft(w), w}, {4000 - w, w}, {4000 - w, 3000 - w}, {onLeft(3000 - w), 3000 - w}}, shift));
  };
  for (const double shift : {0.0, 1e7}) {
    for (const double gap : {margin + 5.0, 2.0 * s}) {
      auto layout = recordWith({level(100, shift).release(), level(300, shift).release(), level(500, shift).release()});
      COffsetLoop* a = loopAt(*layout, 0);
      // Where C's left side meets A's bottom: the candidate's foot.
      const XtGePoint2d corner = loopAt(*layout, 2)->section(0)->startPoint();
      const XtGePoint2d foot = corner - lean * (400.0 / lean.y);
      COffsetNode* end = nodeAt(*layout, a, shifted({2100, 100}, shift));
      const COffsetNode* next = nodeAt(*layout, a, foot - XtGeVector2d(gap, 0));
      bool d = false;
      COffsetPoint p[3];
      ASSERT_TRUE(
          layout->findLevelStepPoints(*end, loopAt(*layout, 1), loopAt(*layout, 2), nullptr, d, p[0], p[1], p[2]));
      EXPECT_FALSE(d);
      for (int k = 0; k < 3; ++k) EXPECT_EQ(loopAt(*layout, k)->classifyPoint(p[k].point, workTol), CLoop::kOnLoop);
      const XtGeVector2d step = p[2].point - p[0].point;
      EXPECT_NEAR(step.crossProduct(lean), 0.0, 1e-6 * step.length()) << "parallel to the wall";
      const double across = std::fabs((next->point - p[0].point).crossProduct(lean));
      if (gap * lean.y >= margin) {
        EXPECT_TRUE(p[0].point.isEqualTo(foot, workTol) && p[2].point.isEqualTo(corner, workTol)) << "as found";
      } else {
        EXPECT_NEAR(across, margin, 0.01) << shift;
        EXPECT_NEAR(p[0].point.x - foot.x, (margin - gap * lean.y) / lean.y, 0.01);
        EXPECT_NEAR(p[2].point.y - shift, 500.0, 1e-6) << "on C's bottom beside its corner";
      }
    }
  }
}

}  // namespace
