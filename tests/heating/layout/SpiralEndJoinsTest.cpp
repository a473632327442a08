// The joins of the spiral's run ends at the centre: through two join points
// on Z1's levels 5 and 6, and by the zigzag inside the four-sided innermost
// loop Q of a 6000 x 3000 room (L its level 5, Q its level 6).
#include "LayoutCheckAdapters.h"
#include "LayoutTestSupport.h"
#include "SpiralTestSupport.h"

#include <algorithm>

namespace {

using namespace spiral_test;

class SpiralEndJoins : public layout_test::LayoutTest {};

TEST_F(SpiralEndJoins, JoinPointsBesideANeighbourOrAcrossTheLoop) {
  for (double shift : {0.0, 1e7}) {
    auto layout = z1Record(7, shift);
    COffsetLoop* l5 = loopAt(*layout, 5);
    COffsetLoop* l6 = loopAt(*layout, 6);
    // N alone on level 6: P2 half round level 5 from O, P1 its projection.
    COffsetNode* n = nodeAt(*layout, l6, shifted({2000, 1300}, shift));
    COffsetNode* o = nodeAt(*layout, l5, shifted({2000, 1100}, shift));
    ASSERT_TRUE(layout->joinPathEnds(n, o, false, 1));
    EXPECT_TRUE(n->point.isEqualTo(shifted({2000, 1900}, shift), workTol));
    EXPECT_EQ(n->owner, l5);
    ASSERT_EQ(layout->edges.size(), 2u);
    EXPECT_TRUE(layout->edges[0]->b->point.isEqualTo(shifted({2000, 1700}, shift), workTol));
    EXPECT_NEAR(pathLength(*layout), 1800.0 + 200.0, 1e-6);

    // N on level 5 beside a node: P2 s back along level 6 from O, P1 down
    // its normal ray on level 5.
    auto beside = z1Record(7, shift);
    COffsetNode* m = nodeAt(*beside, loopAt(*beside, 5), shifted({2000, 1100}, shift));
    nodeAt(*beside, loopAt(*beside, 5), shifted({2500, 1100}, shift));
    COffsetNode* p = nodeAt(*beside, loopAt(*beside, 6), shifted({2400, 1300}, shift));
    edgeOf(*beside, p, nodeAt(*beside, loopAt(*beside, 6), shifted({2600, 1300}, shift)), 1);
    ASSERT_TRUE(beside->joinPathEnds(m, p, false, 1));
    EXPECT_TRUE(m->point.isEqualTo(shifted({2200, 1300}, shift), workTol));
    ASSERT_EQ(beside->edges.size(), 3u);
    EXPECT_TRUE(beside->edges[1]->b->point.isEqualTo(shifted({2200, 1100}, shift), workTol));
    EXPECT_NEAR(pathLength(*beside), 200.0 + 200.0 + 200.0, 1e-6);

    COffsetNode* free = nodeAt(*layout, nullptr, shifted({2000, 1500}, shift));
    COffsetNode* before = n;
    EXPECT_FALSE(layout->joinPathEnds(n, free, false, 1));
    EXPECT_EQ(n, before);
    EXPECT_EQ(layout->edges.size(), 2u);
  }
}

// The room's join, moved by (shift, shift) and with its ends as given: the
// moving end (which false: A) with a lead from below, the other with a lead
// out below it, each lead the path's first or last edge.
struct Room {
  Room(double shiftX, double shiftY, double xa, double xb) : dx(shiftX), dy(shiftY) {
    layout = recordWith({rectangle(dx + 1100, dy + 1100, dx + 4900, dy + 1900),
                         rectangle(dx + 1300, dy + 1300, dx + 4700, dy + 1700)});
    a = nodeAt(*layout, l(), at(xa, 1100));
    b = nodeAt(*layout, l(), at(xb, 1100));
    layout->firstEdge = edgeOf(*layout, nodeAt(*layout, nullptr, at(xa, 900)), a, 1);
    layout->lastEdge = edgeOf(*layout, b, nodeAt(*layout, nullptr, at(xb, 900)), 1);
  }
  Point at(double x, double y) const { return Point(x + dx, y + dy); }
  COffsetLoop* l() const { return loopAt(*layout, 0); }
  COffsetLoop* q() const { return loopAt(*layout, 1); }
  int nodesOnQ() const {
    return static_cast<int>(std::count_if(layout->nodes.begin(), layout->nodes.end(),
                                          [&](const COffsetNode* n) { return n->owner == q(); }));
  }

  double dx;
  double dy;
  std::unique_ptr<CFHCircuitLayout> layout;
  COffsetNode* a;
  COffsetNode* b;
};

TEST_F(SpiralEndJoins, TheZigzagFillsTheFourSidedCentre) {
  struct Case {
    double xa;
    double xb;
    bool which;
  };
  for (double shift : {0.0, 1e7}) {
    for (const Case& c : {Case{3100, 2900, false}, Case{2900, 3100, false}, Case{2900, 3100, true}}) {
      SCOPED_TRACE(testing::Message() << "shift " << shift << " A at " << c.xa << (c.which ? " B moves" : ""));
      Room room(shift, shift, c.xa, c.xb);
      COffsetNode* other = c.which ? room.a : room.b;
      ASSERT_TRUE(room.layout->joinEndsInFourSidedLoop(room.a, room.b, room.q(), c.which));
      EXPECT_EQ(room.a, room.b);
      EXPECT_EQ(room.nodesOnQ(), 16) << "8 steps";
      EXPECT_NEAR(pathLength(*room.layout), 18600.0 + 400.0, 1e-6);
      if (!c.which) {
        EXPECT_EQ(room.b, other);
      }

      const layout_check::GraphPath path = layout_check::walkLayoutGraph(*room.layout);
      EXPECT_TRUE(path.faults.empty()) << path.faults.front();
      EXPECT_EQ(path.edgesOffPath, 0);
      layout_check::Zone zone;
      zone.outline = {layout_check::Piece::line(room.at(0, 0), room.at(6000, 0)),
                      layout_check::Piece::line(room.at(6000, 0), room.at(6000, 3000)),
                      layout_check::Piece::line(room.at(6000, 3000), room.at(0, 3000)),
                      layout_check::Piece::line(room.at(0, 3000), room.at(0, 0))};
      zone.d0 = 100;
      zone.s = 200;
      zone.start = room.at(c.xa, 900);
      zone.end = room.at(c.xb, 900);
      const layout_check::Report report = layout_check::checkLayout(zone, path.pieces, {0.0, 1e9, 1e9, false});
      EXPECT_TRUE(report.sound()) << report.summary();
    }
  }
}

TEST_F(SpiralEndJoins, TheZigzagDoesNotShunTheOrigin) {
  Room room(0, 0, 3100, 2900);
  Room moved(-4500, -1900, 3100, 2900);  // the first U at (0, 0)
  ASSERT_TRUE(room.layout->joinEndsInFourSidedLoop(room.a, room.b, room.q(), false));
  ASSERT_TRUE(moved.layout->joinEndsInFourSidedLoop(moved.a, moved.b, moved.q(), false));
  ASSERT_EQ(moved.layout->nodes.size(), room.layout->nodes.size());
  for (std::size_t i = 0; i < room.layout->nodes.size(); ++i)
    EXPECT_TRUE(moved.layout->nodes[i]->point.isEqualTo(
        Point(room.layout->nodes[i]->point.x - 4500, room.layout->nodes[i]->point.y - 1900), workTol));
}

TEST_F(SpiralEndJoins, OnlyAFourSidedLoopTakesTheZigzag) {
  Room room(0, 0, 3100, 2900);
  std::unique_ptr<COffsetLoop> three(graph_test::polygonLoop({{1300, 1300}, {4700, 1300}, {3000, 1700}}).release());
  std::unique_ptr<COffsetLoop> five(
      graph_test::polygonLoop({{1300, 1300}, {4700, 1300}, {4700, 1700}, {3000, 1750}, {1300, 1700}}).release());
  COffsetNode* a = room.a;
  COffsetNode* b = room.b;
  for (COffsetLoop* loop : {three.get(), five.get()}) {
    EXPECT_FALSE(room.layout->joinEndsInFourSidedLoop(room.a, room.b, loop, false));
    EXPECT_TRUE(room.a == a && room.b == b);
    EXPECT_EQ(room.layout->edges.size(), 2u);
    EXPECT_EQ(room.layout->nodes.size(), 4u);
  }
}

}  // namespace
