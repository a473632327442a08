// Level-step points and the steps of a run two levels inward, on Z1's levels
// 0, 1 and 2 (loops A, B and C).
#include "LayoutTestSupport.h"
#include "SpiralTestSupport.h"

namespace {

using namespace spiral_test;

class SpiralPathSteps : public layout_test::LayoutTest {};

struct Steps {
  explicit Steps(double shift) : shift(shift), layout(z1Record(3, shift)) {}
  Point at(double x, double y) const { return shifted({x, y}, shift); }
  COffsetLoop* loop(int k) const { return loopAt(*layout, k); }
  COffsetNode* node(int k, double x, double y) { return nodeAt(*layout, loop(k), at(x, y)); }

  double shift;
  std::unique_ptr<CFHCircuitLayout> layout;
};

TEST_F(SpiralPathSteps, TheStepGoesAsFarAlongAsTheRoomAllows) {
  for (double shift : {0.0, 1e7}) {
    struct Case {
      double other;  // the x of the second node on A
      bool d;
    };
    for (const Case& c : {Case{1900, true}, Case{2000, false}}) {
      Steps z(shift);
      COffsetNode* end = z.node(0, 2100, 100);
      z.node(0, c.other, 100);
      bool d = c.d;
      COffsetPoint p1;
      COffsetPoint p2;
      COffsetPoint p3;
      ASSERT_TRUE(z.layout->findLevelStepPoints(*end, z.loop(1), z.loop(2), nullptr, d, p1, p2, p3));
      EXPECT_TRUE(d) << "a node 100 behind turns the search round";
      EXPECT_TRUE(p1.point.isEqualTo(z.at(500, 100), workTol));
      EXPECT_TRUE(p2.point.isEqualTo(z.at(500, 300), workTol));
      EXPECT_TRUE(p3.point.isEqualTo(z.at(500, 500), workTol));
      EXPECT_TRUE(p1.hasLink(z.loop(0)->section(0)) && p2.hasLink(z.loop(1)->section(0)));
      EXPECT_EQ(p3.links().size(), 2u) << "a corner of C";
    }
  }
}

TEST_F(SpiralPathSteps, RunsStepInwardByAppendingOrPrepending) {
  for (bool prepend : {false, true}) {
    Steps z(0.0);
    COffsetNode* end = z.node(0, 2100, 100);
    z.node(0, 1900, 100);
    bool d = true;
    COffsetNode* reached = prepend ? z.layout->stepPathAcrossLoops(end, z.loop(1), z.loop(2), nullptr, d)
                                   : z.layout->stepPathAcrossLoopsOut(end, z.loop(1), z.loop(2), nullptr, d);
    ASSERT_NE(reached, end);
    EXPECT_TRUE(reached->point.isEqualTo({500, 500}, workTol));
    EXPECT_EQ(reached->owner, z.loop(2));
    ASSERT_EQ(z.layout->edges.size(), 3u);
    const COffsetEdge* along = z.layout->edges.front();
    EXPECT_EQ(prepend ? along->b : along->a, end);
    EXPECT_EQ(along->direction, prepend ? 0 : 1);
    EXPECT_EQ(along->crossesOwners, 0);
    EXPECT_TRUE(z.layout->edges[1]->crossesOwners && z.layout->edges[2]->crossesOwners);
    EXPECT_NEAR(pathLength(*z.layout), 11600.0 + 400.0, 1e-6) << "round A from 2100 to 500, then across";
  }
}

TEST_F(SpiralPathSteps, WithoutCandidatesTheStepFallsBackBesideTheEnd) {
  // Every line from C to A meets C at its start: avoiding C leaves none.
  Steps z(0.0);
  COffsetNode* lead = nodeAt(*z.layout, nullptr, {2100, 0});
  COffsetNode* end = z.node(0, 2100, 100);
  edgeOf(*z.layout, lead, end, 1);
  z.node(0, 1900, 100);
  bool d = true;
  COffsetPoint p1;
  COffsetPoint p2;
  COffsetPoint p3;
  ASSERT_TRUE(z.layout->findLevelStepPoints(*end, z.loop(1), z.loop(2), z.loop(2), d, p1, p2, p3));
  EXPECT_TRUE(p1.point.isEqualTo({1900, 100}, workTol));
  EXPECT_TRUE(p2.point.isEqualTo({1900, 300}, workTol));
  EXPECT_TRUE(p3.point.isEqualTo({1900, 500}, workTol));

  // A loop B that no line reaches: no point P2, nothing added.
  std::unique_ptr<COffsetLoop> away(rectangle(9000, 9000, 9500, 9500));
  const std::size_t edges = z.layout->edges.size();
  EXPECT_EQ(z.layout->stepPathAcrossLoopsOut(end, away.get(), z.loop(2), nullptr, d), end);
  EXPECT_EQ(z.layout->edges.size(), edges);
  COffsetNode* alone = z.node(1, 2000, 300);
  EXPECT_FALSE(z.layout->findLevelStepPoints(*alone, z.loop(0), z.loop(2), nullptr, d, p1, p2, p3))
      << "no next node";
}

TEST_F(SpiralPathSteps, TheInRunStepsOverToTheNeighbouringLoops) {
  for (double shift : {0.0, 1e7}) {
    Steps z(shift);
    COffsetNode* a = z.node(0, 2000, 100);
    COffsetNode* b = z.node(1, 3000, 300);
    EXPECT_EQ(z.layout->joinPathToNeighbour(z.loop(2), a, b, 1), a) << "no next node";
    edgeOf(*z.layout, z.node(1, 2400, 300), z.node(0, 2400, 100), 1);
    const std::size_t before = z.layout->edges.size();
    COffsetNode* n3 = z.layout->joinPathToNeighbour(z.loop(2), a, b, 1);
    ASSERT_EQ(n3->owner, z.loop(2));
    EXPECT_EQ(z.layout->edges.size(), before + 3);
    const double x = n3->point.x - shift;
    EXPECT_TRUE(x == 2200.0 || x == 2600.0) << x;
    EXPECT_TRUE(n3->point.isEqualTo(z.at(x, 500), workTol));
    const COffsetEdge* first = z.layout->edges[before];
    EXPECT_EQ(first->a, a);
    EXPECT_TRUE(first->b->point.isEqualTo(z.at(x, 100), workTol));
    for (std::size_t i = before; i < z.layout->edges.size(); ++i) EXPECT_EQ(z.layout->edges[i]->direction, 1);
    EXPECT_TRUE(b->point.isEqualTo(z.at(3000, 300), workTol) && b->edges.empty());
  }
}

}  // namespace
