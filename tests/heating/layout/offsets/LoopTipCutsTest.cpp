// The narrow tips of offset loops cut off (LoopTipCuts.h): the legs of
// every tip keep a spacing apart once it is cut, and nothing else is cut.
#include "GraphTestSupport.h"
#include "LayoutTestSupport.h"

#include "heating/layout/offsets/LoopTipCuts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

using graph_test::polygonLoop;
using Points = std::vector<XtGePoint2d>;

constexpr double kS = 200.0;

class LoopTipCuts : public layout_test::LayoutTest {};

// The loop as points every step along it, with their lengths along it.
struct Walked {
  std::vector<XtGePoint2d> points;
  std::vector<double> along;
  double length = 0.0;
};

Walked walk(const COffsetLoop& loop, double step) {
  Walked w;
  for (int i = 0; i < loop.sectionCount(); ++i) {
    const XtGePoint2d a = loop.section(i)->startPoint();
    const XtGePoint2d b = loop.section(i)->endPoint();
    const double l = a.distanceTo(b);
    const int n = std::max(1, static_cast<int>(std::ceil(l / step)));
    for (int k = 0; k < n; ++k) {
      w.points.push_back(a + (b - a) * (static_cast<double>(k) / n));
      w.along.push_back(w.length + l * k / n);
    }
    w.length += l;
  }
  return w;
}

// The nearest two points of the loop more than 2 s apart along it (either
// way round), sampled every s/8.
double selfClearance(const COffsetLoop& loop) {
  const Walked w = walk(loop, kS / 8.0);
  double least = 1e300;
  for (std::size_t i = 0; i < w.points.size(); ++i)
    for (std::size_t j = i + 1; j < w.points.size(); ++j) {
      const double along = w.along[j] - w.along[i];
      if (std::min(along, w.length - along) <= 2.0 * kS) continue;
      least = std::min(least, w.points[i].distanceTo(w.points[j]));
    }
  return least;
}

int cutSections(const COffsetLoop& loop) {
  int n = 0;
  for (int i = 0; i < loop.sectionCount(); ++i) n += loop.section(i)->curve->tag() == 12 ? 1 : 0;
  return n;
}

// The isosceles triangle with its apex angle at the origin, pointing down
// (counter-clockwise), legs `leg` long.
Points tipTriangle(double apexDegrees, double leg) {
  const double h = 0.5 * apexDegrees * std::numbers::pi / 180.0;
  return {{0, 0}, {leg * std::sin(h), leg * std::cos(h)}, {-leg * std::sin(h), leg * std::cos(h)}};
}

// Straight legs at 30 degrees: the chord s long, s / (2 sin 15) from the
// apex on both legs; at 70 degrees nothing to cut.
TEST_F(LoopTipCuts, SharpCornerCutOneSpacingAcross) {
  auto loop = polygonLoop(tipTriangle(30.0, 8000.0));
  EXPECT_LT(selfClearance(*loop), 0.9 * kS);
  EXPECT_EQ(cutNarrowTips(*loop, kS), 1);
  ASSERT_EQ(cutSections(*loop), 1);
  for (int i = 0; i < loop->sectionCount(); ++i) {
    const CFloorHeatingCurve& c = *loop->section(i)->curve;
    if (c.tag() != 12) continue;
    EXPECT_NEAR(c.length(), kS, 1e-6);
    const double t = kS / (2.0 * std::sin(15.0 * std::numbers::pi / 180.0));
    EXPECT_NEAR(c.startPoint().distanceTo({0, 0}), t, 1e-6);
    EXPECT_NEAR(c.endPoint().distanceTo({0, 0}), t, 1e-6);
  }
  EXPECT_GE(selfClearance(*loop), kS * (1.0 - 1e-3));

  // A tip of 70 degrees on a house-shaped loop (its other corners square
  // or wider).
  Points house = tipTriangle(70.0, 8000.0);
  house.insert(house.begin() + 2, {{house[1].x, house[1].y + 3000}, {house[2].x, house[2].y + 3000}});
  auto wide = polygonLoop(house);
  EXPECT_EQ(cutNarrowTips(*wide, kS), 0);
  EXPECT_EQ(wide->sectionCount(), 5);
}

// A tip squared by a short end, and one chamfered into a polygon of a round
// wall meeting a straight side at 50 degrees: cut so that the legs keep s.
TEST_F(LoopTipCuts, SquaredAndRoundTipsCut) {
  // Legs converging at 20 degrees onto an end 0.4 s across.
  const double h = 10.0 * std::numbers::pi / 180.0;
  auto squared = polygonLoop({{-40, 0}, {40, 0}, {40 + 6000 * std::sin(h), 6000 * std::cos(h)},
                              {-40 - 6000 * std::sin(h), 6000 * std::cos(h)}});
  EXPECT_LT(selfClearance(*squared), 0.9 * kS);
  EXPECT_EQ(cutNarrowTips(*squared, kS), 1);
  EXPECT_GE(selfClearance(*squared), kS * (1.0 - 1e-3));

  // The side along y = 0 from the tip; the wall leaves the tip at 50
  // degrees and bows towards that side, an arc of radius 6000 in sections
  // of s/2.
  const double r = 6000.0;
  const double a = 50.0 * std::numbers::pi / 180.0;
  const XtGeVector2d t(std::cos(a), std::sin(a));
  const XtGeVector2d n(std::sin(a), -std::cos(a));
  const auto onArc = [&](double th) { return XtGePoint2d(0, 0) + (n * (1.0 - std::cos(th)) + t * std::sin(th)) * r; };
  const double end = 0.6;
  Points round{{0, 0}, {5000, 0}, {5000, onArc(end).y}};
  for (double th = end; th > 1e-9; th -= 0.5 * kS / r) round.push_back(onArc(th));
  auto bowed = polygonLoop(round);
  const double before = selfClearance(*bowed);
  EXPECT_LT(before, kS);
  EXPECT_EQ(cutNarrowTips(*bowed, kS), 1);
  EXPECT_GE(selfClearance(*bowed), kS * (1.0 - 1e-3));
}

// A loop narrow as a whole (a thin innermost loop) keeps its ends: there is
// no tip to cut, the legs never draw apart. Nor are right angles cut.
TEST_F(LoopTipCuts, NarrowLoopsAndRectanglesStay) {
  auto thin = polygonLoop({{0, 0}, {6000, 0}, {6000, 0.6 * kS}, {0, 0.6 * kS}});
  EXPECT_EQ(cutNarrowTips(*thin, kS), 0);
  EXPECT_EQ(thin->sectionCount(), 4);
  auto sliver = polygonLoop({{0, 0}, {6000, 0.3 * kS}, {0, 0.6 * kS}});
  EXPECT_EQ(cutNarrowTips(*sliver, kS), 0);
  auto square = polygonLoop({{0, 0}, {3 * kS, 0}, {3 * kS, 3 * kS}, {0, 3 * kS}});
  EXPECT_EQ(cutNarrowTips(*square, kS), 0);
  EXPECT_EQ(cutNarrowTips(*square, 0.0), 0);
}

// Seeded triangles roomy inside (inradius at least 3 s): once cut, no two
// points of the loop more than 2 s apart along it lie nearer than s.
TEST_F(LoopTipCuts, CutTrianglesKeepTheirSpacing) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> angle(10.0, 110.0);
  std::uniform_real_distribution<double> size(3000.0, 7000.0);
  int cut = 0;
  for (int n = 0; n < 40; ++n) {
    const double a = angle(random) * std::numbers::pi / 180.0;
    const double b = angle(random) * std::numbers::pi / 180.0;
    if (a + b > 0.9 * std::numbers::pi) continue;
    const double base = size(random);
    // The third corner where the sides at the base's ends meet.
    const double tb = std::tan(b);
    const double x = base * tb / (std::tan(a) + tb);
    const Points p{{0, 0}, {base, 0}, {x, x * std::tan(a)}};
    const double area = 0.5 * base * p[2].y;
    const double perimeter = base + p[2].distanceTo(p[0]) + p[2].distanceTo(p[1]);
    if (2.0 * area / perimeter < 3.0 * kS) continue;
    auto loop = polygonLoop(p);
    cut += cutNarrowTips(*loop, kS);
    EXPECT_GE(selfClearance(*loop), kS * (1.0 - 1e-3)) << n;
  }
  EXPECT_GT(cut, 5);
}

}  // namespace
