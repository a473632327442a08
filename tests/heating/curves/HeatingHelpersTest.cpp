#include "heating/curves/ArrayHelpers.h"
#include "heating/curves/HeatingCurveEnds.h"
#include "heating/curves/PointFormat.h"
#include "heating/curves/ZoneSides.h"

#include "CurveTestSupport.h"

#include <cfloat>

using namespace curve_test;

namespace {

using HeatingHelpersTest = HeatingCurveTest;

TEST(ZoneSidesTest, EverySideHasItsCornerDirectionAndOpposite) {
  const struct {
    int side;
    XtGePoint2d corner;
    XtGeVector2d axis;
    int opposite;
  } sides[] = {{0, {DBL_MAX, -DBL_MAX}, {-1, 0}, 2}, {1, {-DBL_MAX, -DBL_MAX}, {0, 1}, 3},
               {2, {-DBL_MAX, DBL_MAX}, {1, 0}, 0},  {3, {DBL_MAX, DBL_MAX}, {0, -1}, 1},
               {-1, {0, 0}, {0, 0}, -1},             {4, {0, 0}, {0, 0}, -1}};
  for (const auto& s : sides) {
    SCOPED_TRACE(s.side);
    EXPECT_EQ(farCornerForSide(s.side).x, s.corner.x);
    EXPECT_EQ(farCornerForSide(s.side).y, s.corner.y);
    EXPECT_EQ(axisVectorForSide(s.side).x, s.axis.x);
    EXPECT_EQ(axisVectorForSide(s.side).y, s.axis.y);
    EXPECT_EQ(oppositeSide(s.side), s.opposite);
    if (s.opposite < 0) continue;
    EXPECT_EQ(oppositeSide(s.opposite), s.side);
    EXPECT_EQ(axisVectorForSide(s.opposite).x, -s.axis.x);
    EXPECT_FALSE(comparePointsAlongSide(s.side, {1, 1}, {1, 1}));
  }
}

TEST(ZoneSidesTest, PointsAlongASideCompareWithinWorkTol) {
  GeometryToleranceScope metres(1);  // workTol 1e-6
  EXPECT_TRUE(comparePointsAlongSide(0, {5, 1}, {5.0000001, 2}));  // x within tolerance: y decides
  // Per side: a point first by the primary coordinate, and one first by the
  // secondary coordinate when the primary ones lie within the tolerance.
  const struct {
    int side;
    XtGePoint2d primaryFirst, primaryLast, secondaryFirst, secondaryLast;
  } orders[] = {{0, {9, 9}, {1, 0}, {5, 0}, {5 + 5e-7, 9}},
                {1, {9, 0}, {0, 9}, {0, 5}, {9, 5 - 5e-7}},
                {2, {1, 9}, {9, 0}, {5, 9}, {5 - 5e-7, 0}},
                {3, {0, 9}, {9, 1}, {9, 5}, {0, 5 + 5e-7}}};
  for (const auto& o : orders) {
    SCOPED_TRACE(o.side);
    EXPECT_TRUE(comparePointsAlongSide(o.side, o.primaryFirst, o.primaryLast));
    EXPECT_FALSE(comparePointsAlongSide(o.side, o.primaryLast, o.primaryFirst));
    EXPECT_TRUE(comparePointsAlongSide(o.side, o.secondaryFirst, o.secondaryLast));
    EXPECT_FALSE(comparePointsAlongSide(o.side, o.secondaryLast, o.secondaryFirst));
  }
  EXPECT_FALSE(comparePointsAlongSide(7, {0, 0}, {1, 1}));

  const CFHSortAxis axis({1e7, 1e7}, {0, 1}, XtGeTol(1e-3, 1e-5));
  EXPECT_EQ(axis.compare({0, 1e7 + 5}, {9, 1e7 + 5.0005}), 0);
  EXPECT_EQ(axis.compare({0, 1e7 + 5}, {0, 1e7 + 6}), -1);
  EXPECT_EQ(axis.compare({0, 1e7 + 6}, {0, 1e7 + 5}), 1);
  const XtGePoint2d p(0, 0);
  EXPECT_EQ(CFHSortAxis::compare(nullptr, &p, &p), 0);
  EXPECT_EQ(CFHSortAxis::compare(&axis, &p, nullptr), 0);
  EXPECT_TRUE(closerToReference({0, 0}, {1, 1}, {0, 2}));
  EXPECT_FALSE(closerToReference({0, 0}, {0, 2}, {2, 0}));
}

TEST(PointFormatTest, WrittenPointsReadBackAndBrokenTextsReadNothing) {
  EXPECT_EQ(formatPoint({1.5, 2.25}), u"(1.50|2.25|0.00)");
  for (const XtGePoint2d p : {XtGePoint2d(1.5, 2.25), XtGePoint2d(-12345678.25, 9999999.5), XtGePoint2d(0, -0.75)}) {
    XtGePoint2d back(7, 7);
    EXPECT_EQ(parseNumberList(formatPoint(p), back), 2);
    EXPECT_TRUE(near(back, p, 0.005));
  }
  const struct {
    const char16_t* text;
    int read;
    XtGePoint2d point;
  } texts[] = {{u"", 0, {7, 8}},     {u"(", 0, {7, 8}},           {u"(|", 0, {7, 8}},
               {u"(1.5|", 0, {7, 8}}, {u"1.5|2|)", 0, {7, 8}},     {u"(1.5|x", 1, {1.5, 8}},
               {u"(|3|4|)", 2, {3, 4}}, {u"(1.50|2.25|0.00)", 2, {1.5, 2.25}}};
  for (const auto& t : texts) {
    XtGePoint2d point(7, 8);
    EXPECT_EQ(parseNumberList(t.text, point), t.read);
    EXPECT_EQ(point.x, t.point.x);
    EXPECT_EQ(point.y, t.point.y);
  }
}

TEST_F(HeatingHelpersTest, ArraysDropListedEntriesAndRepeatedPoints) {
  int a = 0, b = 0, c = 0;
  std::vector<int*> items = {&a, &b, &a, &c};
  EXPECT_EQ(arrayDifference(items, {&a}), (std::vector<int*>{&b, &c}));
  removeItemsOf(items, {&a, &c});
  EXPECT_EQ(items, std::vector<int*>{&b});

  const std::vector<std::u16string> strings = {u"a", u"B", u"b"};
  EXPECT_EQ(findStringInArray(strings, u"b"), 2);
  EXPECT_EQ(findStringInArray(strings, u"c"), -1);

  XtGePoint2dArray points;  // workTol 1e-3
  for (const XtGePoint2d p : {XtGePoint2d(0, 0), XtGePoint2d(1, 0), XtGePoint2d(0.0005, 0), XtGePoint2d(2, 0),
                              XtGePoint2d(1, 0.0009)})
    points.append(p);
  removeDuplicatePoints(points);
  ASSERT_EQ(points.length(), 3);
  EXPECT_EQ(points[0].x, 0.0);  // the first of equal points stays
  EXPECT_EQ(points[2].x, 2.0);
}

TEST(WideStringListTest, HandedOutArraysLiveUntilTheListIsCleared) {
  WideStringList list;
  list.strings = {u"first", u"second"};
  const char16_t* const* array = wideStringListToArray(list);
  list.strings = {u"other"};
  const char16_t* const* second = wideStringListToArray(list);
  EXPECT_EQ(std::u16string(array[0]), u"first");
  EXPECT_EQ(std::u16string(array[1]), u"second");
  EXPECT_EQ(array[2], nullptr);
  EXPECT_EQ(second[1], nullptr);
  EXPECT_EQ(list.handedOutCount(), 2u);
  list.clear();
  EXPECT_EQ(list.handedOutCount(), 0u);
  EXPECT_TRUE(list.strings.empty());
}

TEST_F(HeatingHelpersTest, TangentsAndProlongationsLeaveTheEnds) {
  // A line, a counter-clockwise and a clockwise quarter arc of radius 2, all
  // near 1e7: the outward tangents and probes at both ends.
  const XtGePoint2d o(1e7, 1e7);
  const auto straight = line(o, o + XtGeVector2d(3, 4));
  const auto ccw = arc(o, 2, 0, kPi / 2);        // (2, 0) to (0, 2) from o
  const auto cw = arc(o, 2, 0, kPi / 2, true);  // (2, 0) to (0, -2) from o
  const struct {
    const CFloorHeatingCurve* curve;
    XtGeVector2d atEnd, atStart;
    double speed;  // length of the first derivative
  } cases[] = {{straight.get(), {0.6, 0.8}, {-0.6, -0.8}, 1.0},
               {ccw.get(), {-1, 0}, {0, -1}, 2.0},
               {cw.get(), {-1, 0}, {0, 1}, 2.0}};
  for (const auto& c : cases) {
    const XtGeVector2d end = outwardTangentAtEnd(*c.curve);
    const XtGeVector2d start = outwardTangentAtStart(*c.curve);
    EXPECT_NEAR(end.x, c.atEnd.x, 1e-9);
    EXPECT_NEAR(end.y, c.atEnd.y, 1e-9);
    EXPECT_NEAR(start.x, c.atStart.x, 1e-9);
    EXPECT_NEAR(start.y, c.atStart.y, 1e-9);
    XtGeLineSeg2d probe;
    ASSERT_TRUE(extensionSegmentAtEnd(*c.curve, 10.0, probe));
    EXPECT_TRUE(near(probe.startPoint(), c.curve->endPoint(), 1e-6));
    EXPECT_TRUE(near(probe.endPoint(), c.curve->endPoint() + end * (10.0 * c.speed), 1e-6));
    ASSERT_TRUE(extensionSegmentAtStart(*c.curve, 10.0, probe));
    EXPECT_TRUE(near(probe.startPoint(), c.curve->startPoint(), 1e-6));
    EXPECT_TRUE(near(probe.endPoint(), c.curve->startPoint() + start * (10.0 * c.speed), 1e-6));
  }
  // Unbounded or directionless curves: no probe, the X axis as tangent.
  XtGeLineSeg2d untouched(XtGePoint2d(5, 5), XtGePoint2d(6, 6));
  EXPECT_FALSE(extensionSegmentAtEnd(XtGeLine2d(o, XtGeVector2d(1, 1)), 1.0, untouched));
  const XtGeCircArc2d point(o, 0.0, 0.0, 1.0);
  EXPECT_FALSE(extensionSegmentAtStart(point, 1.0, untouched));
  EXPECT_TRUE(near(untouched.startPoint(), {5, 5}, 0.0));
  EXPECT_EQ(outwardTangentAtEnd(point).x, 1.0);
  EXPECT_EQ(outwardTangentAtStart(XtGeLineSeg2d(o, o)).x, 1.0);

  // Walked from the arc's own start angle, not from angle 0.
  const auto late = arc({0, 0}, 2, kPi / 2, kPi);
  EXPECT_TRUE(near(pointAtLength(*late, kPi / 2), {-std::sqrt(2.0), std::sqrt(2.0)}));
  EXPECT_TRUE(near(pointAtLength(*late, 100.0), {-2, 0}));
  EXPECT_TRUE(near(midPoint2d({1, 2}, {3, -4}), {2, -1}, 0.0));
}

TEST_F(HeatingHelpersTest, ReversedChainRunsTheSamePointsBackwards) {
  for (const double base : {0.0, 1e7}) {
    SCOPED_TRACE(base);
    // An L of two lines with a counter-clockwise quarter arc in its corner.
    const XtGePoint2d o(base, base);
    XtGeLineSeg2d first(o, o + XtGeVector2d(10, 0));
    XtGeCircArc2d corner(o + XtGeVector2d(10, 5), 5, 3 * kPi / 2, 2 * kPi);
    XtGeLineSeg2d last(o + XtGeVector2d(15, 5), o + XtGeVector2d(15, 15));
    const XtGeCurve2d* originals[] = {&first, &corner, &last};
    XtGeCurve2dPtrArray chain;
    for (const XtGeCurve2d* c : originals) chain.append(c->copy());
    EXPECT_FALSE(isChainClosed(chain));
    reverseGeCurveChain(chain);
    ASSERT_EQ(chain.length(), 3);
    for (int i = 0; i < 3; ++i) {
      const XtGeCurve2d& reversed = *chain[i];
      const XtGeCurve2d& original = *originals[2 - i];
      XtGePoint2d s, e, os, oe, nextStart;
      ASSERT_TRUE(reversed.hasStartPoint(s) && reversed.hasEndPoint(e));
      ASSERT_TRUE(original.hasStartPoint(os) && original.hasEndPoint(oe));
      EXPECT_TRUE(near(s, oe, 1e-6));
      EXPECT_TRUE(near(e, os, 1e-6));
      if (i < 2 && chain[i + 1]->hasStartPoint(nextStart)) {
        EXPECT_TRUE(near(e, nextStart, 1e-6));
      }
      XtGePoint2dArray samples;
      reversed.getSamplePoints(9, samples);
      for (const XtGePoint2d& p : samples) EXPECT_LE(original.distanceTo(p), 1e-6);
    }
    chain.append(new XtGeLineSeg2d(o, o + XtGeVector2d(15, 15)));
    EXPECT_TRUE(isChainClosed(chain));
    for (XtGeCurve2d* c : chain) delete c;
  }
  EXPECT_FALSE(isChainClosed(XtGeCurve2dPtrArray()));
}

TEST_F(HeatingHelpersTest, LineCoefficientsFollowTheirThreeCases) {
  double a = 9, b = 9, c = 9;
  ASSERT_TRUE(lineCoefficients(XtGeLine2d(XtGePoint2d(4, 3), XtGeVector2d(1, 0)), a, b, c));
  EXPECT_EQ(a, 0.0);
  EXPECT_EQ(b, -1.0);
  EXPECT_NEAR(c, 3.0, 1e-12);
  ASSERT_TRUE(lineCoefficients(XtGeLine2d(XtGePoint2d(2, 7), XtGeVector2d(0, -1)), a, b, c));
  EXPECT_EQ(a, 1.0);
  EXPECT_EQ(b, 0.0);
  EXPECT_NEAR(c, 2.0, 1e-12);
  // y = x + 1: c = 1 and p = (pi, pi + 1) at parameter pi.
  ASSERT_TRUE(lineCoefficients(XtGeLine2d(XtGePoint2d(0, 1), XtGeVector2d(1, 1)), a, b, c));
  EXPECT_EQ(b, -1.0);
  EXPECT_NEAR(c, 1.0, 1e-12);
  EXPECT_NEAR(a, -(kPi + 2) / kPi, 1e-12);
  // p on the y axis: a would not be finite; a line of no direction meets nothing.
  a = 9;
  EXPECT_FALSE(lineCoefficients(XtGeLine2d(XtGePoint2d(-kPi, 0), XtGeVector2d(1, 1)), a, b, c));
  EXPECT_FALSE(lineCoefficients(XtGeLine2d(XtGePoint2d(1, 1), XtGeVector2d(0, 0)), a, b, c));
  EXPECT_EQ(a, 9.0);
}

}  // namespace
