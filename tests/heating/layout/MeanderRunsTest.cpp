// Run placement of the meander between two side lines, its band test, and
// the crossings of one run with the boundary and the first two levels.
#include "MeanderZones.h"

#include "heating/layout/CFHMeanderPoint.h"
#include "heating/layout/COffsetLoop.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

using Line = CFloorHeatingLine;

// Distances from a start to a stop (inclusive) in steps.
std::vector<double> span(double from, double to, double step) {
  std::vector<double> out;
  for (double d = from; d <= to + 1e-9; d += step) out.push_back(d);
  return out;
}

struct PlacementCase {
  const char* name;
  double length;                  // L, between line 1 (x = L) and line 2 (x = 0)
  double bandAtLine1, bandAtLine2;  // widths of border bands along the sides, 0 for none
  std::vector<double> fromLine1, fromLine2;
};

class MeanderRunPlacement : public testing::TestWithParam<PlacementCase> {
 protected:
  meander_test::UnitScope units_{1000};
};

TEST_P(MeanderRunPlacement, StacksRunsFromBothSides) {
  const PlacementCase& c = GetParam();
  const Line line1({c.length, 0}, {c.length, 3000}, nullptr, 10);
  const Line line2({0, 0}, {0, 3000}, nullptr, 10);
  std::vector<std::unique_ptr<COffsetLoop>> owned;
  std::vector<COffsetLoop*> bands;
  // Strips inside the zone along each side (the strip lies left of its line).
  if (c.bandAtLine1 > 0) owned.push_back(std::make_unique<COffsetLoop>(Line({c.length, 0}, {c.length, 3000}, nullptr, 1), c.bandAtLine1));
  if (c.bandAtLine2 > 0) owned.push_back(std::make_unique<COffsetLoop>(Line({0, 3000}, {0, 0}, nullptr, 1), c.bandAtLine2));
  for (auto& b : owned) bands.push_back(b.get());
  std::vector<std::unique_ptr<Line>> runs;
  ASSERT_TRUE(placeMeanderRuns(line1, line2, true, 100, 200, bands, runs));

  std::vector<double> expected = c.fromLine1;
  for (double d : c.fromLine2) expected.push_back(c.length - d);
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(runs.size(), expected.size()) << c.name;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_NEAR(line1.distanceToCurve(*runs[i]), expected[i], 1e-6) << c.name << " run " << i;
    EXPECT_NEAR(runs[i]->length(), 3000, 1e-6) << "runs span the whole side";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MeanderRunPlacement,
    testing::Values(PlacementCase{"Z1", 4000, 0, 0, span(300, 2100, 200), span(300, 1700, 200)},
                    PlacementCase{"Z7", 4000, 0, 600, span(300, 2100, 200), {200, 300, 400, 500, 700, 900, 1100, 1300, 1500, 1700}},
                    PlacementCase{"L4200", 4200, 0, 0, span(300, 2100, 200), span(300, 1700, 200)},
                    PlacementCase{"L700", 700, 0, 0, {300}, {300}},
                    PlacementCase{"L640", 640, 0, 0, {}, {}},
                    PlacementCase{"L640band", 640, 350, 0, {200, 300}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeanderRunPlacementRefusals, BadSpacingOrTooManyRunsMakeNothing) {
  const Line line1({4000, 0}, {4000, 3000}, nullptr, 10);
  const Line line2({0, 0}, {0, 3000}, nullptr, 10);
  std::vector<std::unique_ptr<Line>> runs;
  for (double s : {0.0, -200.0, std::nan(""), HUGE_VAL, 1e-4}) {
    EXPECT_FALSE(placeMeanderRuns(line1, line2, true, 100, s, {}, runs)) << s;
    EXPECT_TRUE(runs.empty());
  }
}

TEST(MeanderBands, OnlyEdgesAcrossTheBaseCarryABand) {
  EXPECT_FALSE(isMeanderBandAngle(std::numbers::pi / 4));
  EXPECT_FALSE(isMeanderBandAngle(3 * std::numbers::pi / 4));
  EXPECT_FALSE(isMeanderBandAngle(7 * std::numbers::pi / 4));
  EXPECT_TRUE(isMeanderBandAngle(std::numbers::pi / 2));
  EXPECT_TRUE(isMeanderBandAngle(3 * std::numbers::pi / 2));
  // A trapezoid whose left edge meets the base at exactly 3 pi/4: its band
  // value makes no loop, the right edge's does.
  const meander_test::UnitScope units(1000);
  zone_set::ZoneCase c = zone_set::make(zone_fixture::polygon("trapezoid", {{0, 0}, {4000, 0}, {4000, 3000}, {3000, 3000}, {0, 3000}}), 0, {2100, 0}, {1900, 0});
  c.zone.curves.pop_back();
  c.zone.curves.pop_back();
  c.zone.curves.push_back(std::make_unique<Line>(XtGePoint2d(3000, 3000), XtGePoint2d(0, 0), nullptr, 15));
  c.zone.limits = {0, 500, 0, 500};
  auto z = meander_test::meanderZone(c);
  const MeanderBands bands = meanderBandLoops(z->boundary->workingLoop, *z->layout->baseItem->curve);
  ASSERT_EQ(bands.loops.size(), 1u);
  EXPECT_EQ(bands.loops[0]->classifyPoint({3800, 1500}, workTol), CLoop::kInside);
}

// ---- Run crossings ------------------------------------------------------------------

class RunCrossings : public testing::Test {
 protected:
  meander_test::UnitScope units_{1000};
  zone_set::ZoneCase c_ = zone_set::z1();
  std::unique_ptr<meander_test::MeanderZone> z_ = meander_test::meanderZone(c_);
  const Line crossLine_{{0, 0}, {4000, 0}, nullptr, 1};
  std::vector<CFHMeanderPoint> records_;

  bool collect(const Line& run) {
    return z_->layout->collectRunCrossings(run, records_, crossLine_, layoutTolFine, workTol, heatingTolCoarse);
  }
};

TEST_F(RunCrossings, RunAcrossZ1MeetsEveryLoopOnBothSides) {
  ASSERT_TRUE(collect(Line({1100, 0}, {1100, 3000}, nullptr, 10)));
  const std::uint32_t kinds[] = {1, 2, 3, 3, 2, 1};
  const double ys[] = {3000, 2900, 2700, 300, 100, 0};
  ASSERT_EQ(records_.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(records_[i].kind, kinds[i]) << i;
    EXPECT_NEAR(records_[i].point.point.x, 1100, 1e-9) << i;
    EXPECT_NEAR(records_[i].point.point.y, ys[i], 1e-9) << i;
    EXPECT_EQ(records_[i].point.links().size(), 1u) << "inside one section";
  }
}

TEST_F(RunCrossings, EdgeCasesOfTheCrossingList) {
  // Along the left boundary edge: its two ends, each at a joint.
  EXPECT_FALSE(collect(Line({0, 0}, {0, 3000}, nullptr, 10)));
  ASSERT_EQ(records_.size(), 2u);
  EXPECT_TRUE(records_[0].point.point.isEqualTo({0, 3000}) && records_[1].point.point.isEqualTo({0, 0}));
  EXPECT_EQ(records_[0].point.links().size(), 2u);
  // Crossing nothing.
  EXPECT_FALSE(collect(Line({5000, 0}, {5000, 3000}, nullptr, 10)));
  EXPECT_TRUE(records_.empty());
  // Between the boundary and the first loop: two records, kept.
  EXPECT_FALSE(collect(Line({50, 0}, {50, 3000}, nullptr, 10)));
  EXPECT_EQ(records_.size(), 2u);
  // Through the first loop's corner (100, 100) at 45 degrees: one record
  // there, linked to both sections.
  EXPECT_TRUE(collect(Line({0, 0}, {3000, 3000}, nullptr, 10)));
  int atCorner = 0;
  for (const auto& r : records_)
    if (r.kind == kMeanderFirstLoop && r.point.point.isEqualTo({100, 100}, workTol)) {
      ++atCorner;
      EXPECT_EQ(r.point.links().size(), 2u);
    }
  EXPECT_EQ(atCorner, 1);
}

}  // namespace
