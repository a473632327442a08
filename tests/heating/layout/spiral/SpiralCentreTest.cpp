// What the spiral's centre search stands on: the copy of a layout's graph
// it lays the centre again from (LayoutGraphSnapshot.h), the clearance of
// the centre turn it judges each way by (CentreTurnClearance.h), and the
// pipe corners the steps and bridges keep clear of (PipeCorners.h).
#include "SpiralZones.h"

#include "heating/layout/spiral/CentreTurnClearance.h"
#include "heating/layout/record/LayoutGraphSnapshot.h"
#include "heating/layout/record/PipeCorners.h"
#include "heating/layout/spiral/SpiralRun.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

using meander_test::UnitScope;
using spiral_zone::Laid;

// Every node lies in the node list of each section it names.
bool nodesListed(const CFHCircuitLayout& layout) {
  for (const COffsetNode* n : layout.nodes)
    for (const CLoopElement* link : n->links()) {
      const auto* section = dynamic_cast<const COffsetSection*>(link);
      if (section != nullptr && !section->hasNode(n)) return false;
    }
  return true;
}

// The graph taken, changed and restored is the graph as it was: the same
// pipe piece by piece, the same ends, every node back in its sections.
TEST(SpiralCentre, SnapshotRestoresTheGraph) {
  const UnitScope units(1000);
  Laid laid(zone_set::z1());
  ASSERT_TRUE(laid.ok);
  CFHCircuitLayout& layout = laid.layout();
  const std::size_t nodes = layout.nodes.size();
  const std::size_t edges = layout.edges.size();
  LayoutGraphSnapshot copy;
  copy.take(layout);
  const std::size_t firstNode = copy.indexOf(layout.firstEdge->a);
  ASSERT_NE(firstNode, LayoutGraphSnapshot::kNone);
  EXPECT_EQ(copy.indexOf(nullptr), LayoutGraphSnapshot::kNone);

  // A branch off the path, and the last edge taken off it.
  COffsetNode* end = layout.lastEdge->a;
  layout.appendNodeOnLoop(end, end->point + XtGeVector2d(0, 10), {}, nullptr, 1, true);
  layout.removeDanglingNode(layout.nodes.back());
  layout.appendNodeOnLoop(end, end->point + XtGeVector2d(10, 0), {}, nullptr, 1, true);
  layout.lastEdge->flags |= kEdgeCentreTurn;

  copy.restore(layout);
  EXPECT_EQ(layout.nodes.size(), nodes);
  EXPECT_EQ(layout.edges.size(), edges);
  EXPECT_EQ(LayoutGraphSnapshot::node(layout, firstNode), layout.firstEdge->a);
  EXPECT_EQ(LayoutGraphSnapshot::node(layout, nodes), nullptr);
  EXPECT_EQ(layout.lastEdge->flags & kEdgeCentreTurn, 0u);
  EXPECT_TRUE(nodesListed(layout));
  const layout_check::GraphPath again = layout_check::walkLayoutGraph(layout);
  EXPECT_TRUE(again.faults.empty());
  ASSERT_EQ(again.pieces.size(), laid.path.pieces.size());
  for (std::size_t i = 0; i < again.pieces.size(); ++i) {
    EXPECT_TRUE(again.pieces[i].start.isEqualTo(laid.path.pieces[i].start, workTol)) << i;
    EXPECT_TRUE(again.pieces[i].end.isEqualTo(laid.path.pieces[i].end, workTol)) << i;
  }
}

// A rectangle's centre is the usual one and keeps its clearance: its turn is
// flagged, measured clear, and the measure's path is the checker's pipe
// less its leads. A turn pulled onto the pipe measures about 0; without a
// flagged edge, or with the pipe broken, nothing is measured.
TEST(SpiralCentre, TurnClearanceOfALaidSpiral) {
  const UnitScope units(1000);
  Laid laid(zone_set::z1());
  ASSERT_TRUE(laid.ok);
  CFHCircuitLayout& layout = laid.layout();
  const double s = layout.spacing;
  int flagged = 0;
  for (const COffsetEdge* e : layout.edges) flagged += (e->flags & kEdgeCentreTurn) != 0 ? 1 : 0;
  EXPECT_GT(flagged, 0);
  const TurnClearance clear = centreTurnClearance(layout, s);
  EXPECT_GE(clear.ratio, kCentreClearanceKept);
  layout_check::Options options(0.0, 1e300, 0.0, false);
  layout_check::setLeads(layout, options);
  const layout_check::Report report = layout_check::checkLayout(laid.checkZone, laid.path.pieces, options);
  EXPECT_NEAR(clear.pathLength, report.inZoneLength, 1e-6 * report.inZoneLength);
  EXPECT_TRUE(laid.check().sound()) << laid.check().summary();

  // A turn's straight edge pulled onto the pipe of the first level.
  COffsetEdge* join = nullptr;
  for (COffsetEdge* e : layout.edges)
    if ((e->flags & kEdgeCentreTurn) != 0 && isStraightEdge(*e)) join = e;
  ASSERT_NE(join, nullptr);
  const XtGePoint2d kept = join->b->point;
  join->b->point = laid.path.pieces[laid.path.pieces.size() / 4].start;
  EXPECT_LT(centreTurnClearance(layout, s).ratio, 0.01);
  join->b->point = kept;
  for (COffsetEdge* e : layout.edges) e->flags &= ~kEdgeCentreTurn;
  EXPECT_LT(centreTurnClearance(layout, s).ratio, 0.0);
  EXPECT_LT(centreTurnClearance(layout, 0.0).ratio, 0.0);
  layout.lastEdge = nullptr;
  EXPECT_LT(centreTurnClearance(layout, s).ratio, 0.0);
  EXPECT_EQ(centreTurnClearance(layout, s).pathLength, 0.0);
}

TEST(SpiralCentre, PipeCornerAngles) {
  const double pi = std::numbers::pi;
  EXPECT_NEAR(insideAngle({1, 0}, {1, 0}), pi, 1e-12);
  EXPECT_NEAR(insideAngle({1, 0}, {0, 1}), 0.5 * pi, 1e-12);
  EXPECT_NEAR(insideAngle({1, 0}, {-1, 0}), 0.0, 1e-12);
  EXPECT_NEAR(insideAngle({1, 0}, {-1, std::sqrt(3.0)}), pi / 3.0, 1e-12);
  EXPECT_NEAR(insideAngle({0, 0}, {1, 0}), pi, 1e-12);
}

}  // namespace
