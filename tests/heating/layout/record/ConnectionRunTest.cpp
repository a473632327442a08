// The single run on the zone set: the graph's pipe passes the layout checker
// (length and coverage off: two rings do not cover a zone), worked zones
// edge by edge, and what is left out when a walk or a level fails.
#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/record/CFHPipeEnd.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/OffsetEdgePath.h"

#include "heating/curves/CFHZoneBoundary.h"

#include "GraphTestSupport.h"
#include "LayoutTestSupport.h"
#include "ZoneSet.h"

#include <algorithm>

namespace {

using Point = XtGePoint2d;

// The case's boundary (working loop prepared), the levels of the working
// loop and the pipe ends (Z6 a: the ends of the working chord at the base).
struct SingleRun {
  SingleRun(const zone_set::ZoneCase& c, double runDistance)
      : layout(c.firstOffset, c.spacing, runDistance), start(c.startEnd, 1, 0), end(c.endEnd, 1, 0) {
    for (const auto& curve : c.zone.curves) boundary.addBoundaryCurve(curve->extendedCopyAt(curve->midPoint()));
    EXPECT_TRUE(boundary.prepareLoop(true));
    boundary.workingLoop.copyFrom(boundary.asDrawnLoop);
    EXPECT_TRUE(boundary.prepareLoop(false));
    const auto& items = boundary.workingLoop.elements;
    if (c.endsOnBaseChord) {
      const CLoopElement* chord = *std::min_element(items.begin(), items.end(), [&](auto* a, auto* b) {
        return a->curve->distanceTo(c.basePoint) < b->curve->distanceTo(c.basePoint);
      });
      start.point = chord->curve->endPoint();
      end.point = chord->curve->startPoint();
    }
    std::vector<CFloorHeatingCurve*> curves;
    boundary.copyItems(curves, false);
    COffsetBuilder(curves, c.firstOffset, c.spacing).buildLoops(layout.levels);
    layout.boundary = &boundary;
    layout.startEnd = &start;
    layout.endEnd = &end;
  }

  CFHZoneBoundary boundary;
  CFHCircuitLayout layout;
  CFHPipeEnd start, end;
};

class ConnectionRun : public layout_test::LayoutTest {};

TEST_F(ConnectionRun, PipeOfEveryZonePassesTheChecker) {
  // Z10 a's ends meet at L1's corner and are pulled 0.5 s apart round it:
  // the supply's end N (400,100) lies 0.9 s from the return's diagonal
  // Q (300,300) -> P2 (200,100), as the steps make it.
  const std::pair<zone_set::ZoneCase, double> cases[] = {
      {zone_set::z1(), 1},   {zone_set::z2(), 1},    {zone_set::z6a(), 1},
      {zone_set::z10a(), 0.89}, {zone_set::z10c(), 1}, {zone_set::moved(zone_set::z1(), 1e7), 1},
      {zone_set::clockwise(zone_set::z2()), 1}};
  for (const auto& [c, spacingFloor] : cases) {
    SCOPED_TRACE(c.zone.name + " from " + std::to_string(c.startEnd.x) + "," + std::to_string(c.startEnd.y));
    SingleRun run(c, c.spacing);
    ASSERT_TRUE(run.layout.layoutConnectionRun());
    EXPECT_EQ(run.layout.outcome, LayoutOutcome::kLaid);
    const auto path = layout_check::walkLayoutGraph(run.layout);
    ASSERT_TRUE(path.faults.empty()) << path.faults.front();
    EXPECT_EQ(path.edgesOffPath, 0);
    EXPECT_EQ(path.notDrawn.size(), 1u) << "exactly one jump";
    layout_check::Zone zone = zone_set::checkZone(c);
    zone.start = run.start.point;
    zone.end = run.end.point;
    // With the jump: one simple pipe between the ends. Drawn: inside, spaced.
    const layout_check::Options geometryOnly{0.0, 1e9, 0.75, false};
    const auto whole = layout_check::checkLayout(zone, path.all, geometryOnly);
    EXPECT_TRUE(whole.continuous.ok && whole.ends.ok && whole.simple.ok) << whole.summary();
    const auto drawn = layout_check::checkLayout(zone, path.pieces, geometryOnly);
    EXPECT_TRUE(drawn.inside.ok && drawn.simple.ok) << drawn.summary();
    EXPECT_TRUE(spacingFloor == 1 ? drawn.spacing.ok : drawn.spacing.value >= spacingFloor * c.spacing)
        << drawn.summary();
  }
}

TEST_F(ConnectionRun, WorkedZonesEdgeByEdge) {
  struct Edge {
    Point a, b;
    std::uint32_t flag;
    double length;  // along the loop; 0 for a straight edge
  };
  const std::vector<Edge> expected[] = {
      {{{2100, 0}, {2100, 100}, 1, 0}, {{2100, 100}, {1700, 100}, 1, 12800}, {{1700, 100}, {1700, 300}, 4, 0},
       {{1700, 300}, {1900, 300}, 2, 11400}, {{1900, 300}, {1900, 100}, 2, 0}, {{1900, 100}, {1900, 0}, 2, 0}},
      {{{0, 50}, {100, 200}, 1, 0}, {{100, 200}, {400, 100}, 1, 12800}, {{400, 100}, {500, 300}, 4, 0},
       {{500, 300}, {300, 300}, 2, 11400}, {{300, 300}, {200, 100}, 2, 0}, {{200, 100}, {50, 0}, 2, 0}}};
  const zone_set::ZoneCase zones[] = {zone_set::z1(), zone_set::z10a()};
  for (int z = 0; z < 2; ++z) {
    SingleRun run(zones[z], 200.0);
    ASSERT_TRUE(run.layout.layoutConnectionRun());
    ASSERT_EQ(run.layout.edges.size(), 6u);
    EXPECT_TRUE(run.layout.firstEdge == run.layout.edges[0] && run.layout.lastEdge == run.layout.edges[5]);
    for (std::size_t i = 0; i < 6; ++i) {
      SCOPED_TRACE(std::to_string(z) + " edge " + std::to_string(i));
      const COffsetEdge* e = run.layout.edges[i];
      const Edge& want = expected[z][i];
      EXPECT_TRUE(e->a->point.isEqualTo(want.a, workTol) && e->b->point.isEqualTo(want.b, workTol));
      EXPECT_EQ(e->flags, want.flag);
      CFloorHeatingCurve::PtrVector pieces;
      offsetEdgePathAlongLoop(e, pieces);
      EXPECT_EQ(isStraightEdge(*e), want.length == 0);
      EXPECT_NEAR(graph_test::totalLength(pieces), want.length > 0 ? want.length : want.a.distanceTo(want.b), 1e-6);
    }
  }
}

TEST_F(ConnectionRun, FailedPiecesAreLeftOutAndTheRunStillEnds) {
  SingleRun strip(zone_set::z4(500), 200.0);  // one level
  EXPECT_FALSE(strip.layout.layoutConnectionRun());
  EXPECT_TRUE(strip.layout.edges.empty() && strip.layout.nodes.empty());

  // Longer than both loops: start -> P1 -> Q -> P2 -> end, nothing undrawn.
  SingleRun longRun(zone_set::z1(), 20000.0);
  ASSERT_TRUE(longRun.layout.layoutConnectionRun());
  const Point path[] = {{2100, 0}, {2100, 100}, {1900, 300}, {1900, 100}, {1900, 0}};
  ASSERT_EQ(longRun.layout.edges.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i)
    EXPECT_TRUE(longRun.layout.edges[i]->b->point.isEqualTo(path[i + 1], workTol) && longRun.layout.edges[i]->flags != 4);

  // Hand-made levels, the second loop the longer: the supply walk fails and
  // the jump starts at P1's node.
  SingleRun handMade(zone_set::z1(), 5000.0);
  deleteLoopListsAndClear(handMade.layout.levels);
  for (const std::vector<Point>& corners : {std::vector<Point>{{1500, 100}, {2500, 100}, {2500, 1100}, {1500, 1100}},
                                            std::vector<Point>{{1000, 300}, {3000, 300}, {3000, 2300}, {1000, 2300}}})
    handMade.layout.levels.push_back(new CFHCircuitLayout::Level{graph_test::polygonLoop(corners).release()});
  ASSERT_TRUE(handMade.layout.layoutConnectionRun());
  EXPECT_EQ(handMade.layout.edges.size(), 5u);
  EXPECT_TRUE(handMade.layout.edges[1]->a == handMade.layout.firstEdge->b &&
              handMade.layout.edges[1]->flags == kEdgeNotDrawn);
}

}  // namespace
