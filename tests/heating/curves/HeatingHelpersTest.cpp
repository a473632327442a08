#include "heating/curves/ArrayHelpers.h"
#include "heating/curves/HeatingCurveEnds.h"
#include "heating/curves/PointFormat.h"
#include "heating/curves/ZoneSides.h"

#include "CurveTestSupport.h"

#include <cfloat>

using namespace curve_test;

namespace {

using HeatingHelpersTest = HeatingCurveTest;

bool same(const XtGePoint2d& a, const XtGePoint2d& b) { return a.x == b.x && a.y == b.y; }

TEST(ZoneSidesTest, SidesAndTheirOrderings) {
  const struct {
    int side;
    XtGePoint2d corner;
    XtGePoint2d axis;
    int opposite;
    // p1 before p2 by the primary coordinate; q1 before q2 by the secondary
    // one, their primary coordinates lying within workTol (1e-6).
    XtGePoint2d p1, p2, q1, q2;
  } sides[] = {{0, {DBL_MAX, -DBL_MAX}, {-1, 0}, 2, {9, 9}, {1, 0}, {5, 1}, {5.0000001, 2}},
               {1, {-DBL_MAX, -DBL_MAX}, {0, 1}, 3, {9, 0}, {0, 9}, {0, 5}, {9, 5 - 5e-7}},
               {2, {-DBL_MAX, DBL_MAX}, {1, 0}, 0, {1, 9}, {9, 0}, {5, 9}, {5 - 5e-7, 0}},
               {3, {DBL_MAX, DBL_MAX}, {0, -1}, 1, {0, 9}, {9, 1}, {9, 5}, {0, 5 + 5e-7}},
               {-1, {0, 0}, {0, 0}, -1, {}, {}, {}, {}},
               {4, {0, 0}, {0, 0}, -1, {}, {}, {}, {}}};
  GeometryToleranceScope metres(1);
  for (const auto& s : sides) {
    SCOPED_TRACE(s.side);
    const XtGeVector2d axis = axisVectorForSide(s.side);
    EXPECT_TRUE(same(farCornerForSide(s.side), s.corner));
    EXPECT_TRUE(same({axis.x, axis.y}, s.axis));
    EXPECT_EQ(oppositeSide(s.side), s.opposite);
    const bool valid = s.opposite >= 0;
    EXPECT_EQ(comparePointsAlongSide(s.side, s.p1, s.p2), valid);
    EXPECT_EQ(comparePointsAlongSide(s.side, s.q1, s.q2), valid);
    EXPECT_FALSE(comparePointsAlongSide(s.side, s.p2, s.p1));
    EXPECT_FALSE(comparePointsAlongSide(s.side, s.q2, s.q1));
  }
  const CFHSortAxis axis({1e7, 1e7}, {0, 1}, XtGeTol(1e-3, 1e-5));
  EXPECT_EQ(axis.compare({0, 1e7 + 5}, {9, 1e7 + 5.0005}), 0);
  EXPECT_EQ(axis.compare({0, 1e7 + 5}, {0, 1e7 + 6}), -1);
  EXPECT_EQ(axis.compare({0, 1e7 + 6}, {0, 1e7 + 5}), 1);
  const XtGePoint2d p;
  EXPECT_EQ(CFHSortAxis::compare(&axis, &p, nullptr), 0);
  EXPECT_TRUE(closerToReference({0, 0}, {1, 1}, {0, 2}));
  EXPECT_FALSE(closerToReference({0, 0}, {0, 2}, {2, 0}));
}

TEST(PointFormatTest, WrittenPointsReadBackAndBrokenTextsReadNothing) {
  EXPECT_EQ(formatPoint({1.5, 2.25}), u"(1.50|2.25|0.00)");
  XtGePoint2d back;
  EXPECT_EQ(parseNumberList(formatPoint({-12345678.25, 9999999.5}), back), 2);
  EXPECT_TRUE(same(back, {-12345678.25, 9999999.5}));
  const struct {
    const char16_t* text;
    int read;
    XtGePoint2d point;
  } texts[] = {{u"", 0, {7, 8}},      {u"(", 0, {7, 8}},       {u"(|", 0, {7, 8}},
               {u"(1.5|", 0, {7, 8}}, {u"1.5|2|)", 0, {7, 8}}, {u"(1.5|x", 1, {1.5, 8}},
               {u"(|3|4|)", 2, {3, 4}}, {u"(1.50|2.25|0.00)", 2, {1.5, 2.25}}};
  for (const auto& t : texts) {
    XtGePoint2d point(7, 8);
    EXPECT_EQ(parseNumberList(t.text, point), t.read);
    EXPECT_TRUE(same(point, t.point));
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
  for (const double x : {0.0, 1.0, 0.0005, 2.0, 1.0009}) points.append(XtGePoint2d(x, 0));
  removeDuplicatePoints(points);
  ASSERT_EQ(points.length(), 3);
  EXPECT_TRUE(same(points[0], {0, 0}) && same(points[1], {1, 0}) && same(points[2], {2, 0}));

  WideStringList list;
  list.strings = {u"first", u"second"};
  const char16_t* const* array = wideStringListToArray(list);
  list.strings = {u"other"};
  EXPECT_EQ(wideStringListToArray(list)[1], nullptr);
  EXPECT_EQ(std::u16string(array[1]), u"second");  // handed-out arrays outlive changes
  EXPECT_EQ(array[2], nullptr);
  list.clear();
  EXPECT_EQ(list.handedOutCount(), 0u);
}

TEST_F(HeatingHelpersTest, TangentsAndProlongationsLeaveTheEnds) {
  // A line and quarter arcs of radius 2 (counter-clockwise and clockwise)
  // near 1e7: outward tangents and probes of length 10 at both ends.
  const XtGePoint2d o(1e7, 1e7);
  const auto straight = line(o, o + XtGeVector2d(3, 4));
  const auto ccw = arc(o, 2, 0, kPi / 2);
  const auto cw = arc(o, 2, 0, kPi / 2, true);
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
    EXPECT_LE((end - c.atEnd).length() + (start - c.atStart).length(), 1e-9);
    XtGeLineSeg2d probe;
    ASSERT_TRUE(extensionSegmentAtEnd(*c.curve, 10.0, probe));
    EXPECT_TRUE(near(probe.startPoint(), c.curve->endPoint(), 1e-6));
    EXPECT_TRUE(near(probe.endPoint(), c.curve->endPoint() + end * (10.0 * c.speed), 1e-6));
    ASSERT_TRUE(extensionSegmentAtStart(*c.curve, 10.0, probe));
    EXPECT_TRUE(near(probe.endPoint(), c.curve->startPoint() + start * (10.0 * c.speed), 1e-6));
  }
  // Unbounded or directionless curves: no probe (nothing written), the X axis as tangent.
  XtGeLineSeg2d untouched(XtGePoint2d(5, 5), XtGePoint2d(6, 6));
  const XtGeCircArc2d dot(o, 0.0, 0.0, 1.0);
  EXPECT_FALSE(extensionSegmentAtEnd(XtGeLine2d(o, XtGeVector2d(1, 1)), 1.0, untouched));
  EXPECT_FALSE(extensionSegmentAtStart(dot, 1.0, untouched));
  EXPECT_TRUE(same(untouched.startPoint(), {5, 5}));
  EXPECT_EQ(outwardTangentAtEnd(dot).x, 1.0);
  EXPECT_EQ(outwardTangentAtStart(XtGeLineSeg2d(o, o)).x, 1.0);

  // Walked from the arc's own start angle, not from angle 0, and stopping at its end.
  const auto late = arc({0, 0}, 2, kPi / 2, kPi);
  EXPECT_TRUE(near(pointAtLength(*late, kPi / 2), {-std::sqrt(2.0), std::sqrt(2.0)}));
  EXPECT_TRUE(near(pointAtLength(*late, 100.0), {-2, 0}));
  EXPECT_TRUE(same(midPoint2d({1, 2}, {3, -4}), {2, -1}));
}

TEST_F(HeatingHelpersTest, ReversedChainRunsTheSamePointsBackwards) {
  for (const double base : {0.0, 1e7}) {
    // An L of two lines with a counter-clockwise quarter arc in its corner.
    const XtGePoint2d o(base, base);
    const XtGeLineSeg2d first(o, o + XtGeVector2d(10, 0));
    const XtGeCircArc2d corner(o + XtGeVector2d(10, 5), 5, 3 * kPi / 2, 2 * kPi);
    const XtGeLineSeg2d last(o + XtGeVector2d(15, 5), o + XtGeVector2d(15, 15));
    const XtGeCurve2d* originals[] = {&first, &corner, &last};
    XtGeCurve2dPtrArray chain;
    for (const XtGeCurve2d* c : originals) chain.append(c->copy());
    EXPECT_FALSE(isChainClosed(chain));
    reverseGeCurveChain(chain);
    XtGePoint2d previousEnd = last.endPoint();
    for (int i = 0; i < 3; ++i) {
      XtGePoint2d s, e, originalStart;
      ASSERT_TRUE(chain[i]->hasStartPoint(s) && chain[i]->hasEndPoint(e));
      ASSERT_TRUE(originals[2 - i]->hasStartPoint(originalStart));
      EXPECT_TRUE(near(s, previousEnd, 1e-6));  // continuous, from the old end
      EXPECT_TRUE(near(e, originalStart, 1e-6));
      previousEnd = e;
      XtGePoint2dArray samples;
      chain[i]->getSamplePoints(9, samples);
      for (const XtGePoint2d& p : samples) EXPECT_LE(originals[2 - i]->distanceTo(p), 1e-6);
    }
    chain.append(new XtGeLineSeg2d(o, o + XtGeVector2d(15, 15)));
    EXPECT_TRUE(isChainClosed(chain));
    for (XtGeCurve2d* c : chain) delete c;
  }
  EXPECT_FALSE(isChainClosed(XtGeCurve2dPtrArray()));
}

TEST_F(HeatingHelpersTest, LineCoefficientsFollowTheirThreeCases) {
  const struct {
    XtGePoint2d base;
    XtGeVector2d direction;
    bool made;
    double a, b, c;
  } lines[] = {{{4, 3}, {1, 0}, true, 0, -1, 3},                    // parallel to the x axis
               {{2, 7}, {0, -1}, true, 1, 0, 2},                    // parallel to the y axis
               {{0, 1}, {1, 1}, true, -(kPi + 2) / kPi, -1, 1},     // p = (pi, pi + 1)
               {{-kPi, 0}, {1, 1}, false, 9, 9, 9},                 // p = (0, pi): a not finite
               {{1, 1}, {0, 0}, false, 9, 9, 9}};                   // no direction
  for (const auto& l : lines) {
    double a = 9, b = 9, c = 9;
    EXPECT_EQ(lineCoefficients(XtGeLine2d(l.base, l.direction), a, b, c), l.made);
    EXPECT_NEAR(a, l.a, 1e-12);
    EXPECT_EQ(b, l.b);
    EXPECT_NEAR(c, l.c, 1e-12);
  }
}

}  // namespace
