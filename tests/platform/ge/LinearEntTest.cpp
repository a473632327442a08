#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGeRay2d.h"

#include "tests/platform/ge/GeTestSupport.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <memory>

TEST(GeLinear, SegmentParameterLengthAndExactEnds) {
  const XtGePoint2d s(0.1, 0.7), e(1e7 + 0.3, -2.9);
  const XtGeLineSeg2d seg(s, e);
  EXPECT_TRUE(seg.isKindOf(XtGe::kLineSeg2d) && !XtGeLine2d().isKindOf(XtGe::kLineSeg2d) &&
              !XtGeRay2d().isKindOf(XtGe::kLineSeg2d));
  EXPECT_EQ(seg.xtEvalPoint(1.0).x, e.x);  // exact at both ends
  EXPECT_EQ(seg.xtEvalPoint(0.0).y, s.y);
  const double len = s.distanceTo(e);
  EXPECT_DOUBLE_EQ(seg.length(), len);
  EXPECT_DOUBLE_EQ(seg.paramAtLength(0.0, 0.25 * len), 0.25);
  EXPECT_EQ(seg.paramAtLength(0.0, 2.0 * len), 1.0);  // clamped
  EXPECT_EQ(seg.paramAtLength(0.5, 2.0 * len, false), 0.0);
  // Extrapolation outside [0, 1] for extended copies.
  const XtGeLineSeg2d unit(XtGePoint2d(0, 0), XtGePoint2d(10, 0));
  expectNear(unit.xtEvalPoint(-0.1), XtGePoint2d(-1, 0));
  EXPECT_DOUBLE_EQ(unit.length(0.8, 0.2), 6.0);  // order-insensitive
}

TEST(GeLinear, ClosestPointIsOnAndParamOfRespectExtents) {
  const XtGeLineSeg2d seg(XtGePoint2d(0, 0), XtGePoint2d(10, 0));
  EXPECT_DOUBLE_EQ(seg.paramOf(XtGePoint2d(15, 1)), 1.0);
  EXPECT_DOUBLE_EQ(seg.distanceTo(XtGePoint2d(13, 4)), 5.0);
  EXPECT_TRUE(seg.isOn(XtGePoint2d(10 + 1e-11, 0)));
  EXPECT_FALSE(seg.isOn(XtGePoint2d(10 + 1e-9, 0)));
  EXPECT_TRUE(seg.isOn(XtGePoint2d(10, 0), XtGeTol(0, 0)));  // zero tolerance, exact end

  const XtGeRay2d ray(XtGePoint2d(0, 0), XtGeVector2d(2, 0));
  EXPECT_FALSE(ray.isOn(XtGePoint2d(-1, 0)));
  EXPECT_DOUBLE_EQ(ray.paramOf(XtGePoint2d(5, 3)), 2.5);
  const XtGeLine2d line(XtGePoint2d(0, 0), XtGePoint2d(1, 1));
  EXPECT_DOUBLE_EQ(line.paramOf(XtGePoint2d(-2, -2)), -2.0);
}

TEST(GeLinear, ZeroLengthSegmentIsHandledAsAPoint) {
  const XtGePoint2d p(3, 4);
  const XtGeLineSeg2d dot(p, p);
  EXPECT_EQ(dot.length(), 0.0);
  EXPECT_TRUE(dot.isOn(p));
  expectNear(dot.closestPointTo(XtGePoint2d(100, -7)), p);
  EXPECT_EQ(dot.paramOf(XtGePoint2d(5, 5)), 0.0);
  EXPECT_EQ(dot.paramAtLength(0.0, 5.0), 0.0);
  XtGePoint2d hit;
  EXPECT_TRUE(dot.intersectWith(XtGeLineSeg2d(XtGePoint2d(0, 4), XtGePoint2d(9, 4)), hit));
  expectNear(hit, p);
  EXPECT_FALSE(dot.intersectWith(XtGeLineSeg2d(XtGePoint2d(0, 5), XtGePoint2d(9, 5)), hit));
  XtGeCurve2dPtrArray out;
  EXPECT_FALSE(dot.getTrimmedOffset(1.0, out));  // no direction to offset along
  XtGeCurve2d *a = nullptr, *b = nullptr;
  dot.getSplitCurves(0.5, a, b);
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(b, nullptr);
}

TEST(GeLinear, IntersectWithFollowsExtentsParallelAndColinear) {
  const XtGeLineSeg2d a(XtGePoint2d(0, 0), XtGePoint2d(10, 0));
  XtGePoint2d p;
  EXPECT_TRUE(a.intersectWith(XtGeLineSeg2d(XtGePoint2d(5, -5), XtGePoint2d(5, 5)), p));
  expectNear(p, XtGePoint2d(5, 0));
  EXPECT_FALSE(a.intersectWith(XtGeLineSeg2d(XtGePoint2d(5, 1), XtGePoint2d(5, 5)), p));
  // A T-junction within the tolerance counts; just beyond it does not.
  EXPECT_TRUE(a.intersectWith(XtGeLineSeg2d(XtGePoint2d(5, 5e-11), XtGePoint2d(5, 5)), p));
  EXPECT_FALSE(a.intersectWith(XtGeLineSeg2d(XtGePoint2d(5, 5e-10), XtGePoint2d(5, 5)), p));
  // Parallel and colinear entities give no single point.
  EXPECT_FALSE(a.intersectWith(XtGeLineSeg2d(XtGePoint2d(0, 1), XtGePoint2d(10, 1)), p));
  EXPECT_FALSE(a.intersectWith(XtGeLineSeg2d(XtGePoint2d(5, 0), XtGePoint2d(15, 0)), p));
  EXPECT_FALSE(a.intersectWith(XtGeLineSeg2d(XtGePoint2d(10, 0), XtGePoint2d(15, 0)), p));
  EXPECT_FALSE(XtGeLine2d().intersectWith(XtGeLine2d(XtGePoint2d(0, 1), XtGeVector2d(1, 1e-12)), p));
  // Segments at an angle below equalVector that really cross are still found.
  const XtGeLineSeg2d shallow(XtGePoint2d(0, -1e-5), XtGePoint2d(1e6, 1e-5));
  const XtGeLineSeg2d flat(XtGePoint2d(0, 0), XtGePoint2d(1e6, 0));
  ASSERT_TRUE(flat.intersectWith(shallow, p));
  EXPECT_LE(shallow.distanceTo(p), 1e-10);
  EXPECT_LE(flat.distanceTo(p), 1e-10);
  // Ray against line, from behind the base.
  const XtGeRay2d ray(XtGePoint2d(0, 0), XtGeVector2d(1, 1));
  EXPECT_FALSE(ray.intersectWith(XtGeLine2d(XtGePoint2d(0, -2), XtGeVector2d(1, 0)), p));
  EXPECT_TRUE(ray.intersectWith(XtGeLine2d(XtGePoint2d(0, 2), XtGeVector2d(1, 0)), p));
  expectNear(p, XtGePoint2d(2, 2));
}

TEST(GeLinear, ColinearParallelPerpendicular) {
  const XtGeLine2d a(XtGePoint2d(0, 0), XtGeVector2d(1, 0));
  EXPECT_TRUE(a.isColinearTo(XtGeLineSeg2d(XtGePoint2d(5, 1e-11), XtGePoint2d(-5, 0))));
  EXPECT_FALSE(a.isColinearTo(XtGeLineSeg2d(XtGePoint2d(5, 1e-9), XtGePoint2d(-5, 1e-9))));
  EXPECT_TRUE(a.isParallelTo(XtGeRay2d(XtGePoint2d(0, 7), XtGeVector2d(-3, 0))));
  EXPECT_TRUE(a.isPerpendicularTo(XtGeRay2d(XtGePoint2d(0, 7), XtGeVector2d(0, 2))));
  XtGeLine2d perp;
  a.getPerpLine(XtGePoint2d(3, 3), perp);
  EXPECT_TRUE(perp.isOn(XtGePoint2d(3, -10)));
  XtGeLine2d support;
  XtGeLineSeg2d(XtGePoint2d(1, 1), XtGePoint2d(2, 3)).getLine(support);
  EXPECT_TRUE(support.isOn(XtGePoint2d(3, 5)));
}

TEST(GeLinear, RayBoundedAboveAfterReverseIsWrittenFromItsUpperBound) {
  XtGeRay2d ray(XtGePoint2d(2, 3), XtGeVector2d(1, 0));
  ray.reverseParam();
  XtGeInterval iv;
  ray.getInterval(iv);
  EXPECT_FALSE(iv.isBoundedBelow());
  ASSERT_TRUE(iv.isBoundedAbove());
  EXPECT_EQ(iv.upperBound(), 0.0);
  XtGePoint2d s, e;
  EXPECT_FALSE(ray.hasStartPoint(s));
  ASSERT_TRUE(ray.hasEndPoint(e));
  expectNear(e, XtGePoint2d(2, 3));
  // The writer's direction: the point one unit further in, minus the base.
  const XtGePoint2d inner = ray.xtEvalPoint(iv.upperBound() - 1.0);
  expectNear(inner, XtGePoint2d(3, 3));
  // Same point set, parameters negated.
  EXPECT_TRUE(ray.isOn(XtGePoint2d(7, 3)));
  EXPECT_FALSE(ray.isOn(XtGePoint2d(1, 3)));
  EXPECT_DOUBLE_EQ(ray.paramOf(XtGePoint2d(7, 3)), -5.0);
  EXPECT_DOUBLE_EQ(ray.direction().x, -1.0);
}

TEST(GeLinear, OffsetsLieLeftOfTravel) {
  const XtGeLineSeg2d seg(XtGePoint2d(0, 0), XtGePoint2d(10, 0));
  XtGeCurve2dPtrArray out;
  ASSERT_TRUE(seg.getTrimmedOffset(2.0, out));
  ASSERT_EQ(out.length(), 1);
  std::unique_ptr<XtGeCurve2d> off(out[0]);
  ASSERT_EQ(off->type(), XtGe::kLineSeg2d);
  const auto& o = static_cast<const XtGeLineSeg2d&>(*off);
  expectNear(o.startPoint(), XtGePoint2d(0, 2));
  expectNear(o.endPoint(), XtGePoint2d(10, 2));
  out.setLogicalLength(0);
  ASSERT_TRUE(seg.getTrimmedOffset(0.0, out));  // 0 gives the curve itself
  std::unique_ptr<XtGeCurve2d> same(out[0]);
  EXPECT_TRUE(static_cast<const XtGeLineSeg2d&>(*same).endPoint().isEqualTo(seg.endPoint()));
}

TEST(GeLinear, SplittingDropsSlivers) {
  const XtGeLineSeg2d seg(XtGePoint2d(1, 1), XtGePoint2d(4, 5));
  XtGeCurve2d *a = nullptr, *b = nullptr;
  seg.getSplitCurves(1.0, a, b);
  std::unique_ptr<XtGeCurve2d> qa(a), qb(b);
  EXPECT_NE(a, nullptr);
  EXPECT_EQ(b, nullptr);
  XtGeRay2d ray;
  ray.getSplitCurves(1.0, a, b);
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(b, nullptr);
  XtGeLineSeg2d part = seg;
  ASSERT_TRUE(part.setInterval(XtGeInterval(0.25, 0.75)));
  expectNear(part.startPoint(), seg.xtEvalPoint(0.25));
  EXPECT_FALSE(ray.setInterval(XtGeInterval(0.0, 1.0)));
}

TEST(GeLinear, TransformsAndBoundBlocks) {
  XtGeLineSeg2d seg(XtGePoint2d(1, 0), XtGePoint2d(3, 0));
  ASSERT_TRUE(seg.rotateBy(XtGe::kHalfPi));
  expectNear(seg.endPoint(), XtGePoint2d(0, 3));
  ASSERT_TRUE(seg.mirror(XtGeLine2d(XtGePoint2d(), XtGeVector2d::kYAxis)));
  expectNear(seg.endPoint(), XtGePoint2d(0, 3));
  const XtGeBoundBlock2d box = seg.orthoBoundBlock();
  EXPECT_NEAR(box.maxPoint().y, 3.0, 1e-12);
  const XtGeBoundBlock2d rayBox = XtGeRay2d(XtGePoint2d(1, 2), XtGeVector2d(0, -1)).orthoBoundBlock();
  EXPECT_TRUE(std::isinf(rayBox.minPoint().y));
  EXPECT_EQ(rayBox.maxPoint().y, 2.0);
  EXPECT_EQ(rayBox.minPoint().x, 1.0);
  const double inf = std::numeric_limits<double>::infinity();
  XtGeMatrix2d bad = XtGeMatrix2d::translation({inf, 0});
  EXPECT_FALSE(seg.transformBy(bad));
  expectNear(seg.endPoint(), XtGePoint2d(0, 3));
}

TEST(GeLinear, NonFiniteInputGivesNoResult) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const XtGeLineSeg2d seg(XtGePoint2d(0, 0), XtGePoint2d(1, 0));
  EXPECT_FALSE(seg.isOn(XtGePoint2d(nan, 0)));
  EXPECT_TRUE(std::isnan(seg.paramOf(XtGePoint2d(0, nan))));
  EXPECT_TRUE(std::isinf(seg.distanceTo(XtGePoint2d(nan, nan))));
  EXPECT_TRUE(std::isnan(seg.paramAtLength(0, nan)));
  XtGePoint2d p;
  EXPECT_FALSE(seg.intersectWith(XtGeLineSeg2d(XtGePoint2d(nan, 0), XtGePoint2d(1, 1)), p));
  // Sentinel coordinates must not crash or hang anything.
  const XtGeLineSeg2d huge(XtGePoint2d(-DBL_MAX, -DBL_MAX), XtGePoint2d(DBL_MAX, DBL_MAX));
  (void)huge.intersectWith(seg, p);
  (void)huge.closestPointTo(XtGePoint2d(1, 1));
  (void)huge.length();
}
