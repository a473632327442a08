// The zone boundary's offsets and reference points over the layout's level
// builder, on the shared zones.
#include "heating/layout/offsets/OffsetLevelSource.h"

#include "heating/curves/CFHZoneBoundary.h"

#include "LayoutTestSupport.h"
#include "ZoneFixtures.h"

#include <algorithm>
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

TEST_F(ZoneBoundaryLevels, TheReferencePointOfASymmetricZoneDoesNotFollowNoise) {
  // A room 3639 wide: its innermost level (1800 in) is a strip 39 wide
  // whose middle line runs through the centre, both long sides 19.5 from
  // it. Drawn from any corner, either way round, and with the noise an edit
  // reads back (1e-10), the point is the one on the strip's left side: it
  // was the side of whichever element came last, and the zone's label moved
  // 39 mm between one unchanged edit and the next.
  const std::vector<XtGePoint2d> corners = {{0, 0}, {3639, 0}, {3639, 3980}, {0, 3980}};
  for (std::size_t start = 0; start < corners.size(); ++start)
    for (const bool reversed : {false, true})
      for (const double noise : {0.0, 1e-10, -2e-10}) {
        std::vector<XtGePoint2d> points(corners);
        std::rotate(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(start), points.end());
        if (reversed) std::reverse(points.begin(), points.end());
        for (std::size_t k = 0; k < points.size(); ++k) points[k] += XtGeVector2d(noise * k, -noise * k);
        const auto zone = boundary(polygon("room", points));
        const XtGePoint2d point = zone->cachedPoint(true);
        EXPECT_NEAR(point.x, 1800.0, 1e-6) << "from corner " << start << (reversed ? " clockwise" : "") << ", noise "
                                           << noise;
        EXPECT_NEAR(point.y, 1990.0, 1e-6);
      }
}

}  // namespace
