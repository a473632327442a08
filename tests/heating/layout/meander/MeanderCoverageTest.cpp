// The reading of how well a meander's pipe covers its heated area: the bare
// points of a walked rectangle and none of a serpentine, a narrow strip let
// be, and the same points however the outline is drawn.
#include "heating/layout/offsets/COffsetBuilder.h"
#include "heating/layout/meander/MeanderCoverage.h"

#include "LayoutTestSupport.h"
#include "ZoneFixtures.h"

#include <algorithm>
#include <stdexcept>

namespace {

using layout_test::Levels;
using Segments = std::vector<MeanderCoverage::Segment>;

class MeanderCoverageTest : public layout_test::LayoutTest {
 protected:
  // The first loop of the zone at d0 100 (spacing 200).
  const CLoop& firstLoop(const zone_fixture::Zone& zone) {
    deleteLoopListsAndClear(levels_.levels);
    curves_ = zone.raw();
    COffsetBuilder builder(curves_, 100.0, 200.0);
    builder.buildLoops(levels_.levels);
    if (levels_.levels.empty() || levels_.levels.front()->empty()) throw std::runtime_error("no first loop");
    return *levels_.levels.front()->front();
  }
  // The loop's own sections as a pipe.
  static Segments walked(const CLoop& loop) {
    Segments out;
    for (const CLoopElement* e : loop.elements) out.emplace_back(e->startPoint(), e->endPoint());
    return out;
  }

 private:
  std::vector<CFloorHeatingCurve*> curves_;
  Levels levels_;
};

// A rectangle 2000 x 1000 (heated 1800 x 800) walked round its first loop
// leaves a band along its middle farther than 1.4 s = 280 from the pipe,
// its farthest points 400 away; runs every 200 cover it.
TEST_F(MeanderCoverageTest, AWalkedRectangleIsBareAlongItsMiddleASerpentineNowhere) {
  const CLoop& loop = firstLoop(zone_fixture::polygon("", {{0, 0}, {2000, 0}, {2000, 1000}, {0, 1000}}));
  const MeanderCoverage coverage(loop, {0, 1}, 200.0);
  ASSERT_TRUE(coverage.usable());
  const std::vector<MeanderCoverage::BarePoint> bare = coverage.barePoints(walked(loop), 280.0);
  ASSERT_FALSE(bare.empty());
  double farthest = 0.0;
  for (const MeanderCoverage::BarePoint& p : bare) {
    EXPECT_TRUE(coverage.wide(p.at));
    EXPECT_GT(p.distance, 280.0);
    EXPECT_GT(p.at.y, 100.0 + 280.0 - 1e-9);
    EXPECT_LT(p.at.y, 900.0 - 280.0 + 1e-9);
    farthest = std::max(farthest, p.distance);
  }
  EXPECT_NEAR(farthest, 400.0, 200.0 / 16.0);
  Segments serpentine;
  for (int k = 0; k <= 4; ++k) serpentine.emplace_back(XtGePoint2d(100, 100 + 200 * k), XtGePoint2d(1900, 100 + 200 * k));
  EXPECT_FALSE(coverage.anyBare(serpentine, 280.0));
  EXPECT_TRUE(coverage.barePoints(serpentine, 280.0).empty());
}

// A strip heated 180 across (narrower than s) with a stub of pipe at one
// end: its far end lies 3600 from the pipe, but no hairpin fits there.
TEST_F(MeanderCoverageTest, AStripNarrowerThanTheSpacingIsLetBe) {
  const CLoop& loop = firstLoop(zone_fixture::polygon("", {{0, 0}, {4000, 0}, {4000, 380}, {0, 380}}));
  const MeanderCoverage coverage(loop, {1, 0}, 200.0);
  const Segments stub{{{100, 190}, {300, 190}}};
  EXPECT_TRUE(coverage.anyBare(stub, 280.0));
  const std::vector<MeanderCoverage::BarePoint> bare = coverage.barePoints(stub, 280.0);
  EXPECT_FALSE(bare.empty());
  EXPECT_TRUE(std::none_of(bare.begin(), bare.end(), [&](const auto& p) { return coverage.wide(p.at); }));
}

// The points read lie on the drawing's lattice: the same room drawn from
// another corner and read along the runs the other way gives the same
// points at the same places.
TEST_F(MeanderCoverageTest, TheSamePointsHoweverTheRoomIsDrawn) {
  const auto read = [&](const zone_fixture::Zone& zone, const XtGeVector2d& runs) {
    const CLoop& loop = firstLoop(zone);
    std::vector<std::pair<double, double>> out;
    for (const MeanderCoverage::BarePoint& p : MeanderCoverage(loop, runs, 200.0).barePoints(walked(loop), 280.0))
      out.emplace_back(p.at.x, p.at.y);
    std::sort(out.begin(), out.end());
    return out;
  };
  const auto drawn = read(zone_fixture::polygon("", {{10, 20}, {1610, 20}, {1610, 1230}, {10, 1230}}), {0, 1});
  ASSERT_FALSE(drawn.empty());
  const auto other = read(zone_fixture::polygon("", {{1610, 1230}, {10, 1230}, {10, 20}, {1610, 20}}), {0, -1});
  ASSERT_EQ(drawn.size(), other.size());
  for (std::size_t k = 0; k < drawn.size(); ++k) {
    EXPECT_NEAR(drawn[k].first, other[k].first, 1e-6);
    EXPECT_NEAR(drawn[k].second, other[k].second, 1e-6);
  }
}

}  // namespace
