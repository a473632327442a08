// The leaf intersection of simple curves that composite curves build on:
// overlaps, touches, tangents and ordering.
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeRay2d.h"
#include "platform/ge/internal/GeAngle.h"
#include "platform/ge/internal/GeSimpleIntersect.h"
#include "tests/platform/ge/GeTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using GeKernel::SimpleIntersection;

namespace {

constexpr double kPi = XtGe::kPi;

SimpleIntersection intersect(const XtGeCurve2d& a, const XtGeCurve2d& b,
                             const XtGeTol& tol = XtGeTol()) {
  SimpleIntersection out;
  EXPECT_TRUE(GeKernel::intersectSimpleCurves(a, b, tol, out));
  return out;
}

}  // namespace

TEST(GeSimpleIntersect, ColinearSegmentsOverlapOrTouch) {
  const XtGeLineSeg2d a(XtGePoint2d(0, 0), XtGePoint2d(10, 0));
  const XtGeLineSeg2d b(XtGePoint2d(12, 0), XtGePoint2d(4, 0));  // runs backwards
  SimpleIntersection r = intersect(a, b);
  ASSERT_EQ(r.numOverlaps, 1);
  EXPECT_EQ(r.numHits, 0);  // no points at the overlap's ends
  EXPECT_NEAR(r.overlaps[0].t1Start, 0.4, 1e-15);
  EXPECT_NEAR(r.overlaps[0].t1End, 1.0, 1e-15);
  EXPECT_NEAR(r.overlaps[0].t2Start, 1.0, 1e-15);   // b's parameter at x = 4
  EXPECT_NEAR(r.overlaps[0].t2End, 0.25, 1e-15);    // and at x = 10
  // End to end: one point, no overlap.
  r = intersect(a, XtGeLineSeg2d(XtGePoint2d(10, 0), XtGePoint2d(20, 0)));
  EXPECT_EQ(r.numOverlaps, 0);
  ASSERT_EQ(r.numHits, 1);
  expectNear(r.hits[0].point, XtGePoint2d(10, 0));
  // A line over a segment: the overlap is the segment.
  r = intersect(XtGeLine2d(XtGePoint2d(-3, 0), XtGeVector2d(2, 0)), a);
  ASSERT_EQ(r.numOverlaps, 1);
  EXPECT_NEAR(r.overlaps[0].t1Start, 1.5, 1e-15);
  EXPECT_NEAR(r.overlaps[0].t1End, 6.5, 1e-15);
}

TEST(GeSimpleIntersect, ArcsOfOneCircleOverlapInBothSenses) {
  const XtGeCircArc2d a(XtGePoint2d(1, 1), 2.0, 0.0, 2.0);
  // Counter-clockwise arc over [1, 3]: common stretch [1, 2] on a.
  SimpleIntersection r = intersect(a, XtGeCircArc2d(XtGePoint2d(1, 1), 2.0, 1.0, 3.0));
  ASSERT_EQ(r.numOverlaps, 1);
  EXPECT_EQ(r.numHits, 0);
  EXPECT_NEAR(r.overlaps[0].t1Start, 1.0, 1e-12);
  EXPECT_NEAR(r.overlaps[0].t1End, 2.0, 1e-12);
  // The same stretch drawn clockwise from the reference -Y.
  XtGeCircArc2d cw(XtGePoint2d(1, 1), 2.0, 1.0, 3.0);
  cw.reverseParam();
  r = intersect(a, cw);
  ASSERT_EQ(r.numOverlaps, 1);
  EXPECT_NEAR(r.overlaps[0].t1Start, 1.0, 1e-12);
  EXPECT_NEAR(r.overlaps[0].t1End, 2.0, 1e-12);
  expectNear(cw.xtEvalPoint(r.overlaps[0].t2Start), a.xtEvalPoint(1.0));
  expectNear(cw.xtEvalPoint(r.overlaps[0].t2End), a.xtEvalPoint(2.0));
  // Meeting only at an end: a touch point.
  r = intersect(a, XtGeCircArc2d(XtGePoint2d(1, 1), 2.0, 2.0, 4.0));
  EXPECT_EQ(r.numOverlaps, 0);
  ASSERT_EQ(r.numHits, 1);
  expectNear(r.hits[0].point, a.endPoint());
  // An arc wrapping over the start of another gives two stretches.
  r = intersect(XtGeCircArc2d(XtGePoint2d(1, 1), 2.0, 0.5, 0.5 + 1.9 * kPi),
                XtGeCircArc2d(XtGePoint2d(1, 1), 2.0, -1.0, 1.0));
  EXPECT_EQ(r.numOverlaps, 2);
  // A full circle over an arc: the arc.
  r = intersect(XtGeCircArc2d(XtGePoint2d(1, 1), 2.0), a);
  ASSERT_EQ(r.numOverlaps, 1);
  EXPECT_NEAR(r.overlaps[0].t1Start, 0.0, 1e-12);
  EXPECT_NEAR(r.overlaps[0].t1End, 2.0, 1e-12);
}

TEST(GeSimpleIntersect, TangentsOrderAndTouchesAtEnds) {
  const XtGeCircArc2d circle(XtGePoint2d(), 1.0);
  SimpleIntersection r = intersect(XtGeLine2d(XtGePoint2d(3, 1), XtGeVector2d(-1, 0)), circle);
  ASSERT_EQ(r.numHits, 1);
  EXPECT_TRUE(r.hits[0].tangential);
  r = intersect(XtGeLineSeg2d(XtGePoint2d(3, 0.5), XtGePoint2d(-3, 0.5)), circle);
  ASSERT_EQ(r.numHits, 2);
  EXPECT_FALSE(r.hits[0].tangential);
  EXPECT_LT(r.hits[0].t1, r.hits[1].t1);
  EXPECT_GT(r.hits[0].point.x, 0.0);  // met first along the segment
  // A segment ending on the circle (a T-junction): one point, not tangential.
  r = intersect(XtGeLineSeg2d(XtGePoint2d(0, 0), XtGePoint2d(0, 1)), circle);
  ASSERT_EQ(r.numHits, 1);
  EXPECT_FALSE(r.hits[0].tangential);
  // A ray starting exactly on a segment counts once.
  r = intersect(XtGeRay2d(XtGePoint2d(5, 0), XtGeVector2d(0, 1)),
                XtGeLineSeg2d(XtGePoint2d(0, 0), XtGePoint2d(10, 0)));
  ASSERT_EQ(r.numHits, 1);
  EXPECT_EQ(r.hits[0].t1, 0.0);
  EXPECT_NEAR(r.hits[0].t2, 0.5, 1e-15);
  // A line through the seam of a full circle meets it twice, not three times.
  r = intersect(XtGeLine2d(XtGePoint2d(-5, 0), XtGeVector2d(1, 0)), circle);
  EXPECT_EQ(r.numHits, 2);
}

TEST(GeSimpleIntersect, TouchesThatRoundingPutsAHairInsideStayOneTouch) {
  // Exact touches whose computed distances come out a few units in the last
  // place inside the circle: rounding splits them into two crossings about
  // sqrt(r * 1e-16) apart, far more than a fine tolerance. They stay one
  // tangential point, so that offsets and probes do not meet a ghost
  // stretch there.
  const XtGeTol fine(1e-10, 1e-12);
  const SimpleIntersection corner =
      intersect(XtGeLineSeg2d(XtGePoint2d(2.7, 0.0), XtGePoint2d(2.7, 3.0)),
                XtGeCircArc2d(XtGePoint2d(3.0, 1.4), 0.3), fine);
  ASSERT_EQ(corner.numHits, 1);
  EXPECT_TRUE(corner.hits[0].tangential);
  expectNear(corner.hits[0].point, XtGePoint2d(2.7, 1.4), 1e-12);
  int split = 0;
  for (int k = 0; k < 200; ++k) {
    const double a = 0.0137 + 0.0314 * k;
    const XtGeVector2d dir(std::cos(a), std::sin(a));
    const XtGePoint2d c(1.3, -0.7);
    const double r1 = 0.37;
    const double r2 = 0.55;
    const XtGeCircArc2d circle(c, r1);
    const SimpleIntersection line =
        intersect(XtGeLine2d(c + dir * r1, dir.perpVector()), circle, fine);
    const SimpleIntersection outer =
        intersect(circle, XtGeCircArc2d(c + dir * (r1 + r2), r2), fine);
    const SimpleIntersection inner =
        intersect(circle, XtGeCircArc2d(c + dir * (r1 - 0.2), 0.2), fine);
    for (const SimpleIntersection* r : {&line, &outer, &inner})
      if (r->numHits != 1 || !r->hits[0].tangential) ++split;
  }
  EXPECT_EQ(split, 0);
}

TEST(GeSimpleIntersect, ZeroToleranceStillFindsCrossingsAndAngleHelpers) {
  const XtGeTol zero(0.0, 0.0);
  const XtGeCircArc2d a(XtGePoint2d(0.1, 0.2), 3.3);
  const XtGeCircArc2d b(XtGePoint2d(2.7, -1.1), 2.9);
  const SimpleIntersection r = intersect(a, b, zero);
  ASSERT_EQ(r.numHits, 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(a.isOn(r.hits[i].point, zero));
    EXPECT_TRUE(b.isOn(r.hits[i].point, zero));
  }
  EXPECT_NEAR(GeKernel::normalizeAngle(-0.5), 2 * kPi - 0.5, 1e-15);
  EXPECT_EQ(GeKernel::normalizeAngle(-1e-300), 0.0);
  EXPECT_NEAR(GeKernel::angleFrom(0.1, 10.0), 0.1 + 4 * kPi, 1e-12);
  EXPECT_NEAR(GeKernel::arcEndAngle(5.0, 1.0), 1.0 + 2 * kPi, 1e-15);
  EXPECT_EQ(GeKernel::arcEndAngle(0.0, 100.0), 2 * kPi);
}
