// Bridges from an offset loop to the next inner loop.
#include <cmath>

#include "GraphTestSupport.h"
#include "LayoutTestSupport.h"
#include "ZoneFixtures.h"
#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/offsets/COffsetBuilder.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/record/LoopBridges.h"
#include "heating/layout/offsets/OffsetLoopParts.h"

namespace {

constexpr double kS = zone_fixture::kSpacing;

using Bridge = COffsetNode* (*)(COffsetLoop*, COffsetNode*, COffsetNode*, double, std::uint8_t, CFHCircuitLayout&);

class LoopBridges : public layout_test::LayoutTest {};

// A layout over the zone's levels, their gaps closed as the spiral keeps them.
std::unique_ptr<CFHCircuitLayout> layoutOf(const zone_fixture::Zone& zone) {
  auto layout = std::make_unique<CFHCircuitLayout>(zone_fixture::kFirstOffset, kS, 0.0);
  COffsetBuilder(zone.raw(), zone_fixture::kFirstOffset, kS).buildLoops(layout->levels);
  for (auto* level : layout->levels)
    for (COffsetLoop* loop : *level) closeLoopGaps(*loop);
  return layout;
}

COffsetLoop& loopOf(CFHCircuitLayout& layout, int level) { return *(*layout.levels[level])[0]; }

// A node of the layout at the point, on the loop's sections that hold it.
COffsetNode* nodeAt(CFHCircuitLayout& layout, COffsetLoop* loop, const XtGePoint2d& p) {
  layout.nodes.push_back(
      new COffsetNode(p, loop ? graph_test::sectionsAt(*loop, p) : std::vector<COffsetSection*>{}, loop));
  return layout.nodes.back();
}

// One bridge from b onto the inner loop: two nodes and two edges, the first
// along the outer loop from b, the second the connector, s to 2.3 s long,
// meeting the levels only at its ends; every new node on its sections.
testing::AssertionResult soundBridge(const CFHCircuitLayout& layout, std::size_t nodes, const COffsetNode* b,
                                     const COffsetNode* result, const COffsetLoop& inner) {
  if (layout.nodes.size() != nodes + 2 || layout.edges.size() != 2)
    return testing::AssertionFailure() << layout.nodes.size() - nodes << " nodes, " << layout.edges.size() << " edges";
  const COffsetEdge& along = *layout.edges[0];
  const COffsetEdge& connector = *layout.edges[1];
  if ((along.a != b && along.b != b) || along.crossesOwners != 0 || connector.crossesOwners != 1 || along.flags != 0 ||
      connector.flags != 0 || result != layout.nodes.back() || result->owner != &inner)
    return testing::AssertionFailure() << "edges or result";
  const double length = connector.a->point.distanceTo(connector.b->point);
  if (length < kS - workTol.equalPoint() || length > 2.3 * kS)
    return testing::AssertionFailure() << "connector " << length;
  for (std::size_t i = nodes; i < layout.nodes.size(); ++i)
    for (const CLoopElement* link : layout.nodes[i]->links())
      if (!link->curve->isOn(layout.nodes[i]->point) ||
          !static_cast<const COffsetSection*>(link)->hasNode(layout.nodes[i]))
        return testing::AssertionFailure() << "node off a section it links";
  const CFloorHeatingLine line(connector.a->point, connector.b->point, nullptr, 1);
  std::vector<COffsetPoint> hits;
  for (const auto* level : layout.levels)
    for (const COffsetLoop* loop : *level) {
      loop->intersectionPoints(line, hits, workTol);
      for (const COffsetPoint& hit : hits)
        if (!hit.point.isEqualTo(line.startPoint(), workTol) && !hit.point.isEqualTo(line.endPoint(), workTol))
          return testing::AssertionFailure() << "connector meets a loop at " << hit.point.x << "," << hit.point.y;
    }
  return testing::AssertionSuccess();
}

TEST_F(LoopBridges, EveryBridgeOfTheRectangleStepsOneSpacingIn) {
  for (const Bridge bridge : {Bridge(bridgeToInnerLoop), Bridge(bridgeToInnerLoopWithClearance)})
    for (const std::uint8_t direction : {0, 1})
      for (const XtGePoint2d at :
           {XtGePoint2d(2000, 100), XtGePoint2d(3900, 1500), XtGePoint2d(1500, 2900), XtGePoint2d(100, 700)}) {
        SCOPED_TRACE(testing::Message() << (bridge == Bridge(bridgeToInnerLoop) ? "plain" : "clearance") << ", "
                                        << int(direction) << ", (" << at.x << "," << at.y << ")");
        auto layout = layoutOf(zone_fixture::z1Rectangle());
        COffsetNode* a = nodeAt(*layout, &loopOf(*layout, 0), at);
        COffsetNode* b = nodeAt(*layout, &loopOf(*layout, 0), at);
        COffsetNode* inner = bridge(&loopOf(*layout, 1), a, b, kS, direction, *layout);
        EXPECT_TRUE(soundBridge(*layout, 2, b, inner, loopOf(*layout, 1)));
      }
}

TEST_F(LoopBridges, ClearanceAtTheReflexCornerOfTheL) {
  // From a on the L's inner wall the first corner walked back is the
  // reflex one, (1900,1900), with the crossing X = (1700,1900) on the inner
  // loop; refused, the bridge crosses at the next corner to (3700,1700).
  struct Case {
    double fromA;  // |Xa| in spacings
    XtGePoint2d b;
    XtGePoint2d innerNode;
  };
  for (const Case& c : std::vector<Case>{{1.62, {3000, 1900}, {1700, 1900}},
                                         {1.6, {3000, 1900}, {3700, 1700}},
                                         {1.62, {2100, 1900}, {3700, 1700}},  // |Xb| exactly 2 s
                                         {1.62, {2100.5, 1900}, {1700, 1900}}}) {
    auto layout = layoutOf(zone_fixture::z2L());
    COffsetLoop& outer = loopOf(*layout, 0);
    const XtGePoint2d atA(1900, 1900 + std::sqrt(std::pow(c.fromA * kS, 2) - kS * kS));
    COffsetNode* a = nodeAt(*layout, &outer, atA);
    COffsetNode* b = nodeAt(*layout, &outer, c.b);
    COffsetNode* inner = bridgeToInnerLoopWithClearance(&loopOf(*layout, 1), a, b, kS, 0, *layout);
    EXPECT_TRUE(soundBridge(*layout, 2, b, inner, loopOf(*layout, 1))) << c.fromA;
    EXPECT_TRUE(inner->point.isEqualTo(c.innerNode, workTol))
        << c.fromA << " b " << c.b.x << ": " << inner->point.x << "," << inner->point.y;
  }
}

TEST_F(LoopBridges, NoBridgeLeavesTheLayoutAsItWas) {
  auto layout = layoutOf(zone_fixture::z1Rectangle());
  COffsetLoop& outer = loopOf(*layout, 0);
  COffsetLoop& inner = loopOf(*layout, 1);
  COffsetLoop empty;
  COffsetNode* a = nodeAt(*layout, &outer, {2000, 100});
  COffsetNode* onInner = nodeAt(*layout, &inner, {2000, 300});
  COffsetNode* free1 = nodeAt(*layout, nullptr, {2000, 100});
  COffsetNode* free2 = nodeAt(*layout, nullptr, {2000, 100});
  struct Case {
    COffsetLoop* inner;
    COffsetNode *a, *b;
  };
  for (const Bridge bridge : {Bridge(bridgeToInnerLoop), Bridge(bridgeToInnerLoopWithClearance)})
    for (const std::uint8_t direction : {0, 1})
      for (const Case& c : {Case{&inner, a, onInner}, Case{&empty, a, a}, Case{&inner, free1, free2},
                            Case{nullptr, a, a}, Case{&inner, nullptr, a}}) {
        EXPECT_EQ(bridge(c.inner, c.a, c.b, kS, direction, *layout), c.b);
        EXPECT_EQ(layout->nodes.size(), 4u);
        EXPECT_TRUE(layout->edges.empty());
      }
  COffsetSection* previous = nullptr;
  COffsetSection* next = nullptr;
  EXPECT_FALSE(nearestInnerCorner(empty, *outer.section(0), *outer.section(1), previous, next));
  ASSERT_TRUE(nearestInnerCorner(inner, *outer.section(0), *outer.section(1), previous, next));
  EXPECT_TRUE(previous == inner.section(0) && next == inner.section(1));
}

}  // namespace
