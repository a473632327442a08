// The offset levels of zone outlines: the distances of the levels, their
// stop conditions and the invariants of every loop on the shared zones.
#include "heating/layout/offsets/COffsetBuilder.h"
#include "heating/layout/offsets/OffsetLevelAcceptance.h"

#include "LayoutTestSupport.h"
#include "OffsetLevelChecks.h"
#include "ZoneFixtures.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

namespace {

using layout_test::box;
using layout_test::Levels;
using namespace zone_fixture;

class OffsetBuilder : public layout_test::LayoutTest {
 protected:
  // Builds the zone's levels (with its limits) at first offset d0 and
  // spacing s.
  Levels build(const Zone& zone, double d0 = kFirstOffset, double s = kSpacing) {
    curves_ = zone.raw();
    COffsetBuilder builder(curves_, d0, s);
    builder.setEdgeLimits(zone.limits.empty() ? nullptr : &zone.limits);
    Levels levels;
    builder.buildLoops(levels.levels);
    return levels;
  }

 private:
  std::vector<CFloorHeatingCurve*> curves_;
};

TEST_F(OffsetBuilder, LevelDistancesAdvanceByHalfSpacingsWithinABand) {
  const Zone square = polygon("square", {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  const std::vector<CFloorHeatingCurve*> curves = square.raw();
  COffsetBuilder builder(curves, 0.5, 2.0);
  EXPECT_DOUBLE_EQ(builder.levelDistance(0, 4), 8.5) << "no limits: d0 + k s";
  const std::vector<double> limits{3.0, 0.0, 0.0, 0.0};
  builder.setEdgeLimits(&limits);
  const double expected[] = {0.5, 1.5, 2.5, 4.5, 6.5};
  for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(builder.levelDistance(0, k), expected[k]) << k;
  EXPECT_DOUBLE_EQ(builder.levelDistance(1, 2), 4.5) << "a limit of 0 gives whole spacings";

  const std::vector<double> short_{3.0, 0.0, 0.0};
  builder.setEdgeLimits(&short_);
  EXPECT_FALSE(builder.hasLimits());
  EXPECT_DOUBLE_EQ(builder.levelDistance(0, 2), 4.5);
}

TEST_F(OffsetBuilder, BadInputGivesNoLevel) {
  for (const auto& [d0, s] : {std::pair{-1.0, 200.0}, {100.0, -200.0}, {double(NAN), 200.0}, {100.0, double(INFINITY)}})
    EXPECT_EQ(build(z1Rectangle(), d0, s).size(), 0u) << d0 << " " << s;
  EXPECT_EQ(build(clockwise(z1Rectangle())).size(), 0u) << "a clockwise chain would give levels outside the zone";

  // What the levels vector held is freed before the build.
  Levels levels = build(z1Rectangle());
  COffsetBuilder(std::vector<CFloorHeatingCurve*>{}, 100.0, 200.0).buildLoops(levels.levels);
  EXPECT_EQ(levels.size(), 0u);
}

TEST_F(OffsetBuilder, CornersAreSharpAndMitred) {
  Levels levels = build(z2L());
  ASSERT_GE(levels.size(), 2u);
  for (std::size_t k = 0; k < 2; ++k) {
    const double d = 100.0 + 200.0 * k;
    bool convex = false;
    bool reflex = false;
    for (const CLoopElement* e : levels[k][0]->elements) {
      convex = convex || e->startPoint().isEqualTo({4000 - d, d}, workTol);
      reflex = reflex || e->startPoint().isEqualTo({2000 - d, 2000 - d}, workTol);
    }
    EXPECT_TRUE(convex) << "sharp convex corner of level " << k;
    EXPECT_TRUE(reflex) << "mitred reflex corner of level " << k;
  }
}

TEST_F(OffsetBuilder, EveryLevelOfTheSharedZonesKeepsItsInvariants) {
  struct Expect {
    Zone zone;
    std::vector<std::size_t> loopsPerLevel;  // {kAny}: any number of levels, at least one
  };
  constexpr std::size_t kAny = 99;
  std::vector<Expect> cases;  // Z1 has 7 levels: 3000 - 2 x 1300 > 0
  cases.push_back({z1Rectangle(), {1, 1, 1, 1, 1, 1, 1}});
  cases.push_back({moved(z1Rectangle(), 1e7), {1, 1, 1, 1, 1, 1, 1}});
  cases.push_back({z8Turned(), {1, 1, 1, 1, 1, 1, 1}});
  // A side of no length (a corner clicked twice) has no offset; it must not
  // end the build.
  cases.push_back({polygon("Z1, a corner doubled", {{0, 0}, {4000, 0}, {4000, 0}, {4000, 3000}, {0, 3000}}),
                   {1, 1, 1, 1, 1, 1, 1}});
  cases.push_back({z2L(), {kAny}});
  cases.push_back({moved(z2L(), 1e7), {kAny}});
  cases.push_back({z3U(), {kAny}});
  cases.push_back({z4Strip(500), {1}});
  cases.push_back({z4Strip(150), {}});
  cases.push_back({z5Dumbbell(150), {2, 2, 2, 2, 2}});
  cases.push_back({z5Dumbbell(700), {1, 1, 2, 2, 2}});
  cases.push_back({z6Circle(), std::vector<std::size_t>(10, 1)});  // 100, 300, ..., 1900 of radius 2000
  cases.push_back({z6SemicircularEnd(), {kAny}});
  cases.push_back({z6QuarterRound(), {kAny}});
  cases.push_back({z6Fillets(), {1, 1, 1, 1, 1, 1, 1}});  // fillets smaller than the offset
  cases.push_back({z7Band(), {kAny}});
  cases.push_back({z9Square(), {1, 1}});
  for (const Expect& c : cases) {
    const std::vector<CFloorHeatingCurve*> curves = c.zone.raw();
    COffsetBuilder builder(curves, kFirstOffset, kSpacing);
    builder.setEdgeLimits(c.zone.limits.empty() ? nullptr : &c.zone.limits);
    Levels levels;
    builder.buildLoops(levels.levels);
    EXPECT_TRUE(level_check::checkLevels(c.zone, builder, levels.levels));
    if (c.loopsPerLevel == std::vector<std::size_t>{kAny}) {
      EXPECT_GT(levels.size(), 0u) << c.zone.name;
      continue;
    }
    std::vector<std::size_t> counts;
    for (std::size_t k = 0; k < levels.size(); ++k) counts.push_back(levels[k].size());
    EXPECT_EQ(counts, c.loopsPerLevel) << c.zone.name;
  }
}

TEST_F(OffsetBuilder, BandLimitsKeepHalfSpacingsAlongTheBandEdge) {
  Levels levels = build(z7Band());
  ASSERT_GE(levels.size(), 7u);
  const double bottoms[] = {100, 200, 300, 400, 500, 600, 800};
  for (int k = 0; k < 7; ++k) EXPECT_NEAR(box(*levels[k][0])[1], bottoms[k], 1e-6) << k;
}

TEST_F(OffsetBuilder, AcceptanceNeedsEverySampleStrictlyInside) {
  Levels outer = build(polygon("square", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}), 0.0, 0.0);
  Levels inside = build(polygon("inner", {{2, 2}, {8, 2}, {8, 8}, {2, 8}}), 0.0, 0.0);
  Levels poking = build(polygon("poking", {{2, 2}, {11, 2}, {11, 3}, {2, 3}}), 0.0, 0.0);
  Levels touching = build(polygon("touching", {{0, 2}, {8, 2}, {8, 8}, {0, 8}}), 0.0, 0.0);
  ASSERT_EQ(outer.size() * inside.size() * poking.size() * touching.size(), 1u);
  EXPECT_TRUE(isLoopInsideLoop(*outer[0][0], *inside[0][0], 1.0, workTolFine));
  EXPECT_FALSE(isLoopInsideLoop(*outer[0][0], *poking[0][0], 1.0, workTolFine));
  EXPECT_FALSE(isLoopInsideLoop(*outer[0][0], *touching[0][0], 1.0, workTolFine)) << "samples on the loop";
  EXPECT_FALSE(isLoopInsideLoop(*outer[0][0], *inside[0][0], 5e-6, workTolFine)) << "h below 10 x the tolerance";
  EXPECT_TRUE(acceptLoopInLevel(outer[0], *inside[0][0], 1.0, workTolFine));
  EXPECT_FALSE(acceptLoopInLevel({}, *inside[0][0], 1.0, workTolFine));
}

// A room whose straight wall along y meets a round wall (a floor's room,
// d0 120, s 255), drawn again and again with 1e-10 of noise in its
// vertices: every level has the same loops, vertex for vertex. The
// tessellator once put the corner of level 3, where the offsets of the
// wall and of a chord of the round wall cross (y 4438.87), onto the end
// of the wall's offset (y 4442.50) on some of the drawings, and the
// spiral's middle moved with it on every edit of the drawn design.
TEST_F(OffsetBuilder, LevelsBesideARoundWallKeepTheirCornersUnderNoise) {
  // The working outline as the zone made it: the round wall in chords.
  const std::vector<XtGePoint2d> corners = {{-2120.0, 4809.5},
                                            {-2120.0, 1694.5},
                                            {2655.0, 1694.5},
                                            {2655.0, 4809.5},
                                            {2372.112370768621, 5091.925983270026},
                                            {2056.079065776326, 5336.696890311367},
                                            {1711.877313895483, 5539.957808346167},
                                            {1344.927970682505, 5698.507568086621},
                                            {961.010144974606, 5809.849159156225},
                                            {566.170183332554, 5872.229055667003},
                                            {166.626445739314, 5884.664832611639},
                                            {-231.328627751776, 5846.960638138189},
                                            {-621.427617060638, 5759.710278033505},
                                            {-997.526828082890, 5624.287863837661},
                                            {-1353.703050123956, 5442.826171872812},
                                            {-1684.346840925729, 5218.183054011559}};
  const auto drawn = [&](double noise, std::mt19937& random) {
    std::uniform_real_distribution<double> move(-noise, noise);
    std::vector<XtGePoint2d> p = corners;
    for (XtGePoint2d& q : p) q.set(q.x + move(random), q.y + move(random));
    return polygon("round wall", p);
  };
  // The vertices of each loop of each level in micrometres, from the
  // lowest-leftmost one.
  const auto shape = [](const Levels& levels) {
    std::vector<std::vector<std::pair<long long, long long>>> out;
    for (std::size_t k = 0; k < levels.size(); ++k)
      for (const COffsetLoop* loop : levels[k]) {
        auto& v = out.emplace_back();
        for (const CLoopElement* e : loop->elements)
          v.emplace_back(std::llround(e->startPoint().x * 1e3), std::llround(e->startPoint().y * 1e3));
        std::rotate(v.begin(), std::min_element(v.begin(), v.end()), v.end());
      }
    return out;
  };
  std::mt19937 random(12);
  const Levels clean = build(drawn(0.0, random), 120.0, 255.0);
  ASSERT_GE(clean.size(), 4u);
  ASSERT_EQ(clean[3].size(), 1u);
  bool corner = false;  // level 3's corner on the wall's offset x = 1770
  for (const CLoopElement* e : clean[3][0]->elements)
    corner =
        corner || (std::fabs(e->startPoint().x - 1770.0) < 1e-6 && std::fabs(e->startPoint().y - 4438.8687) < 1e-3);
  EXPECT_TRUE(corner) << "level 3 meets the wall's offset where the round wall's offset crosses it";
  const auto expected = shape(clean);
  for (int trial = 0; trial < 40; ++trial) {
    const Levels noisy = build(drawn(1e-10, random), 120.0, 255.0);
    const auto got = shape(noisy);
    ASSERT_EQ(got.size(), expected.size()) << "trial " << trial;
    for (std::size_t i = 0; i < got.size(); ++i) {
      ASSERT_EQ(got[i].size(), expected[i].size()) << "trial " << trial << ", loop " << i;
      for (std::size_t j = 0; j < got[i].size(); ++j)
        EXPECT_TRUE(std::abs(got[i][j].first - expected[i][j].first) <= 1 &&
                    std::abs(got[i][j].second - expected[i][j].second) <= 1)
            << "trial " << trial << ", loop " << i << ", vertex " << j;
    }
  }
}

// About 130 levels of a 2,000 m2 zone (50 x 40 m, a rounded end) at a pitch of
// 150 mm.
TEST_F(OffsetBuilder, LargeZoneBuildsQuickly) {
  const Zone zone = outline("large", {0, 0}, {{{50000, 0}}, {{50000, 40000}, 0.3}, {{0, 40000}}, {{0, 0}}});
  const auto start = std::chrono::steady_clock::now();
  Levels levels = build(zone, 100.0, 150.0);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GE(levels.size(), 125u);
  RecordProperty("milliseconds", std::to_string(ms));
  // Some 25 ms in a release build; the bound only catches a build that has
  // become quadratic in the levels or the samples (sanitizers included).
  EXPECT_LT(ms, 5000.0);
}

}  // namespace
