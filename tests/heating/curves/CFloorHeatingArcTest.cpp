#include "heating/curves/CFloorHeatingArc.h"

#include "heating/curves/ArcRules.h"

#include "CurveTestSupport.h"

#include <cmath>

using namespace curve_test;

namespace {

using ArcTest = HeatingCurveTest;

// Every sample of `a` lies on `b`.
testing::AssertionResult liesOn(const CFloorHeatingArc& a, const CFloorHeatingArc& b) {
  for (int i = 0; i <= 16; ++i) {
    const XtGePoint2d p = a.pointAtLength(a.length() * i / 16.0);
    if (!b.arc().isOn(p, XtGeTol(1e-9, 1e-9)))
      return testing::AssertionFailure() << "(" << p.x << ", " << p.y << ") is off the other arc";
  }
  return testing::AssertionSuccess();
}

TEST_F(ArcTest, OffsetKeepsTheCentreAndDisappearsAtZeroRadius) {
  const auto ccw = arc({2, 3}, 5, 0, kPi / 2);
  EXPECT_FALSE(ccw->offsetCopy(5.0));  // left of a counter-clockwise arc is inside
  EXPECT_FALSE(ccw->offsetCopy(7.0));
  const auto outer = ccw->offsetCopy(-5.0);
  ASSERT_TRUE(outer);
  const auto& outerArc = static_cast<const CFloorHeatingArc&>(*outer).arc();
  EXPECT_TRUE(near(outerArc.center(), {2, 3}));
  EXPECT_DOUBLE_EQ(outerArc.radius(), 10.0);
  EXPECT_TRUE(near(outer->startPoint(), {12, 3}));
  EXPECT_EQ(outer->source(), ccw.get());

  const auto cw = arc({0, 0}, 5, 0, kPi / 2, true);
  const auto cwOuter = cw->offsetCopy(5.0);
  ASSERT_TRUE(cwOuter);
  EXPECT_DOUBLE_EQ(static_cast<const CFloorHeatingArc&>(*cwOuter).arc().radius(), 10.0);
  EXPECT_FALSE(cw->offsetCopy(-5.0));
}

TEST_F(ArcTest, ReverseRunsTheSamePointsTheOtherWay) {
  for (const bool clockwise : {false, true}) {
    SCOPED_TRACE(clockwise ? "clockwise" : "counter-clockwise");
    const auto original = arc({1, 1}, 4, 0.5, 2.5, clockwise);
    const auto reversed = original->extendedCopyAt(original->midPoint());
    reversed->reverse();
    auto& reversedArc = static_cast<CFloorHeatingArc&>(*reversed);
    EXPECT_TRUE(near(reversed->startPoint(), original->endPoint()));
    EXPECT_TRUE(near(reversed->endPoint(), original->startPoint()));
    EXPECT_NE(reversedArc.arc().isClockWise(), clockwise);
    EXPECT_NEAR(reversed->length(), original->length(), 1e-12);
    EXPECT_TRUE(liesOn(reversedArc, *original));
    EXPECT_TRUE(liesOn(*original, reversedArc));
    EXPECT_TRUE(endsInStep(*reversed));
    reversed->reverseParam();
    EXPECT_TRUE(near(reversed->startPoint(), original->startPoint()));
  }
}

TEST_F(ArcTest, EndPointsOnTheCircleKeepCentreAndRadius) {
  const auto bow = arc({10, -4}, 5, 0, kPi, false);
  const XtGePoint2d s(10 + 5 * std::cos(0.3), -4 + 5 * std::sin(0.3));
  const XtGePoint2d e(10 + 5 * std::cos(2.0), -4 + 5 * std::sin(2.0));
  bow->setEndPoints(s, e);
  EXPECT_TRUE(near(bow->arc().center(), {10, -4}));
  EXPECT_NEAR(bow->arc().radius(), 5.0, 1e-12);
  EXPECT_TRUE(near(bow->startPoint(), s));
  EXPECT_TRUE(near(bow->endPoint(), e));
  EXPECT_NEAR(bow->length(), 5 * 1.7, 1e-9);

  // Clockwise, and across the reference direction.
  const auto cw = arc({0, 0}, 2, 0, kPi, true);  // (2, 0) down to (-2, 0)
  cw->setEndPoints({0, 2}, {0, -2});
  EXPECT_TRUE(near(cw->arc().center(), {0, 0}));
  EXPECT_NEAR(cw->arc().radius(), 2.0, 1e-12);
  EXPECT_TRUE(near(cw->pointAtLength(kPi), {2, 0}));
}

TEST_F(ArcTest, EndPointsOffTheCircleCarryTheArcAlong) {
  const auto bow = arc({0, 0}, 1, 0, kPi);  // upper half circle from (1, 0) to (-1, 0)
  bow->setEndPoints({10, 0}, {10, 4});      // chord twice as long and turned
  EXPECT_TRUE(near(bow->startPoint(), {10, 0}));
  EXPECT_TRUE(near(bow->endPoint(), {10, 4}));
  EXPECT_NEAR(bow->arc().radius(), 2.0, 1e-9);
  EXPECT_NEAR(bow->length(), 2 * kPi, 1e-9);  // still a half circle

  // Only the start on the circle: the centre slides along its radius through
  // the start until the end, kept at its angle, is reached.
  const auto quarter = arc({0, 0}, 1, 0, kPi / 2);
  quarter->setEndPoints({1, 0}, {-1, 2});
  EXPECT_TRUE(near(quarter->arc().center(), {-1, 0}));
  EXPECT_NEAR(quarter->arc().radius(), 2.0, 1e-9);
  EXPECT_TRUE(near(quarter->endPoint(), {-1, 2}));
  // Where that circle would miss the end, the arc is carried to both points.
  quarter->setEndPoints({1, 0}, {0, 3});
  EXPECT_TRUE(endsInStep(*quarter));
  EXPECT_TRUE(near(quarter->startPoint(), {1, 0}));
  EXPECT_TRUE(near(quarter->endPoint(), {0, 3}));
}

TEST_F(ArcTest, ADegenerateArcTakesTheMeetingPointOfItsRadials) {
  const auto dot = arc({0, 0}, 0, 0, kPi / 2);
  dot->setEndPoints({3, 1}, {1, 3});
  EXPECT_TRUE(near(dot->arc().center(), {1, 1}));
  EXPECT_NEAR(dot->arc().radius(), 2.0, 1e-12);
  EXPECT_TRUE(near(dot->endPoint(), {1, 3}));
}

TEST_F(ArcTest, PointAtLengthWalksFromTheStartAngle) {
  // An arc read from a drawing starts at some angle other than 0.
  const auto bow = arc({0, 0}, 10, kPi / 2, kPi);
  EXPECT_TRUE(near(bow->pointAtLength(0.0), {0, 10}));
  EXPECT_TRUE(near(bow->pointAtLength(10 * kPi / 4), {-10 * std::sqrt(0.5), 10 * std::sqrt(0.5)}));
  EXPECT_TRUE(near(bow->pointAtLength(1e6), {-10, 0}));  // stops at the end
  EXPECT_NEAR(bow->lengthBetween(bow->startPoint(), bow->endPoint()), 5 * kPi, 1e-9);
}

TEST_F(ArcTest, SideTestFollowsTheDirectionOfTravel) {
  const auto ccw = arc({0, 0}, 5, 0, kPi / 2);   // inside is on the left
  const auto cw = arc({0, 0}, 5, 0, kPi / 2, true);
  cw->setEndPoints({0, 5}, {5, 0});               // the same quarter, run clockwise
  for (const XtGePoint2d inside : {XtGePoint2d(2, 2), XtGePoint2d(0.5, 4.5), XtGePoint2d(4.5, 0.5)}) {
    EXPECT_TRUE(ccw->sideTest(inside));
    EXPECT_FALSE(cw->sideTest(inside));
  }
  for (const XtGePoint2d outside : {XtGePoint2d(6, 6), XtGePoint2d(1, 7), XtGePoint2d(7, 1)}) {
    EXPECT_FALSE(ccw->sideTest(outside));
    EXPECT_TRUE(cw->sideTest(outside));
  }
  // Beyond the ends the tangents decide; points on the arc count as left.
  EXPECT_TRUE(ccw->sideTest({4, -3}));   // left of the upward tangent at (5, 0)
  EXPECT_FALSE(ccw->sideTest({6, -3}));
  EXPECT_TRUE(ccw->sideTest({-3, 4}));   // behind the end at (0, 5), left of travel -x
  EXPECT_TRUE(ccw->sideTest(ccw->midPoint()));
  EXPECT_TRUE(cw->sideTest(cw->midPoint()));
}

TEST_F(ArcTest, NormalRaysAndIntersections) {
  const auto ccw = arc({0, 0}, 5, 0, kPi);
  XtGeRay2d ray;
  ASSERT_TRUE(ccw->normalRay(ray, {0, 5}, 1));
  EXPECT_TRUE(near(ray.evalPoint(1.0), {0, 0}));  // to the centre
  ASSERT_TRUE(ccw->normalRay(ray, {0, 5}, -1));
  EXPECT_TRUE(near(ray.evalPoint(1.0), {0, 10}));
  EXPECT_FALSE(ccw->normalRay(ray, {0, 0}, 1));  // no normal at the centre

  XtGePoint2d hit;
  ASSERT_TRUE(ccw->intersectWithRay(XtGeRay2d(XtGePoint2d(-10, 3), XtGeVector2d(1, 0)), hit, workTol));
  EXPECT_TRUE(near(hit, {-4, 3}));
  ASSERT_TRUE(ccw->intersectWithRay(XtGeRay2d(XtGePoint2d(10, 3), XtGeVector2d(-1, 0)), hit, workTol));
  EXPECT_TRUE(near(hit, {4, 3}));
  EXPECT_FALSE(ccw->intersectWithLine(XtGeLine2d(XtGePoint2d(0, -1), XtGeVector2d(1, 0)), hit));

  // The perpendicular bisector of the chord runs through the centre, also for a full circle.
  EXPECT_TRUE(ccw->perpLineAtMid().isOn({0, 0}));
  EXPECT_TRUE(arc({3, 3}, 1, 0, 2 * kPi)->perpLineAtMid().isOn({3, 3}));
}

TEST_F(ArcTest, SampledOverlapOfArcsOnOneCircle) {
  const auto a = arc({0, 0}, 10, 0, kPi);
  const auto b = arc({0, 0}, 10, kPi / 2, 3 * kPi / 2);
  CFloorHeatingCurve::PtrVector pieces;
  ASSERT_TRUE(a->collinearOverlaps(*b, pieces, workTol));
  ASSERT_EQ(pieces.size(), 1u);
  const auto& piece = static_cast<const CFloorHeatingArc&>(*pieces[0]);
  EXPECT_TRUE(near(piece.arc().center(), {0, 0}, 1e-9));
  EXPECT_NEAR(piece.arc().radius(), 10.0, 1e-9);
  // Samples every 0.5 units along a 31.4 long arc.
  EXPECT_NEAR(piece.length(), 5 * kPi, 0.6);
  EXPECT_FALSE(a->collinearOverlaps(*arc({0, 0}, 10, kPi, 2 * kPi), pieces, workTol));
}

}  // namespace
