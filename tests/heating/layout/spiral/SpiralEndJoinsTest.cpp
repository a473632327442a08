// The joins of the spiral's run ends at the centre: through two join points
// on Z1's levels 5 and 6, and by the zigzag inside the four-sided innermost
// loop Q of a 6000 x 3000 room (L its level 5, Q its level 6).
#include "LayoutCheckAdapters.h"
#include "LayoutTestSupport.h"
#include "SpiralTestSupport.h"
#include "ZoneSet.h"

#include <algorithm>

namespace {

using namespace spiral_test;

class SpiralEndJoins : public layout_test::LayoutTest {};

TEST_F(SpiralEndJoins, JoinPointsAcrossTheLoopOrBesideANeighbour) {
  for (double shift : {0.0, 1e7}) {
    auto at = [&](double x, double y) { return shifted({x, y}, shift); };
    // N alone on level 6: P2 half round level 5 from O, P1 its projection.
    auto across = z1Record(7, shift);
    COffsetNode* n = nodeAt(*across, loopAt(*across, 6), at(2000, 1300));
    COffsetNode* o = nodeAt(*across, loopAt(*across, 5), at(2000, 1100));
    COffsetNode* free = nodeAt(*across, nullptr, at(2000, 1500));
    EXPECT_FALSE(across->joinPathEnds(n, free, false, 1)) << "O on no loop";
    ASSERT_TRUE(across->joinPathEnds(n, o, false, 1));
    EXPECT_TRUE(n->point.isEqualTo(at(2000, 1900), workTol) && n->owner == loopAt(*across, 5));
    ASSERT_EQ(across->edges.size(), 2u);
    EXPECT_TRUE(across->edges[0]->b->point.isEqualTo(at(2000, 1700), workTol));
    EXPECT_NEAR(pathLength(*across), 1800.0 + 200.0, 1e-6);

    // N on level 5 beside a node: P2 s back along level 6 from O, P1 down
    // its normal ray on level 5.
    auto beside = z1Record(7, shift);
    COffsetNode* m = nodeAt(*beside, loopAt(*beside, 5), at(2000, 1100));
    nodeAt(*beside, loopAt(*beside, 5), at(2500, 1100));
    COffsetNode* p = nodeAt(*beside, loopAt(*beside, 6), at(2400, 1300));
    edgeOf(*beside, p, nodeAt(*beside, loopAt(*beside, 6), at(2600, 1300)), 1);
    ASSERT_TRUE(beside->joinPathEnds(m, p, false, 1));
    EXPECT_TRUE(m->point.isEqualTo(at(2200, 1300), workTol));
    ASSERT_EQ(beside->edges.size(), 3u);
    EXPECT_TRUE(beside->edges[1]->b->point.isEqualTo(at(2200, 1100), workTol));
    EXPECT_NEAR(pathLength(*beside), 3 * 200.0, 1e-6);
  }
}

// The room moved by (dx, dy), its ends A and B on L's bottom at xa and xb,
// with a lead in to A (firstEdge) and a lead out from B (lastEdge).
struct Room {
  Room(double dx, double dy, double xa, double xb) : dx(dx), dy(dy) {
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

  double dx;
  double dy;
  std::unique_ptr<CFHCircuitLayout> layout;
  COffsetNode* a;
  COffsetNode* b;
};

TEST_F(SpiralEndJoins, TheZigzagFillsTheFourSidedCentre) {
  for (double shift : {0.0, 1e7}) {
    for (const auto& [xa, xb, which] : {std::tuple{3100.0, 2900.0, false}, std::tuple{2900.0, 3100.0, false},
                                        std::tuple{2900.0, 3100.0, true}}) {
      SCOPED_TRACE(testing::Message() << "shift " << shift << " A at " << xa << (which ? ", B moves" : ""));
      Room room(shift, shift, xa, xb);
      COffsetNode* other = which ? room.a : room.b;
      ASSERT_TRUE(room.layout->joinEndsInFourSidedLoop(room.a, room.b, room.q(), which));
      EXPECT_EQ(room.a, room.b);
      EXPECT_TRUE(which || room.b == other);
      const auto& nodes = room.layout->nodes;
      EXPECT_EQ(std::count_if(nodes.begin(), nodes.end(), [&](const COffsetNode* n) { return n->owner == room.q(); }),
                16)
          << "8 steps";
      EXPECT_NEAR(pathLength(*room.layout), 18600.0 + 2 * 200.0, 1e-6);

      const layout_check::GraphPath path = layout_check::walkLayoutGraph(*room.layout);
      EXPECT_TRUE(path.faults.empty() && path.edgesOffPath == 0);
      const zone_set::ZoneCase c = zone_set::make(
          zone_fixture::moved(zone_fixture::polygon("room", {{0, 0}, {6000, 0}, {6000, 3000}, {0, 3000}}), shift), 0,
          room.at(xa, 900), room.at(xb, 900));
      const auto report = layout_check::checkLayout(zone_set::checkZone(c), path.pieces, {0.0, 1e9, 1e9, false});
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
  for (std::size_t i = 0; i < room.layout->nodes.size(); ++i) {
    const Point& p = room.layout->nodes[i]->point;
    EXPECT_TRUE(moved.layout->nodes[i]->point.isEqualTo(Point(p.x - 4500, p.y - 1900), workTol)) << i;
  }
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
    EXPECT_TRUE(room.a == a && room.b == b && room.layout->edges.size() == 2 && room.layout->nodes.size() == 4);
  }
}

}  // namespace
