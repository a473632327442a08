// The zone side pass: the pipe bundle's hull and extremes, the order of the
// sides, and the pocket it cuts out of a zone.
#include "heating/curves/CFHZoneBoundary.h"
#include "heating/curves/ZoneSidePass.h"
#include "heating/curves/ZoneSides.h"

#include "heating/design/model/CFHPipeNetwork.h"
#include "heating/design/zones/ZoneBoundarySegmentPoints.h"

#include "ZoneTestSupport.h"

namespace {

using curve_test::near;
using curve_test::polyline;
using zone_test::outline;

XtGePoint2dArray points(std::initializer_list<XtGePoint2d> list) {
  XtGePoint2dArray array;
  for (const XtGePoint2d& p : list) array.append(p);
  return array;
}

class ZoneSidePass : public zone_test::ZoneTest {};

TEST_F(ZoneSidePass, HullFromTheFirstCornerOfLargestXAndExtremesTowardsEachSide) {
  const XtGePoint2dArray hull = convexHullPoints(points({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}}));
  ASSERT_EQ(hull.length(), 4);
  const XtGePoint2d expected[] = {{10, 0}, {10, 10}, {0, 10}, {0, 0}};
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(near(hull[i], expected[i]));
  EXPECT_TRUE(convexHullPoints(points({{0, 0}, {1, 1}})).isEmpty());
  EXPECT_EQ(convexHullPoints(points({{0, 0}, {4, 0}, {2, 3}})).length(), 3);

  // Extremes: ties within T are broken along the side.
  const XtGePoint2dArray set = points({{1, 3}, {1.0005, 5}, {3, 3}, {2, 2}, {3.0002, 1}});
  const XtGePoint2d extremes[] = {{1.0005, 5}, {1.0005, 5}, {3.0002, 1}, {3.0002, 1}};
  for (int side = 0; side < 4; ++side) EXPECT_TRUE(near(furthestPointTowardsSide(set, side), extremes[side]));
  EXPECT_EQ(furthestPointTowardsSide(XtGePoint2dArray(), 2).x, farCornerForSide(2).x);
}

TEST_F(ZoneSidePass, SideVectorsAndTheOrderOfSides) {
  // t = 1 for a millimetre drawing: below it in both components, the axis.
  const std::tuple<XtGeVector2d, int, XtGeVector2d> cases[] = {
      {{-5, 0.1}, 0, {-1, 0}}, {{0, -2}, 3, {0, -1}}, {{7, 0}, 2, {1, 0}}, {{3, 4}, 1, {0.6, 0.8}}, {{0, 1}, 3, {0, 1}}};
  for (auto [v, side, expected] : cases) {
    normalizeSideVector(v, side);
    EXPECT_TRUE(v.x == expected.x && std::abs(v.y - expected.y) < 1e-12) << v.x << ", " << v.y;
  }
  using Order = std::array<int, 4>;
  EXPECT_EQ(sidePassOrder({1, 2, 7, 2}), (Order{0, 1, 3, 2}));
  // Left and top tie: the side opposite the farthest (right) goes first.
  EXPECT_EQ(sidePassOrder({1, 1.05, 8, 5}), (Order{0, 1, 3, 2}));
  EXPECT_EQ(sidePassOrder({5, 1.05, 1, 8}), (Order{1, 2, 0, 3}));
}

// The zone 0..10 x 0..6 with a pipe bundle whose end points are (1,3),
// (2,4), (3,3) and (2,2): nearest to the left wall. The zone is 10 mm
// wide, so its curves chain within 0.5 mm.
class ZoneWithPipes : public zone_test::ZoneTest {
 protected:
  ZoneWithPipes() {
    setZoneTolerances(1000.0, 0.5, 0.5);
    zone.addBoundaryCurve(outline({0, 0}, {{{10, 0}}, {{10, 6}}, {{0, 6}}, {{0, 0}}}));
    EXPECT_TRUE(zone.prepareLoop(true));
    zone.workingLoop.copyFrom(zone.asDrawnLoop);
  }
  void addPipe(std::unique_ptr<CFloorHeatingCurve> pipe) {
    network.appendPipeCurve(pipe.release());
    zone.pipeNetwork = &network;
  }
  CFHPipeNetwork network;
  CFHZoneBoundary zone;
};

TEST_F(ZoneWithPipes, CutsThePocketFromTheNearestWall) {
  addPipe(polyline({{1, 3}, {2, 4}, {3, 3}, {2, 2}}));
  addPipe(curve_test::line({2, 2}, {1, 3}));
  XtGePoint2dArray ends;
  EXPECT_EQ(zoneBoundarySegmentPoints(network, ends).length(), 4) << "each end point once";

  const std::array<XtGePoint2d, 4> extremes{{{1, 3}, {2, 4}, {3, 3}, {2, 2}}};
  const std::array<XtGeVector2d, 4> directions{{{-1, 0}, {0, 1}, {1, 0}, {0, -1}}};
  const auto cutter = sidePassCutter(zone.workingLoop, extremes, directions, {0, 1, 3, 2});
  ASSERT_TRUE(cutter);
  const XtGePoint2d run[] = {{0, 4}, {2, 4}, {3, 3}, {2, 2}, {0, 2}};
  ASSERT_EQ(cutter->vertices().length(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(near(cutter->vertices()[i], run[i], 1e-9));
  EXPECT_EQ(cutter->tag(), 1u);

  std::vector<CFloorHeatingCurve::Ptr> none;
  ASSERT_TRUE(zone.build(none, {}, true));
  EXPECT_TRUE(zone_test::isClosedChain(zone.workingLoop));
  EXPECT_NEAR(zone_test::signedArea(zone.workingLoop), 55, 1e-9);
  EXPECT_EQ(zone.workingLoop.classifyPoint({1, 3}, workTol), CLoop::kOutside);
  EXPECT_NEAR(zone_test::signedArea(zone.asDrawnLoop), 60, 1e-9) << "the as-drawn loop stays whole";
}

TEST_F(ZoneWithPipes, TooFewPipeEndsOrNoSideMeetingTheLoopChangeNothing) {
  addPipe(curve_test::line({1, 3}, {3, 3}));
  zone.sidePass(false);
  EXPECT_NEAR(zone_test::signedArea(zone.workingLoop), 60, 1e-9);
  const std::array<XtGePoint2d, 4> extremes{};
  const std::array<XtGeVector2d, 4> directions{};
  EXPECT_FALSE(sidePassCutter(CFHBoundLoop(), extremes, directions, {0, 1, 2, 3}));
}

}  // namespace
