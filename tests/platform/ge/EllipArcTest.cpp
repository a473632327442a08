#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeMatrix2d.h"

#include "tests/platform/ge/GeTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

constexpr double kPi = XtGe::kPi;
constexpr double kEllipseEps = 1e-9;

// An ellipse 2 x 1 about (3, 4), major axis rotated by 30 degrees.
XtGeEllipArc2d rotatedEllipse(double s = 0.0, double e = XtGe::kTwoPi) {
  const XtGeVector2d u(std::cos(kPi / 6), std::sin(kPi / 6));
  return XtGeEllipArc2d(XtGePoint2d(3, 4), u, u.perpVector(), 2.0, 1.0, s, e);
}

}  // namespace

TEST(GeEllipArc, LengthAreaAndParameterAtLength) {
  const XtGeEllipArc2d circle(XtGePoint2d(), XtGeVector2d::kXAxis, XtGeVector2d::kYAxis, 3, 3);
  EXPECT_NEAR(circle.length(), 6 * kPi, 1e-12 * 6 * kPi);
  const XtGeEllipArc2d e = rotatedEllipse();
  // Perimeter of a 2 x 1 ellipse (reference value of the complete elliptic integral).
  EXPECT_NEAR(e.length(), 9.688448220547675, 1e-11);
  double area = 0;
  ASSERT_TRUE(e.xtArea(e.startAng(), e.endAng(), area));
  EXPECT_NEAR(area, 2 * kPi, 1e-12);
  const double t = e.paramAtLength(0.0, 3.0);
  EXPECT_NEAR(e.length(0.0, t), 3.0, 1e-10);
  EXPECT_EQ(e.paramAtLength(0.0, 100.0), e.endAng());  // clamped
  const double back = e.paramAtLength(t, 1.0, false);
  EXPECT_NEAR(e.length(back, t), 1.0, 1e-10);
}

TEST(GeEllipArc, TightBoundBlockOfRotatedEllipse) {
  const XtGeEllipArc2d e = rotatedEllipse();
  const XtGeBoundBlock2d box = e.orthoBoundBlock();
  const double c = std::cos(kPi / 6), s = std::sin(kPi / 6);
  const double hx = std::sqrt(4 * c * c + s * s);
  const double hy = std::sqrt(4 * s * s + c * c);
  EXPECT_NEAR(box.maxPoint().x, 3 + hx, 1e-12);
  EXPECT_NEAR(box.minPoint().y, 4 - hy, 1e-12);
  // The closest point of the ellipse to a far axis line is the extreme point.
  const XtGeLine2d right(XtGePoint2d(100, 0), XtGeVector2d::kYAxis);
  XtGePoint2d onLine;
  const XtGePoint2d extreme = e.closestPointTo(right, onLine);
  EXPECT_NEAR(extreme.x, 3 + hx, 1e-12);
  EXPECT_NEAR(onLine.x, 100, 1e-12);
}

TEST(GeEllipArc, ReverseAndAffineTransformKeepThePoints) {
  XtGeEllipArc2d e = rotatedEllipse(0.3, 2.0);
  const XtGePoint2d s = e.startPoint(), m = e.xtEvalPoint(1.1), end = e.endPoint();
  e.reverseParam();
  expectNear(e.startPoint(), end, kEllipseEps);
  expectNear(e.endPoint(), s, kEllipseEps);
  EXPECT_TRUE(e.isOn(m));
  EXPECT_TRUE(e.isClockWise());

  // A circle under a non-uniform scale becomes an ellipse.
  XtGeEllipArc2d c(XtGePoint2d(1, 1), XtGeVector2d(1, 1), XtGeVector2d(-1, 1), 1.0, 1.0, 0.2, 1.0);
  const XtGeMatrix2d m2 = XtGeMatrix2d::scaling(3.0, 1.0) * XtGeMatrix2d::rotation(0.4);
  const XtGePoint2d a0 = m2 * c.startPoint(), a1 = m2 * c.endPoint(), am = m2 * c.xtEvalPoint(0.6);
  ASSERT_TRUE(c.transformBy(m2));
  expectNear(c.startPoint(), a0, kEllipseEps);
  expectNear(c.endPoint(), a1, kEllipseEps);
  EXPECT_TRUE(c.isOn(am));
  EXPECT_NEAR(c.majorAxis().dotProduct(c.minorAxis()), 0.0, 1e-12);
  XtGeCurve2dPtrArray out;
  EXPECT_FALSE(c.getTrimmedOffset(0.1, out) || out.length() != 0);  // ellipses have no offset
  // Mirroring flips the sense.
  XtGeEllipArc2d f = rotatedEllipse(0.0, 1.0);
  ASSERT_TRUE(f.mirror(XtGeLine2d(XtGePoint2d(), XtGeVector2d::kXAxis)));
  EXPECT_TRUE(f.isClockWise());
}

// Points, parameters, closest points, splits and samples: CurveInvariantsTest.
TEST(GeEllipArc, Intersections) {
  const XtGeEllipArc2d e = rotatedEllipse();
  // The major axis line crosses at the two vertices.
  int n = 0;
  XtGePoint2d p1, p2;
  const XtGeLine2d axis(XtGePoint2d(3, 4), e.majorAxis());
  ASSERT_TRUE(e.intersectWith(axis, n, p1, p2));
  ASSERT_EQ(n, 2);
  EXPECT_NEAR(p1.distanceTo(XtGePoint2d(3, 4)), 2.0, 1e-12);
  EXPECT_LT(axis.paramOf(p1), axis.paramOf(p2));
  // A tangent line at the end of the minor axis touches once.
  const XtGeLine2d tangent(XtGePoint2d(3, 4) + e.minorAxis(), e.majorAxis());
  ASSERT_TRUE(e.intersectWith(tangent, n, p1, p2));
  EXPECT_EQ(n, 1);
  // Against a circle through the two major vertices: two points.
  XtGePoint2d pts[4];
  ASSERT_TRUE(e.intersectWith(XtGeCircArc2d(XtGePoint2d(3, 4), 2.0), n, pts));
  EXPECT_EQ(n, 2);
  // Ellipse against ellipse rotated by 90 degrees about the same centre: 4 points.
  XtGeEllipArc2d other = e;
  other.rotateBy(kPi / 2, XtGePoint2d(3, 4));
  ASSERT_TRUE(e.intersectWith(other, n, pts));
  EXPECT_EQ(n, 4);
  for (int i = 0; i < n; ++i) {
    EXPECT_LE(e.distanceTo(pts[i]), 1e-10);
    EXPECT_LE(other.distanceTo(pts[i]), 1e-10);
  }
  XtGePoint2dArray samples;  // sampled by deviation up to the exact end
  e.getSamplePoints(0.0, 4.0, 1e-3, samples);
  ASSERT_GE(samples.length(), 3);
  expectNear(samples.last(), e.xtEvalPoint(4.0), 1e-12);
}
