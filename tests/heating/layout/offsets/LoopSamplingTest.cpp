// Samples along offset loops, the narrow-spot test and walks along edges.
#include "heating/layout/offsets/LoopSampling.h"

#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNode.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "LayoutTestSupport.h"

namespace {

using Point = XtGePoint2d;

std::unique_ptr<COffsetLoop> polygonLoop(const std::vector<Point>& points) {
  auto loop = std::make_unique<COffsetLoop>();
  for (std::size_t i = 0; i < points.size(); ++i)
    loop->appendSection(
        makeSection(std::make_unique<CFloorHeatingLine>(points[i], points[(i + 1) % points.size()], nullptr, 2)));
  return loop;
}

// The walked length between consecutive samples, the last back to the first.
std::vector<double> gaps(const std::vector<COffsetPoint>& samples) {
  std::vector<double> out;
  for (std::size_t i = 0; i < samples.size(); ++i)
    out.push_back(samples[i].point.distanceTo(samples[(i + 1) % samples.size()].point));
  return out;
}

class LoopSampling : public layout_test::LayoutTest {};

TEST_F(LoopSampling, SquareOfSideFourAtStepOneGivesFifteenSamples) {
  const auto loop = polygonLoop({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
  std::vector<COffsetPoint> samples;
  ASSERT_TRUE(sampleLoopPoints(*loop, true, 1.0, samples, workTolFine));
  ASSERT_EQ(samples.size(), 15u);
  EXPECT_EQ(samples[0].links(), (std::vector<CLoopElement*>{loop->section(0), loop->section(3)}));
  EXPECT_TRUE(samples[4].point.isEqualTo({4, 0}, workTol));
  EXPECT_EQ(samples[4].links().size(), 2u) << "a corner lies on both its sections";
  EXPECT_TRUE(samples[14].point.isEqualTo({0, 2}, workTol));
  EXPECT_NEAR(gaps(samples).back(), 2.0, 1e-9) << "the last stretch back to the start";

  // Backward from the last section's end: the same points the other way.
  ASSERT_TRUE(sampleLoopPoints(*loop, false, 1.0, samples, workTolFine));
  ASSERT_EQ(samples.size(), 15u);
  EXPECT_TRUE(samples[1].point.isEqualTo({0, 1}, workTol));
}

TEST_F(LoopSampling, LastStretchStaysBetweenOneAndTwoSteps) {
  const auto loop = polygonLoop({{0, 0}, {7.3, 0}, {9, 3.1}, {2, 5.5}});
  for (const double step : {0.37, 1.0, 2.9}) {
    for (const bool forward : {true, false}) {
      std::vector<COffsetPoint> samples;
      ASSERT_TRUE(sampleLoopPoints(*loop, forward, step, samples, workTolFine));
      const std::vector<double> g = gaps(samples);
      EXPECT_GT(g.back(), step) << step;
      EXPECT_LE(samples.size(), static_cast<std::size_t>(loop->length(workTolFine) / step) + 2);
      for (std::size_t i = 0; i + 1 < samples.size(); ++i)
        EXPECT_LE(g[i], step + 1e-9) << "chords never exceed the walked step";
    }
  }
}

TEST_F(LoopSampling, BadInputSamplesNothing) {
  std::vector<COffsetPoint> samples{COffsetPoint()};
  EXPECT_FALSE(sampleLoopPoints(COffsetLoop(), true, 1.0, samples, workTolFine));
  EXPECT_TRUE(samples.empty());
  const auto loop = polygonLoop({{0, 0}, {4, 0}, {4, 4}});
  for (const double step : {0.0, -1.0, double(NAN), double(INFINITY)})
    EXPECT_FALSE(sampleLoopPoints(*loop, true, step, samples, workTolFine)) << step;
}

TEST_F(LoopSampling, BetweenTwoPointsTheEndsAreLeftToTheCaller) {
  const auto loop = polygonLoop({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
  const CLoopPoint from(Point(1, 0), loop->section(0));
  const CLoopPoint to(Point(4, 2.5), loop->section(1));
  std::vector<COffsetPoint> samples;
  ASSERT_TRUE(sampleLoopBetween(*loop, from, to, true, 1.0, samples, workTolFine));
  ASSERT_EQ(samples.size(), 5u);  // (2,0) (3,0) (4,0) (4,1) (4,2)
  EXPECT_TRUE(samples.back().point.isEqualTo({4, 2}, workTol));
  ASSERT_TRUE(sampleLoopBetween(*loop, from, to, false, 1.0, samples, workTolFine));
  EXPECT_EQ(samples.size(), 10u) << "the long way round is 10.5";
  EXPECT_TRUE(samples.front().point.isEqualTo({0, 0}, workTol));

  const auto other = polygonLoop({{0, 0}, {1, 0}, {0, 1}});
  const CLoopPoint stranger(Point(0.5, 0), other->section(0));
  EXPECT_FALSE(sampleLoopBetween(*loop, stranger, to, true, 1.0, samples, workTolFine));
  EXPECT_TRUE(sampleLoopBetween(*loop, from, from, true, 1.0, samples, workTolFine));
  EXPECT_TRUE(samples.empty());
}

TEST_F(LoopSampling, NarrowSpots) {
  const double s = 2.0;
  EXPECT_TRUE(hasNarrowSpot(*polygonLoop({{0, 0}, {10, 0}, {10, 0.8}, {0, 0.8}}), s, workTolFine));
  EXPECT_FALSE(hasNarrowSpot(*polygonLoop({{0, 0}, {10, 0}, {10, 10}, {0, 10}}), s, workTolFine));
  EXPECT_FALSE(hasNarrowSpot(*polygonLoop({{0, 0}, {10, 0}, {10, 1.2}, {0, 1.2}}), s, workTolFine))
      << "1.2 apart is more than half the spacing";
  // A U whose legs lie 0.4 x s apart, its slot 1.5 x s deep.
  const double w = 0.4 * s;
  EXPECT_TRUE(hasNarrowSpot(*polygonLoop({{0, 0}, {10, 0}, {10, 8}, {5 + w / 2, 8}, {5 + w / 2, 5}, {5 - w / 2, 5},
                                          {5 - w / 2, 8}, {0, 8}}),
                            s, workTolFine));
  EXPECT_FALSE(hasNarrowSpot(*polygonLoop({{0, 0}, {10, 0}, {10, 0.8}, {0, 0.8}}), 3e-6, workTolFine))
      << "spacing below four times the tolerance";
  EXPECT_FALSE(hasNarrowSpot(COffsetLoop(), s, workTolFine));
}

TEST_F(LoopSampling, PointsAlongEdges) {
  const auto loop = polygonLoop({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
  COffsetNode a(Point(1, 0), loop->section(0), loop.get());
  COffsetNode b(Point(4, 1), loop->section(1), loop.get());
  COffsetNode free(Point(1, 9), static_cast<COffsetSection*>(nullptr), nullptr);
  COffsetEdge along(&a, &b, 1, false);
  COffsetEdge straight(&a, &free, 1, false);
  COffsetPoint result;
  ASSERT_TRUE(pointAtLengthAlongEdge(along, a, 4.0, true, result));
  EXPECT_TRUE(result.point.isEqualTo({4, 1}, workTol)) << "round the corner";
  ASSERT_TRUE(pointAtLengthAlongEdge(straight, a, 5.0, true, result));
  EXPECT_TRUE(result.point.isEqualTo({1, 5}, workTol)) << "along the straight connection";
  ASSERT_TRUE(pointAtLengthAlongEdge(straight, a, 50.0, true, result));
  EXPECT_TRUE(result.point.isEqualTo({1, 9}, workTol)) << "clamped to the far end";
  EXPECT_FALSE(pointAtLengthAlongEdge(COffsetEdge(), a, 1.0, true, result) ||
               pointAtLengthAlongEdge(along, free, 1.0, true, result));
  along.unlink();
  straight.unlink();
  a.clearLinks();
  b.clearLinks();
}

}  // namespace
