// The zone boundary's offsets and reference points over the layout's level
// builder, on the shared zones.
#include "heating/layout/OffsetLevelSource.h"

#include "heating/curves/CFHZoneBoundary.h"

#include "LayoutTestSupport.h"
#include "ZoneFixtures.h"

#include <cmath>
#include <numbers>

namespace {

using namespace zone_fixture;

class ZoneBoundaryLevels : public layout_test::LayoutTest {
 protected:
  // A boundary over the layout's levels whose loops are the zone's curves.
  std::unique_ptr<CFHZoneBoundary> boundary(Zone zone) {
    auto b = std::make_unique<CFHZoneBoundary>(&layoutOffsetLevelSource());
    for (auto& curve : zone.curves) b->addBoundaryCurve(std::move(curve));
    EXPECT_TRUE(b->prepareLoop(true));
    b->workingLoop.copyFrom(b->asDrawnLoop);
    return b;
  }
};

TEST_F(ZoneBoundaryLevels, OffsetMeasuresOfARectangle) {
  const auto zone = boundary(polygon("6 x 4 m", {{0, 0}, {6000, 0}, {6000, 4000}, {0, 4000}}));
  EXPECT_NEAR(zone->offsetArea(150.0), 21090000.0, 1e-3);
  EXPECT_NEAR(zone->offsetPerimeter(150.0), 18800.0, 1e-6);
  EXPECT_NEAR(zone->offsetArea(0.0), 24000000.0, 1e-3);

  std::vector<CFHBoundLoop*> loops;
  EXPECT_FALSE(zone->offsetLoops(2500.0, loops)) << "nothing left of a zone 4 m wide";
  EXPECT_EQ(zone->offsetCacheSize(), 1u) << "150 only";
}

TEST_F(ZoneBoundaryLevels, ReferencePointsLieDeepInside) {
  const auto square = boundary(polygon("square", {{0, 0}, {4050, 0}, {4050, 4050}, {0, 4050}}));
  EXPECT_LE(square->cachedPoint(true).distanceTo({2025, 2025}), 100.0);

  // A thin L, whose centre lies outside it: the point lies on the innermost
  // level (400 in from the walls of 1000 wide legs), inside the zone.
  const auto l = boundary(polygon("thin L", {{0, 0}, {4000, 0}, {4000, 1000}, {1000, 1000}, {1000, 4000}, {0, 4000}}));
  const XtGePoint2d centre = l->asDrawnLoop.lengthWeightedCentre();
  ASSERT_EQ(l->asDrawnLoop.classifyPoint(centre, workTol), CLoop::kOutside);
  const XtGePoint2d point = l->cachedPoint(true);
  EXPECT_EQ(l->asDrawnLoop.classifyPoint(point, workTol), CLoop::kInside);
  double nearestWall = 1e300;
  for (const CLoopElement* e : l->asDrawnLoop.elements) nearestWall = std::min(nearestWall, e->curve->distanceTo(point));
  EXPECT_NEAR(nearestWall, 400.0, 0.01);
}

}  // namespace
