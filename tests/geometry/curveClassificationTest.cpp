#include "allocationCounter.h"
#include "curveShapes.h"
#include "geometry/curveClassification.h"
#include "platform/ge/XtGeEllipArc2d.h"

#include <gtest/gtest.h>

#include <random>

using namespace curveShapes;

namespace {

class classifyPoint : public WorkTolerances {};
class classifyCurve : public WorkTolerances {};

// Random points in the outline's box (grown a little) that keep at least
// ten tolerances from the boundary, each classified and checked against the
// winding number.
int checkAgainstWindingNumber(const XtGeCompositeCurve2d& shape, std::mt19937& rng, int points) {
  const XtGeBoundBlock2d box = shape.orthoBoundBlock();
  const XtGeVector2d margin = (box.maxPoint() - box.minPoint()) * 0.1;
  std::uniform_real_distribution<double> x(box.minPoint().x - margin.x, box.maxPoint().x + margin.x);
  std::uniform_real_distribution<double> y(box.minPoint().y - margin.y, box.maxPoint().y + margin.y);
  int inside = 0;
  for (int k = 0; k < points; ++k) {
    const XtGePoint2d p(x(rng), y(rng));
    if (shape.distanceTo(p) < 10.0 * workTol.equalPoint()) continue;
    const int expected = windingNumber(p, shape) != 0 ? kPositionInside : kPositionOutside;
    EXPECT_EQ(classifyPointInCurve(p, shape), expected) << "point " << p.x << ", " << p.y;
    if (expected == kPositionInside) ++inside;
  }
  return inside;
}

}  // namespace

TEST_F(classifyPoint, AgreesWithTheWindingNumberOnRandomOutlinesWithArcs) {
  std::mt19937 rng(20240611);
  int inside = 0;
  // Convex outlines (arcs bulging outward) and concave stars with arcs both
  // ways, near the origin, far from it and tiny; 10,000 points in all.
  const struct {
    XtGePoint2d centre;
    double size;
  } places[] = {{{0, 0}, 10.0}, {{1e7, -1e7}, 50.0}, {{0.001, 0.002}, 0.05}};
  for (const auto& place : places) {
    for (int shape = 0; shape < 6; ++shape) {
      const bool convex = shape < 2;
      const CompositePtr c =
          convex ? randomOutline(rng, place.centre, 7, place.size, place.size, 0.25, true)
                 : randomOutline(rng, place.centre, 12, 0.55 * place.size, place.size, 0.2);
      inside += checkAgainstWindingNumber(*c, rng, 555);
      c->reverseParam();
      inside += checkAgainstWindingNumber(*c, rng, 0);
    }
  }
  EXPECT_GT(inside, 2000);
}

TEST_F(classifyPoint, ProbesThroughVerticesCountOnlyRealCrossings) {
  // The probe runs from the point towards 0.12341234 beyond the bound
  // block's maximum corner in X and Y: from (1, 1) in a block reaching
  // (4, 4) it runs along y = x.
  const XtGePoint2d p(1.0, 1.0);
  // The probe leaves the diamond through its vertex (4, 4).
  const CompositePtr diamond = outline({{1, -1}, {3, 1}, {4, 4}, {1, 3}, {-1, 1}});
  EXPECT_EQ(classifyPointInCurve(p, *diamond), kPositionInside);
  // A notch whose lower edge runs along the probe from its tip (2.5, 2.5)
  // to the corner (4, 4).
  const CompositePtr notch = outline({{0, 0}, {4, 0}, {4, 4}, {2.5, 2.5}, {2.0, 4}, {0, 4}});
  EXPECT_EQ(classifyPointInCurve(p, *notch), kPositionInside);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(3.5, 1.0), *notch), kPositionInside);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(3.0, 3.4), *notch), kPositionOutside);
  // A notch hanging from the top edge whose tip (7, 7) touches the probe
  // from (2, 2) without crossing it.
  const CompositePtr tip = outline({{0, 0}, {10, 0}, {10, 10}, {5, 10}, {7, 7}, {3, 10}, {0, 10}});
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(2, 2), *tip), kPositionInside);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(5, 9), *tip), kPositionOutside);
  for (const CompositePtr* shape : {&diamond, &notch, &tip}) {
    (*shape)->reverseParam();
    EXPECT_EQ(classifyPointInCurve(p, **shape), kPositionInside);
  }
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(2, 2), *tip), kPositionInside);
}

TEST_F(classifyPoint, ProbeTangentToAnArcDoesNotFlipTheAnswer) {
  // The square (0, 0)-(10, 10) with a round bay pushed in from its bottom
  // edge: the circle about (6, 2) of radius sqrt(8) through (4, 0) and
  // (8, 0). The probe from (2, 2) runs along y = x and touches that circle
  // at (4, 4), then leaves through the corner (10, 10).
  const double bulge = -std::tan(3.0 * XtGe::kPi / 8.0);  // 270 degrees, clockwise
  const CompositePtr bay =
      outline({{0, 0}, {4, 0}, {8, 0}, {10, 0}, {10, 10}, {0, 10}}, {0.0, bulge});
  const auto* arc = static_cast<const XtGeCircArc2d*>(bay->curveAt(1));
  ASSERT_NEAR(arc->center().distanceTo(XtGePoint2d(6, 2)), 0.0, 1e-12);
  ASSERT_NEAR(arc->distanceTo(XtGePoint2d(4, 4)), 0.0, 1e-12);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(2, 2), *bay), kPositionInside);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(6, 3), *bay), kPositionOutside);
  bay->reverseParam();
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(2, 2), *bay), kPositionInside);
}

TEST_F(classifyPoint, BoundaryPointsAndTheBoundBlock) {
  const CompositePtr square = outline({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(1, 0), *square), kPositionOn);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(2, 2), *square), kPositionOn);
  // On the curve within the tolerance but outside its bound block.
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(1, -0.5e-6), *square), kPositionOn);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(2.0 + 0.9e-6, 1), *square), kPositionOn);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(3, 1), *square), kPositionOutside);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(1, 1e-5), *square), kPositionInside);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(NAN, 1), *square), kPositionOutside);
  // A full ellipse as the closed curve.
  const XtGeEllipArc2d ellipse(XtGePoint2d(5, 5), XtGeVector2d(1, 1).normal(),
                               XtGeVector2d(-1, 1).normal(), 3.0, 1.0);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(6.5, 6.5), ellipse), kPositionInside);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(6.5, 5.0), ellipse), kPositionOutside);
}

TEST_F(classifyPoint, AllocatesNothingPerPoint) {
  std::mt19937 rng(7);
  const CompositePtr shape = randomOutline(rng, XtGePoint2d(0, 0), 12, 5.0, 10.0, 0.2);
  std::vector<XtGePoint2d> points;
  std::uniform_real_distribution<double> u(-11.0, 11.0);
  for (int i = 0; i < 200; ++i) points.emplace_back(u(rng), u(rng));
  int inside = 0;
  const std::size_t before = allocationCounter::count();
  for (const XtGePoint2d& p : points) inside += classifyPointInCurve(p, *shape) == kPositionInside;
  EXPECT_EQ(allocationCounter::count(), before);
  EXPECT_GT(inside, 0);
}

TEST_F(classifyCurve, EndsDecideFirstThenSamplesVote) {
  const CompositePtr square = outline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  // Start on the square, end inside.
  EXPECT_EQ(classifyCurveInCurve(XtGeLineSeg2d({0, 5}, {5, 5}), *square), kPositionInside);
  EXPECT_EQ(classifyCurveInCurve(XtGeLineSeg2d({10, 5}, {15, 5}), *square), kPositionOutside);
  // Both ends on the square: a chord through the inside, an arc outside.
  EXPECT_EQ(classifyCurveInCurve(XtGeLineSeg2d({0, 5}, {10, 5}), *square), kPositionInside);
  EXPECT_EQ(classifyCurveInCurve(XtGeCircArc2d({0, 0}, {10, 0}, 0.5), *square), kPositionOutside);
  // Lying along the square: nothing decides.
  EXPECT_EQ(classifyCurveInCurve(XtGeLineSeg2d({2, 0}, {8, 0}), *square), kPositionOn);
  EXPECT_EQ(classifyCurveInCurve(*square, *square), kPositionOn);
}

TEST_F(classifyCurve, TwoToTwoVotesDoNotCarryIntoTheSixSamplePass) {
  // A path along the bottom edge of the square that dips inside around its
  // first and last quarters. Five samples (t = 0, .25, .5, .75, 1) give two
  // inside votes, six (t = .2, .4, .6, .8 without the ends) two more; only
  // votes carried over would reach three.
  const CompositePtr square = outline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  const double h = 1.0;
  // Length 10 along the edge plus dips; the parameter follows arc length.
  // Dip k spans edge x in [a, b] going up to height h (two legs).
  const CompositePtr path = outline({{0, 0},
                                     {1.5, 0},
                                     {2.25, h},
                                     {3.0, 0},
                                     {7.0, 0},
                                     {7.75, h},
                                     {8.5, 0},
                                     {10.0, 0}},
                                    {}, false);
  // The samples fall where the test wants them.
  XtGePoint2dArray five;
  XtGePoint2dArray six;
  path->getSamplePoints(5, five);
  path->getSamplePoints(6, six);
  int in5 = 0;
  int in6 = 0;
  for (int i = 1; i < 4; ++i) in5 += classifyPointInCurve(five[i], *square) == kPositionInside;
  for (int i = 1; i < 5; ++i) in6 += classifyPointInCurve(six[i], *square) == kPositionInside;
  ASSERT_EQ(in5, 2);
  ASSERT_EQ(in6, 2);
  for (int i = 1; i < 5; ++i)
    ASSERT_NE(classifyPointInCurve(six[i], *square), kPositionOutside);
  EXPECT_EQ(classifyCurveInCurve(*path, *square), kPositionOn);
}

TEST_F(classifyPoint, PointInCurveSetAndRayCrossings) {
  const CompositePtr outer = outline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  const CompositePtr hole = outline({{3, 3}, {6, 3}, {6, 6}, {3, 6}});
  const XtGeCurve2d* set[] = {outer.get(), hole.get()};
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(1, 1), set), kPositionInside);
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(4, 4), set), kPositionOutside);
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(3, 4), set), kPositionInside);  // on the hole
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(20, 4), set), kPositionOutside);
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(1, 1), std::span<const XtGeCurve2d* const>()),
            kPositionOutside);
  struct record {
    const XtGeCurve2d* curve;
    int tag;
  };
  const std::vector<record> records{{outer.get(), 1}, {nullptr, 2}, {hole.get(), 3}};
  EXPECT_EQ(classifyPointInCurveSet(XtGePoint2d(4, 4), records, [](const record& r) { return r.curve; }),
            kPositionOutside);

  EXPECT_TRUE(rayCrossingCount(XtGePoint2d(5, 5), *outer));
  EXPECT_FALSE(rayCrossingCount(XtGePoint2d(15, 5), *outer));
  // The +X ray runs along the top edge: the +Y ray is used instead.
  EXPECT_FALSE(rayCrossingCount(XtGePoint2d(-5, 10), *outer));
  EXPECT_FALSE(rayCrossingCount(XtGePoint2d(5, 1), *hole));
}

TEST(curveClassificationHelpers, SidesSegmentsAndPointSearch) {
  EXPECT_TRUE(vectorsOnSameSide({1, 0}, {1, 1}, {-3, 0.5}));
  EXPECT_FALSE(vectorsOnSameSide({1, 0}, {1, 1}, {1, -1}));
  EXPECT_FALSE(vectorsOnSameSide({1, 0}, {2, 0}, {1, 1}));

  EXPECT_TRUE(hasThreeOrFourSegments(*outline({{0, 0}, {1, 0}, {0, 1}})));
  EXPECT_TRUE(hasThreeOrFourSegments(*outline({{0, 0}, {1, 0}, {1, 1}, {0, 1}})));
  EXPECT_FALSE(hasThreeOrFourSegments(*outline({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {-1, 0.5}})));
  EXPECT_FALSE(hasThreeOrFourSegments(*outline({{0, 0}, {1, 0}, {0, 1}}, {0.0, 0.3})));
  EXPECT_FALSE(hasThreeOrFourSegments(XtGeLineSeg2d({0, 0}, {1, 0})));

  XtGePoint2dArray points;
  int index = -7;
  EXPECT_FALSE(findPointIndex(points, XtGePoint2d(0, 0), XtGeTol(1e-6, 1e-8), index));
  points.append(XtGePoint2d(1, 1));
  points.append(XtGePoint2d(2, 2));
  points.append(XtGePoint2d(2, 2));
  EXPECT_FALSE(findPointIndex(points, XtGePoint2d(0, 0), XtGeTol(1e-6, 1e-8), index));
  EXPECT_EQ(index, -7);
  EXPECT_TRUE(findPointIndex(points, XtGePoint2d(2, 2 + 1e-7), XtGeTol(1e-6, 1e-8), index));
  EXPECT_EQ(index, 1);
}
