// The walks along a layout's chain of edges that the circuit path uses, on a
// hand-made graph whose chain ends in a cycle (two edges that end at one
// node send the walk back and forth between them), and the exclusions the
// link marks on interval curves.
#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/record/EdgeChain.h"
#include "heating/layout/offsets/IntervalCurveMaps.h"

#include "heating/curves/CLoopElement.h"

#include "GraphTestSupport.h"
#include "LayoutTestSupport.h"

namespace {

using Point = XtGePoint2d;

// Level 0 the square (0,0)-(1000,1000); the chain: start (500,-100) ->
// (500,0) on the loop -> along it to (1000,500) -> to (500,1000) -> straight
// to (500,1500), where a further edge from (200,1500) also ends.
struct CycledChain {
  CycledChain() : layout(100.0, 200.0, 0.0) {
    COffsetLoop* loop = graph_test::polygonLoop({{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}}).release();
    layout.levels.push_back(new CFHCircuitLayout::Level{loop});
    auto onLoop = [&](Point p) { return new COffsetNode(p, graph_test::sectionsAt(*loop, p), loop); };
    auto free = [&](Point p) { return new COffsetNode(p, static_cast<COffsetSection*>(nullptr), nullptr); };
    COffsetNode* n[] = {free({500, -100}), onLoop({500, 0}), onLoop({1000, 500}), onLoop({500, 1000}),
                        free({500, 1500}), free({200, 1500})};
    layout.nodes.assign(std::begin(n), std::end(n));
    const int ends[][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {5, 4}};
    for (const auto& [a, b] : ends) layout.edges.push_back(new COffsetEdge(n[a], n[b], 1, a == 0 || b >= 4));
    layout.firstEdge = layout.edges[0];
  }
  COffsetEdge* edge(int i) const { return layout.edges[i]; }
  CFHCircuitLayout layout;
};

class EdgeChain : public layout_test::LayoutTest {};

TEST_F(EdgeChain, WalksEndOnACycle) {
  const CycledChain c;
  EXPECT_TRUE(nextEdgeOnChain(c.edge(3)) == c.edge(4) && nextEdgeOnChain(c.edge(4)) == c.edge(3)) << "to and fro";
  EXPECT_TRUE(edgeChainPosition(c.layout, c.edge(4)) == 4 && edgeChainPosition(c.layout, nullptr) == -1);
  EdgeSet passed;
  EXPECT_FALSE(passEdgesUntil(c.edge(2), c.edge(0), passed)) << "the first edge lies behind: never reached";
  EXPECT_EQ(passed, (EdgeSet{c.edge(2), c.edge(3), c.edge(4)}));
  passed.clear();
  EXPECT_TRUE(passEdgesUntil(c.edge(1), c.edge(3), passed) && passed == (EdgeSet{c.edge(1), c.edge(2)}));

  const struct {
    Point point, nearest;
    int edge;
  } cases[] = {{{1100, 250}, {1000, 250}, 1},
               {{500, -300}, {500, 0}, 1},      // the first edge is not examined
               {{500, 1600}, {500, 1500}, 3}};  // a node of two edges: the earlier holds it
  for (const auto& q : cases) {
    COffsetPoint nearest;
    EXPECT_EQ(nearestPointAlongEdgeChain(c.layout, q.point, nearest, workTol), c.edge(q.edge));
    EXPECT_TRUE(nearest.point.isEqualTo(q.nearest, workTol));
  }
  CFHCircuitLayout bare(100.0, 200.0, 0.0);
  bare.firstEdge = c.edge(0);
  COffsetPoint nearest;
  EXPECT_EQ(nearestPointAlongEdgeChain(bare, {1100, 250}, nearest, workTol), nullptr) << "no first offset loop";
  bare.firstEdge = nullptr;
}

// A wall 0-4000 crossed by a pipe at x 1000: exclusions of 300 at its ends
// and 2 × 200 around the crossing leave, shortened by 50, 350-750 and
// 1250-3650 of a facing span over the whole wall.
TEST_F(EdgeChain, LinkExclusionsOnIntervalCurves) {
  CLoopElement wall(new CFloorHeatingLine(Point(0, 0), Point(4000, 0), nullptr, 15), true);
  CFHIntervalCurveList intervals;
  buildIntervalCurves({&wall}, intervals);
  const CFHIntervalCurveMap map = intervalCurveMapOf(intervals);
  ASSERT_TRUE(intervals[0]->addIntervalA({0, 0}, {4000, 0}));
  CFloorHeatingLine pipe(Point(1000, -500), Point(1000, 500), nullptr, 16);
  markEndPointsOnIntervalCurves(map, 300.0);
  markCrossingsOnIntervalCurves(map, {&pipe, nullptr}, 200.0);
  setIntervalCurvesValue(map, 50.0);
  resetIntervalCurves(map);
  CFloorHeatingCurve::PtrVector kept;
  intervals[0]->collectKeptPieces(kept);
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_TRUE(kept[0]->startPoint().isEqualTo({350, 0}, workTol) && kept[0]->endPoint().isEqualTo({750, 0}, workTol));
  EXPECT_TRUE(kept[1]->startPoint().isEqualTo({1250, 0}, workTol) &&
              kept[1]->endPoint().isEqualTo({3650, 0}, workTol));
}

}  // namespace
