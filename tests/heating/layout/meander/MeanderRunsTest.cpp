// Run placement of the meander between two side lines, the band angle, and
// the crossings of one run with the boundary and the first two levels.
#include "MeanderZones.h"

#include "heating/layout/meander/CFHMeanderPoint.h"
#include "heating/layout/offsets/COffsetLoop.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

using Line = CFloorHeatingLine;

std::vector<double> span(double from, double to) {
  std::vector<double> out;
  for (double d = from; d <= to + 1e-9; d += 200) out.push_back(d);
  return out;
}

struct PlacementCase {
  const char* name;
  double length;  // L, between line 1 (x = L) and line 2 (x = 0)
  double band1, band2;  // border bands along line 1 and line 2, 0 for none
  std::vector<double> fromLine1, fromLine2;
};

class MeanderRunPlacement : public testing::TestWithParam<PlacementCase> {};

// d0 = 100, s = 200: the runs' distances from line 1 and line 2.
TEST_P(MeanderRunPlacement, StacksRunsFromBothSides) {
  const meander_test::UnitScope units(1000);
  const PlacementCase& c = GetParam();
  const Line line1({c.length, 0}, {c.length, 3000}, nullptr, 10), line2({0, 0}, {0, 3000}, nullptr, 10);
  COffsetLoop strip1(line1, c.band1), strip2(Line({0, 3000}, {0, 0}, nullptr, 1), c.band2);
  std::vector<COffsetLoop*> bands;
  for (COffsetLoop* strip : {&strip1, &strip2})
    if (strip->sectionCount() == 4 && strip->section(1)->curve->length() > 0) bands.push_back(strip);
  std::vector<std::unique_ptr<Line>> runs;
  ASSERT_TRUE(placeMeanderRuns(line1, line2, true, 100, 200, bands, runs));
  std::vector<double> expected = c.fromLine1;
  for (double d : c.fromLine2) expected.push_back(c.length - d);
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(runs.size(), expected.size()) << c.name;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_NEAR(line1.distanceToCurve(*runs[i]), expected[i], 1e-6) << c.name << " run " << i;
    EXPECT_NEAR(runs[i]->length(), 3000, 1e-6);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MeanderRunPlacement,
    testing::Values(PlacementCase{"Z1", 4000, 0, 0, span(300, 2100), span(300, 1700)},
                    PlacementCase{"Z7", 4000, 0, 600, span(300, 2100), {200, 300, 400, 500, 700, 900, 1100, 1300, 1500, 1700}},
                    PlacementCase{"L700", 700, 0, 0, {300}, {300}}, PlacementCase{"L640", 640, 0, 0, {}, {}},
                    PlacementCase{"L640band", 640, 350, 0, {200, 300}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeanderRunPlacementRefusals, BadSpacingOrTooManyRunsMakeNothing) {
  const Line line1({4000, 0}, {4000, 3000}, nullptr, 10), line2({0, 0}, {0, 3000}, nullptr, 10);
  std::vector<std::unique_ptr<Line>> runs;
  for (double s : {0.0, -200.0, std::nan(""), HUGE_VAL, 1e-4})
    EXPECT_FALSE(placeMeanderRuns(line1, line2, true, 100, s, {}, runs) || !runs.empty()) << s;
  // Edges at exactly pi/4, 3 pi/4 and 7 pi/4 to the base carry no band.
  for (double a : {1.0, 3.0, 5.0, 7.0}) EXPECT_FALSE(isMeanderBandAngle(a * std::numbers::pi / 4)) << a;
  EXPECT_TRUE(isMeanderBandAngle(std::numbers::pi / 2) && isMeanderBandAngle(3 * std::numbers::pi / 2));
}

class RunCrossings : public testing::Test {
 protected:
  meander_test::UnitScope units_{1000};
  zone_set::ZoneCase c_ = zone_set::z1();
  std::unique_ptr<meander_test::MeanderZone> z_ = meander_test::meanderZone(c_);
  std::vector<CFHMeanderPoint> records_;

  bool collect(double x0, double x1) {
    const Line cross({0, 0}, {4000, 0}, nullptr, 1);
    return z_->layout->collectRunCrossings(Line({x0, 0}, {x1, 3000}, nullptr, 10), records_, cross, layoutTolFine,
                                           workTol, heatingTolCoarse);
  }
};

TEST_F(RunCrossings, RunsAcrossZ1AndTheirEdgeCases) {
  ASSERT_TRUE(collect(1100, 1100));
  const std::uint32_t kinds[] = {1, 2, 3, 3, 2, 1};
  const double ys[] = {3000, 2900, 2700, 300, 100, 0};
  ASSERT_EQ(records_.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i)
    EXPECT_TRUE(records_[i].kind == kinds[i] && records_[i].point.point.isEqualTo({1100, ys[i]}, workTolFine) &&
                records_[i].point.links().size() == 1)
        << i;
  // Along the left boundary edge: its two ends, each at a joint.
  EXPECT_FALSE(collect(0, 0));
  ASSERT_EQ(records_.size(), 2u);
  EXPECT_TRUE(records_[0].point.point.isEqualTo({0, 3000}) && records_[1].point.point.isEqualTo({0, 0}));
  EXPECT_EQ(records_[0].point.links().size(), 2u);
  EXPECT_FALSE(collect(5000, 5000) || !records_.empty()) << "crossing nothing";
  EXPECT_FALSE(collect(50, 50));
  EXPECT_EQ(records_.size(), 2u) << "two records stay";
  // Through the first loop's corner at 45 degrees: one record, at the joint.
  EXPECT_TRUE(collect(0, 3000));
  int atCorner = 0;
  for (const auto& r : records_)
    atCorner += r.kind == kMeanderFirstLoop && r.point.point.isEqualTo({100, 100}, workTol) && r.point.links().size() == 2;
  EXPECT_EQ(atCorner, 1);
}

}  // namespace
