#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGeRay2d.h"

#include "tests/platform/ge/GeTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr double kPi = XtGe::kPi;

double bulgeOf(const XtGeCircArc2d& arc) {
  const double b = std::tan((arc.endAng() - arc.startAng()) / 4.0);
  return arc.isClockWise() ? -b : b;
}

}  // namespace

TEST(GeCircArc, ReversingClockwiseArcFollowsRuleR1) {
  // Origin, (1, 0) -> (0, -1) -> (0, 1): clockwise [0, 3*pi/2] about +X.
  XtGeCircArc2d arc(XtGePoint2d(), 1.0, 0.0, 1.5 * kPi, XtGeVector2d::kXAxis, true);
  expectNear(arc.xtEvalPoint(0.5 * kPi), XtGePoint2d(0, -1));
  expectNear(arc.endPoint(), XtGePoint2d(0, 1));
  arc.reverseParam();
  EXPECT_FALSE(arc.isClockWise());
  EXPECT_NEAR(arc.refVec().angle() + arc.startAng(), 0.5 * kPi, 1e-15);
  EXPECT_NEAR(arc.refVec().angle() + arc.endAng(), 2 * kPi, 1e-15);
  expectNear(arc.startPoint(), XtGePoint2d(0, 1));
  expectNear(arc.endPoint(), XtGePoint2d(1, 0));
  // Reversing twice gives the original parameters back.
  arc.reverseParam();
  EXPECT_NEAR(arc.startAng(), 0.0, 1e-15);
  EXPECT_NEAR(arc.endAng(), 1.5 * kPi, 1e-15);
  // A full circle stays a full circle.
  XtGeCircArc2d full(XtGePoint2d(1, 1), 3.0, 0.1, 0.1 + XtGe::kTwoPi);
  full.reverseParam();
  EXPECT_TRUE(full.isFullCircle());
}

TEST(GeCircArc, FullCircleSplitAtMidParameterGivesTwoHalvesWithBulgeOne) {
  const XtGeCircArc2d circle(XtGePoint2d(2, 3), 4.0);
  XtGeInterval iv;
  circle.getInterval(iv);
  XtGeCurve2d *a = nullptr, *b = nullptr;
  circle.getSplitCurves(0.5 * (iv.lowerBound() + iv.upperBound()), a, b);
  std::unique_ptr<XtGeCurve2d> pa(a), pb(b);
  ASSERT_TRUE(a && b);
  const auto& h1 = static_cast<const XtGeCircArc2d&>(*a);
  const auto& h2 = static_cast<const XtGeCircArc2d&>(*b);
  expectNear(h1.endPoint(), XtGePoint2d(-2, 3));  // the opposite point
  expectNear(h2.startPoint(), h1.endPoint());
  expectNear(h2.endPoint(), h1.startPoint());
  EXPECT_NEAR(bulgeOf(h1), 1.0, 1e-12);
  EXPECT_NEAR(bulgeOf(h2), 1.0, 1e-12);
}

TEST(GeCircArc, SetAnglesWrapsAndCapsTheSweep) {
  XtGeCircArc2d arc;
  arc.setAngles(5.0, 1.0);  // end below start: 2*pi added
  EXPECT_NEAR(arc.endAng(), 1.0 + 2 * kPi, 1e-15);
  arc.setAngles(0.0, 100.0);  // capped at a full turn
  EXPECT_TRUE(arc.isFullCircle());
  arc.setAngles(-1e300, 1e300);  // huge but finite: no hang
  EXPECT_TRUE(arc.isFullCircle());
  const double nan = std::numeric_limits<double>::quiet_NaN();
  arc.setAngles(1.0, 2.0);
  arc.setAngles(nan, 3.0);  // ignored
  EXPECT_EQ(arc.startAng(), 1.0);
  arc.setRadius(-1.0);  // ignored
  EXPECT_EQ(arc.radius(), 1.0);
}

TEST(GeCircArc, BulgeConstructorBothSensesAndBeyondHalfCircle) {
  for (double bulge : {0.3, 1.0, 2.5, -0.3, -1.0, -2.5}) {
    const XtGePoint2d s(1e7 + 1, 2e6), e(1e7 + 5, 2e6 + 2);
    const XtGeCircArc2d arc(s, e, bulge);
    EXPECT_EQ(arc.isClockWise(), bulge < 0) << bulge;
    expectNear(arc.startPoint(), s, 1e-8);
    expectNear(arc.endPoint(), e, 1e-8);
    EXPECT_NEAR(arc.endAng() - arc.startAng(), 4 * std::atan(std::fabs(bulge)), 1e-12);
    // The arc bulges to the right of the chord for a positive bulge.
    const XtGePoint2d mid = arc.xtEvalPoint(0.5 * (arc.startAng() + arc.endAng()));
    const double side = (e - s).crossProduct(mid - s);
    EXPECT_EQ(side < 0, bulge > 0) << bulge;
    EXPECT_NEAR(bulgeOf(arc), bulge, 1e-9);
  }
  const XtGeCircArc2d flat(XtGePoint2d(1, 1), XtGePoint2d(2, 2), 0.0);
  EXPECT_EQ(flat.radius(), 0.0);
  expectNear(flat.startPoint(), XtGePoint2d(1, 1));
}

TEST(GeCircArc, ClockwiseParametersRunClockwiseFromTheReferenceVector) {
  const XtGeCircArc2d cw(XtGePoint2d(), 1.0, 0.0, kPi, XtGeVector2d::kYAxis, true);
  expectNear(cw.startPoint(), XtGePoint2d(0, 1));
  expectNear(cw.xtEvalPoint(0.5 * kPi), XtGePoint2d(1, 0));
  EXPECT_NEAR(cw.paramOf(XtGePoint2d(1, 0)), 0.5 * kPi, 1e-15);
  EXPECT_TRUE(cw.isOn(XtGePoint2d(1, 0)));
  EXPECT_FALSE(cw.isOn(XtGePoint2d(-1, 0)));
  // Off-arc points map to the nearer end; the centre to the start.
  EXPECT_NEAR(cw.paramOf(XtGePoint2d(-1, 0.1)), 0.0, 1e-15);
  EXPECT_NEAR(cw.paramOf(XtGePoint2d(-1, -0.1)), kPi, 1e-15);
  EXPECT_EQ(cw.paramOf(XtGePoint2d()), 0.0);
}

TEST(GeCircArc, SeamOfFullCircleAnswersTheLowerBound) {
  const XtGeCircArc2d circle(XtGePoint2d(), 10.0, 1.0, 1.0 + XtGe::kTwoPi);
  const XtGePoint2d seam = circle.startPoint();
  EXPECT_EQ(circle.paramOf(seam), 1.0);
  // Just before the seam (within tolerance) also answers the lower bound.
  const XtGePoint2d justBefore = circle.xtEvalPoint(1.0 + XtGe::kTwoPi - 1e-12);
  EXPECT_EQ(circle.paramOf(justBefore), 1.0);
  const XtGePoint2d wellBefore = circle.xtEvalPoint(1.0 + XtGe::kTwoPi - 1e-6);
  EXPECT_NEAR(circle.paramOf(wellBefore), 1.0 + XtGe::kTwoPi - 1e-6, 1e-12);
}

TEST(GeCircArc, AreaSegmentFormulaAndFullCircle) {
  const XtGeCircArc2d circle(XtGePoint2d(7, 7), 1.0);
  double area = 0;
  ASSERT_TRUE(circle.xtArea(circle.startAng(), circle.endAng(), area));
  EXPECT_NEAR(area, kPi, 1e-14);
  const XtGeCircArc2d big(XtGePoint2d(), 2.0, 0.0, 1.5 * kPi, XtGeVector2d::kXAxis, true);
  ASSERT_TRUE(big.xtArea(0.0, 1.5 * kPi, area));
  EXPECT_NEAR(area, 2.0 * (1.5 * kPi + 1.0), 1e-12);  // R^2 (s - sin s) / 2 beyond pi
  ASSERT_TRUE(big.xtArea(1.5 * kPi, 0.0, area));      // either order
  EXPECT_NEAR(area, 2.0 * (1.5 * kPi + 1.0), 1e-12);
  EXPECT_FALSE(big.xtArea(0.0, std::numeric_limits<double>::infinity(), area));
  // Straight curves enclose nothing with their chord; an unbounded one has no area.
  ASSERT_TRUE(XtGeLineSeg2d(XtGePoint2d(), XtGePoint2d(2, 0)).xtArea(0.0, 1.0, area));
  EXPECT_EQ(area, 0.0);
  EXPECT_FALSE(XtGeLine2d().xtArea(0.0, std::numeric_limits<double>::infinity(), area));
}

TEST(GeCircArc, BoundBlocksReachAxisPointsOnTheArcOnly) {
  const XtGePoint2d c(10, 20);
  const double r = 5;
  const XtGeCircArc2d top(c, r, 0.25 * kPi, 0.75 * kPi);
  XtGeBoundBlock2d box = top.orthoBoundBlock();
  EXPECT_NEAR(box.maxPoint().y, c.y + r, 1e-12);
  EXPECT_NEAR(box.minPoint().y, c.y + r * std::sin(0.25 * kPi), 1e-12);
  const XtGeCircArc2d bottom(c, r, 200.0 * kPi / 180.0, 340.0 * kPi / 180.0);
  box = bottom.orthoBoundBlock();
  EXPECT_NEAR(box.minPoint().y, c.y - r, 1e-12);
  EXPECT_NEAR(box.maxPoint().y, c.y + r * std::sin(200.0 * kPi / 180.0), 1e-12);
  // The same arc drawn clockwise has the same box.
  XtGeCircArc2d reversed = bottom;
  reversed.reverseParam();
  const XtGeBoundBlock2d rbox = reversed.orthoBoundBlock();
  EXPECT_NEAR(rbox.minPoint().x, box.minPoint().x, 1e-12);
  EXPECT_NEAR(rbox.maxPoint().x, box.maxPoint().x, 1e-12);
}

TEST(GeCircArc, SegmentCrossedByCircleSplitsIntoThreePiecesFromItsStart) {
  const XtGeLineSeg2d seg(XtGePoint2d(10, 0), XtGePoint2d(-10, 0));
  const XtGeCircArc2d circle(XtGePoint2d(), 4.0);
  int n = 0;
  XtGePoint2d p1, p2;
  ASSERT_TRUE(circle.intersectWith(seg, n, p1, p2));
  ASSERT_EQ(n, 2);
  expectNear(p1, XtGePoint2d(4, 0));  // ordered along the segment
  expectNear(p2, XtGePoint2d(-4, 0));
  XtGeCurve2d *first = nullptr, *rest = nullptr;
  seg.getSplitCurves(seg.paramOf(p1), first, rest);
  std::unique_ptr<XtGeCurve2d> f(first), r(rest);
  ASSERT_TRUE(first && rest);
  XtGeCurve2d *middle = nullptr, *last = nullptr;
  rest->getSplitCurves(rest->paramOf(p2), middle, last);
  std::unique_ptr<XtGeCurve2d> m(middle), l(last);
  ASSERT_TRUE(middle && last);
  EXPECT_NEAR(first->length(), 6.0, 1e-12);
  EXPECT_NEAR(middle->length(), 8.0, 1e-12);
  EXPECT_NEAR(last->length(), 6.0, 1e-12);

  // A ray cut at its first crossing: a segment up to it and a ray beyond.
  const XtGeRay2d ray(XtGePoint2d(-10, 1), XtGeVector2d(1, 0));
  ASSERT_TRUE(circle.intersectWith(ray, n, p1, p2));
  const XtGeLineSeg2d head(ray.pointOnLine(), p1);
  const XtGeRay2d tail(p1, ray.direction());
  EXPECT_LT(p1.x, 0.0);
  EXPECT_TRUE(tail.isOn(p2));
  EXPECT_FALSE(head.isOn(p2));
}

TEST(GeCircArc, NearlyFlatArcCrossesASmallCircleExactly) {
  // A bulge of about 1e-4 gives a radius ten thousand times the span; the
  // crossings must still lie on both circles (measured from the small one).
  for (const double big : {1e4, 1e6}) {
    const XtGeCircArc2d small(XtGePoint2d(0.3, 0.2), 1.0);
    const XtGeCircArc2d flat(XtGePoint2d(0.0, big + 0.5), big);
    int n = 0;
    XtGePoint2d p1, p2;
    for (int order = 0; order < 2; ++order) {
      ASSERT_TRUE(order == 0 ? small.intersectWith(flat, n, p1, p2) : flat.intersectWith(small, n, p1, p2));
      ASSERT_EQ(n, 2);
      for (const XtGePoint2d& p : {p1, p2}) {
        EXPECT_NEAR(p.distanceTo(small.center()), 1.0, 1e-9);
        EXPECT_NEAR(p.distanceTo(flat.center()), big, 1e-9 * big);
      }
    }
  }
}

TEST(GeCircArc, TangentsTouchesAndCoincidentCircles) {
  const XtGeCircArc2d circle(XtGePoint2d(), 1.0);
  int n = 0;
  XtGePoint2d p1, p2;
  ASSERT_TRUE(circle.intersectWith(XtGeLine2d(XtGePoint2d(-5, 1), XtGeVector2d(1, 0)), n, p1, p2));
  EXPECT_EQ(n, 1);
  expectNear(p1, XtGePoint2d(0, 1));
  // Outside by less than the tolerance: still a touch.
  ASSERT_TRUE(circle.intersectWith(XtGeLine2d(XtGePoint2d(-5, 1 + 5e-11), XtGeVector2d(1, 0)), n, p1, p2));
  EXPECT_EQ(n, 1);
  EXPECT_FALSE(circle.intersectWith(XtGeLine2d(XtGePoint2d(-5, 1 + 1e-9), XtGeVector2d(1, 0)), n, p1, p2));
  // Circle-circle: external touch, crossing, coincident.
  ASSERT_TRUE(circle.intersectWith(XtGeCircArc2d(XtGePoint2d(3, 0), 2.0), n, p1, p2));
  EXPECT_EQ(n, 1);
  expectNear(p1, XtGePoint2d(1, 0));
  ASSERT_TRUE(circle.intersectWith(XtGeCircArc2d(XtGePoint2d(1, 0), 1.0), n, p1, p2));
  EXPECT_EQ(n, 2);
  EXPECT_LT(circle.paramOf(p1), circle.paramOf(p2));  // ordered along this arc
  EXPECT_FALSE(circle.intersectWith(XtGeCircArc2d(XtGePoint2d(), 1.0, 0.0, 1.0), n, p1, p2));
  EXPECT_EQ(n, 0);
  // Internal touch.
  ASSERT_TRUE(XtGeCircArc2d(XtGePoint2d(), 10.0).intersectWith(XtGeCircArc2d(XtGePoint2d(9, 0), 1.0), n, p1, p2));
  EXPECT_EQ(n, 1);
  expectNear(p1, XtGePoint2d(10, 0));
  // Tangent line at a point.
  XtGeLine2d t;
  ASSERT_TRUE(circle.tangent(XtGePoint2d(0, 1), t));
  EXPECT_TRUE(t.isParallelTo(XtGeLine2d(XtGePoint2d(), XtGeVector2d(1, 0))));
  EXPECT_NEAR(t.direction().x, -1.0, 1e-15);  // along the direction of travel
  EXPECT_FALSE(circle.tangent(XtGePoint2d(0, 2), t));
}

TEST(GeCircArc, OffsetRadiusFollowsSenseAndVanishes) {
  const XtGeCircArc2d ccw(XtGePoint2d(), 5.0, 0.0, kPi);
  XtGeCurve2dPtrArray out;
  EXPECT_FALSE(ccw.getTrimmedOffset(5.0, out));  // radius would reach 0
  ASSERT_TRUE(ccw.getTrimmedOffset(-5.0, out));
  std::unique_ptr<XtGeCurve2d> outer(out[0]);
  EXPECT_EQ(static_cast<const XtGeCircArc2d&>(*outer).radius(), 10.0);
  XtGeCircArc2d cw = ccw;
  cw.reverseParam();
  out.setLogicalLength(0);
  ASSERT_TRUE(cw.getTrimmedOffset(2.0, out));
  std::unique_ptr<XtGeCurve2d> o(out[0]);
  EXPECT_EQ(static_cast<const XtGeCircArc2d&>(*o).radius(), 7.0);
  // The offset lies on the left of travel: test with the tangent's left normal.
  const XtGePoint2d p = cw.xtEvalPoint(cw.startAng() + 0.3);
  XtGePoint2d q;
  XtGeVector2d d1, d2;
  cw.xtEvalDerivs(cw.startAng() + 0.3, q, d1, d2);
  const XtGePoint2d left = p + d1.normal().perpVector() * 2.0;
  EXPECT_NEAR(o->distanceTo(left), 0.0, 1e-12);
  out.setLogicalLength(0);
  ASSERT_TRUE(XtGeCircArc2d(XtGePoint2d(), 3.0).getTrimmedOffset(1.0, out));  // full circle
  std::unique_ptr<XtGeCurve2d> full(out[0]);
  EXPECT_TRUE(static_cast<const XtGeCircArc2d&>(*full).isFullCircle());
}

TEST(GeCircArc, TransformsKeepParametersUnderMirrorAndRefuseNonUniformScale) {
  XtGeCircArc2d arc(XtGePoint2d(1, 1), 2.0, 0.2, 1.4);
  const XtGePoint2d mid = arc.xtEvalPoint(0.8);
  const XtGeMatrix2d m = XtGeMatrix2d::mirroring(XtGeLine2d(XtGePoint2d(), XtGeVector2d::kYAxis)) *
                         XtGeMatrix2d::scaling(3.0) * XtGeMatrix2d::rotation(0.7);
  ASSERT_TRUE(arc.transformBy(m));
  EXPECT_TRUE(arc.isClockWise());
  expectNear(arc.xtEvalPoint(0.8), m * mid, 1e-12);
  EXPECT_NEAR(arc.radius(), 6.0, 1e-12);
  const XtGeCircArc2d before = arc;
  EXPECT_FALSE(arc.transformBy(XtGeMatrix2d::scaling(1.0, 2.0)));
  expectNear(arc.center(), before.center());
  EXPECT_EQ(arc.radius(), before.radius());
}

TEST(GeCircArc, ChordSamplesStayWithinDeviation) {
  const XtGeCircArc2d arc(XtGePoint2d(), 100.0, 0.0, 2.0);
  XtGePoint2dArray pts;
  XtGeDoubleArray params;
  arc.getSamplePoints(0.0, 2.0, 0.01, pts, params);
  ASSERT_GE(pts.length(), 3);
  expectNear(pts[0], arc.startPoint());
  expectNear(pts.last(), arc.endPoint());
  for (int i = 1; i < pts.length(); ++i) {
    const XtGePoint2d mid = arc.xtEvalPoint(0.5 * (params[i - 1] + params[i]));
    const XtGeVector2d chord = pts[i] - pts[i - 1];
    EXPECT_LE(std::fabs((mid - pts[i - 1]).crossProduct(chord)) / chord.length(), 0.01 + 1e-12);
  }
  arc.getSamplePoints(5, pts);
  ASSERT_EQ(pts.length(), 5);
  expectNear(pts[4], arc.endPoint());
  arc.getSamplePoints(1, pts);
  EXPECT_EQ(pts.length(), 1);
  arc.getSamplePoints(0, pts);
  EXPECT_EQ(pts.length(), 0);
}
