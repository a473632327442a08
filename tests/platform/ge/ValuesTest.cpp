#include "platform/ge/XtGeBoundBlock2d.h"
#include "platform/ge/XtGeInterval.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGeMatrix3d.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

#include "tests/platform/ge/GeTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
constexpr double kPi = XtGe::kPi;
}  // namespace

TEST(GePoint, EqualityUsesLessOrEqualSoZeroToleranceStillMatches) {
  const XtGeTol zero(0.0, 0.0);
  const XtGePoint2d p(1e7, -3.25);
  EXPECT_TRUE(p.isEqualTo(p, zero));
  EXPECT_FALSE(p.isEqualTo(XtGePoint2d(1e7, -3.25 + 1e-9), zero));
  const XtGeTol coarse(1e-3, 1e-3);
  EXPECT_TRUE(p.isEqualTo(XtGePoint2d(1e7 + 0.0009, -3.25), coarse));
  EXPECT_TRUE(XtGePoint2d(0, 0).isEqualTo(XtGePoint2d(0.5, 0), XtGeTol(0.5, 0)));  // at the tolerance
  EXPECT_FALSE(p.isEqualTo(XtGePoint2d(1e7 + 0.0011, -3.25), coarse));
}

TEST(GeVector, NormalisingZeroLengthLeavesItUnchangedAndAnglesAreCounterClockwise) {
  XtGeVector2d v(1e-11, 0.0);
  v.normalize();
  EXPECT_EQ(v.x, 1e-11);
  EXPECT_EQ(XtGeVector2d(3, 4).normal().length(), 1.0);
  EXPECT_EQ(XtGeVector2d(2, 1).perpVector().x, -1.0);  // left normal (-y, x)
  EXPECT_NEAR(XtGeVector2d(0, -1).angle(), 1.5 * kPi, 1e-15);
  EXPECT_EQ(XtGeVector2d(1, -1e-300).angle() < 2 * kPi, true);
  EXPECT_NEAR(XtGeVector2d(1, 0).angleTo(XtGeVector2d(-1, 1e-20)), kPi, 1e-15);
  EXPECT_NEAR(XtGeVector2d(1, 0).angleTo(XtGeVector2d(0, -1)), kPi / 2, 1e-15);  // unsigned
}

TEST(GeVector, ParallelCodirectionalPerpendicular) {
  const XtGeTol tol(1e-10, 1e-10);
  const XtGeVector2d a(1, 0);
  EXPECT_TRUE(a.isParallelTo(XtGeVector2d(-5, 1e-11), tol));
  EXPECT_FALSE(a.isCodirectionalTo(XtGeVector2d(-5, 1e-11), tol));
  EXPECT_TRUE(a.isCodirectionalTo(XtGeVector2d(5, 1e-11), tol));
  EXPECT_FALSE(a.isParallelTo(XtGeVector2d(), tol));  // zero vectors are never parallel
  EXPECT_TRUE(a.isPerpendicularTo(XtGeVector2d(1e-12, 3), tol));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(a.isParallelTo(XtGeVector2d(nan, 1), tol));
}

TEST(GeMatrix2d, ProductAppliesRightFactorFirst) {
  const XtGeMatrix2d t = XtGeMatrix2d::translation({10, 0});
  const XtGeMatrix2d r = XtGeMatrix2d::rotation(kPi / 2);
  expectNear((t * r) * XtGePoint2d(1, 0), XtGePoint2d(10, 1));
  expectNear((r * t) * XtGePoint2d(1, 0), XtGePoint2d(0, 11));
  XtGeMatrix2d m = t;
  m.postMultBy(r);
  EXPECT_TRUE(m.isEqualTo(t * r));
  m = t;
  m.preMultBy(r);
  EXPECT_TRUE(m.isEqualTo(r * t));
}

TEST(GeMatrix2d, AlignCoordSysWithScaledSkewAxesAndInverse) {
  const XtGePoint2d o1(1, 2), o2(-3, 5);
  const XtGeVector2d x1(2, 0), y1(1, 3), x2(0, 4), y2(-1, 1);
  const XtGeMatrix2d m = XtGeMatrix2d::alignCoordSys(o1, x1, y1, o2, x2, y2);
  expectNear(m * o1, o2);
  expectNear(m * (o1 + x1), o2 + x2);
  expectNear(m * (o1 + y1), o2 + y2);
  XtGeMatrix2d inv = m;
  ASSERT_TRUE(inv.invert());
  expectNear(inv * (m * XtGePoint2d(7, -8)), XtGePoint2d(7, -8), 1e-11);
  // Singular: unchanged and reported.
  XtGeMatrix2d s = XtGeMatrix2d::scaling(1.0, 0.0);
  const XtGeMatrix2d before = s;
  EXPECT_FALSE(s.invert());
  EXPECT_TRUE(s.isEqualTo(before));
}

TEST(GeMatrix2d, MirrorScaleAndSimilarityTest) {
  const XtGeLine2d yAxis(XtGePoint2d(), XtGeVector2d::kYAxis);
  const XtGeMatrix2d m = XtGeMatrix2d::mirroring(yAxis);
  expectNear(m * XtGePoint2d(3, 4), XtGePoint2d(-3, 4));
  EXPECT_LT(m.det(), 0.0);
  EXPECT_TRUE(m.isUniScaledOrtho());
  EXPECT_TRUE((XtGeMatrix2d::rotation(0.3) * XtGeMatrix2d::scaling(2.5)).isUniScaledOrtho());
  EXPECT_FALSE(XtGeMatrix2d::scaling(2.0, 3.0).isUniScaledOrtho());
  EXPECT_DOUBLE_EQ(XtGeMatrix2d::scaling(2.0, 3.0).scale(), 3.0);
  XtGePoint2d p(2, 0);
  p.rotateBy(kPi / 2, XtGePoint2d(1, 0));
  expectNear(p, XtGePoint2d(1, 1));
}

TEST(GeMatrix3d, AlignPlaneToWorldAndSignedAngles) {
  const XtGeMatrix3d m = XtGeMatrix3d::alignCoordSys(
      XtGePoint3d(), XtGeVector3d::kXAxis, XtGeVector3d::kYAxis, XtGeVector3d::kZAxis,
      XtGePoint3d(1, 2, 3), XtGeVector3d(2, 0, 0), XtGeVector3d(0, 0, 1), XtGeVector3d(0, -1, 0));
  const XtGePoint3d p = m * XtGePoint3d(1, 1, 1);
  EXPECT_NEAR(p.x, 3, 1e-12);
  EXPECT_NEAR(p.y, 1, 1e-12);
  EXPECT_NEAR(p.z, 4, 1e-12);
  // A drawing extruded along -Z is mirrored: its X axis becomes -X.
  const XtGeMatrix3d w = XtGeMatrix3d::planeToWorld(XtGeVector3d(0, 0, -1));
  const XtGeVector3d x = w * XtGeVector3d::kXAxis;
  EXPECT_NEAR(x.x, -1, 1e-12);
  EXPECT_NEAR(XtGeVector3d::kXAxis.angleTo(XtGeVector3d(0, -1, 0), XtGeVector3d::kZAxis),
              1.5 * kPi, 1e-12);
  EXPECT_NEAR(XtGeVector3d::kXAxis.angleTo(XtGeVector3d(0, -1, 0), -XtGeVector3d::kZAxis),
              0.5 * kPi, 1e-12);
  XtGeMatrix3d inv = m;
  ASSERT_TRUE(inv.invert());
  const XtGePoint3d back = inv * p;
  EXPECT_NEAR(back.z, 1, 1e-12);
}

TEST(GeInterval, SubtractAndIntersectDropPiecesWithinTolerance) {
  const XtGeInterval whole(0.0, 10.0);
  XtGeInterval left, right;
  EXPECT_EQ(whole.subtract(XtGeInterval(4.0, 6.0), left, right), 2);
  EXPECT_EQ(left.upperBound(), 4.0);
  EXPECT_EQ(right.lowerBound(), 6.0);
  EXPECT_EQ(whole.subtract(XtGeInterval(-1.0, 4.0), left, right), 1);
  EXPECT_EQ(left.lowerBound(), 4.0);  // the only piece comes first
  EXPECT_EQ(left.upperBound(), 10.0);
  EXPECT_EQ(whole.subtract(XtGeInterval(-1.0, 11.0), left, right), 0);
  EXPECT_EQ(whole.subtract(XtGeInterval(1e-13, 10.0), left, right), 0);  // sliver dropped
  EXPECT_EQ(whole.subtract(XtGeInterval(20.0, 30.0), left, right), 1);

  XtGeInterval common;
  EXPECT_TRUE(whole.intersectWith(XtGeInterval(5.0, 15.0), common));
  EXPECT_EQ(common.lowerBound(), 5.0);
  EXPECT_EQ(common.upperBound(), 10.0);
  EXPECT_FALSE(whole.intersectWith(XtGeInterval(10.0, 15.0), common));  // only touching
  EXPECT_TRUE(whole.intersectWith(XtGeInterval(), common));              // unbounded
  EXPECT_TRUE(common.isBounded());

  EXPECT_TRUE(XtGeInterval().contains(1e300));
  EXPECT_TRUE(whole.contains(10.0 + 1e-13));
  EXPECT_TRUE(std::isinf(XtGeInterval(true, 0.0).length()));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(std::isnan(XtGeInterval(nan, 1.0).length()));
  EXPECT_FALSE(XtGeInterval(nan, 1.0).intersectWith(whole, common));
}

TEST(GeBoundBlock, EmptyExtendContainsAndFrame) {
  XtGeBoundBlock2d b;
  EXPECT_TRUE(b.isEmpty());
  EXPECT_FALSE(b.contains(XtGePoint2d()));
  b.extend(XtGePoint2d(2, 3)).extend(XtGePoint2d(-1, 5));
  EXPECT_TRUE(b.contains(XtGePoint2d(2, 5)));  // boundary included
  EXPECT_FALSE(b.contains(XtGePoint2d(2, 5 + 1e-12)));
  EXPECT_EQ(b.getBasePoint().x, -1.0);
  EXPECT_EQ(b.getDirection1().x, 3.0);
  EXPECT_EQ(b.getDirection2().y, 2.0);
  EXPECT_TRUE(b.isBox());
}
