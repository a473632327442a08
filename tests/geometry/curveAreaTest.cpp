#include "tests/platform/ge/allocationCounter.h"
#include "tests/geometry/curveShapes.h"
#include "geometry/curveArea.h"
#include "geometry/curveCopying.h"
#include "platform/ge/XtGeRay2d.h"

#include <gtest/gtest.h>

#include <random>

using namespace curveShapes;

namespace {
class curveArea : public WorkTolerances {};

double areaOf(const XtGeCurve2d& c) {
  double area = -1.0;
  EXPECT_TRUE(getCurveArea(c, area));
  return area;
}
}  // namespace

TEST_F(curveArea, RoundedRectanglesAnywhereEitherWayRound) {
  const struct {
    double w, h, r;
  } cases[] = {{10, 4, 1}, {3, 3, 1.5}, {1e4, 20, 9.5}, {0.2, 0.1, 0.01}};
  for (const auto& c : cases) {
    const double expected = c.w * c.h - (4.0 - XtGe::kPi) * c.r * c.r;
    for (const double shift : {0.0, 1e6}) {
      if (shift > 0.0 && c.w < 1.0) continue;  // tiny shapes are checked near the origin
      for (const bool cw : {false, true}) {
        const CompositePtr shape = roundedRectangle(shift, shift, c.w, c.h, c.r, cw);
        EXPECT_NEAR(areaOf(*shape), expected, 1e-9 * expected) << c.w << "x" << c.h << " shift " << shift;
        double signedArea = 0.0;
        ASSERT_TRUE(getCurveSignedArea(*shape, signedArea));
        EXPECT_NEAR(signedArea, cw ? -expected : expected, 1e-9 * expected);
      }
    }
  }
}

TEST_F(curveArea, BulgesOutwardAndInward) {
  // A 2 x 2 square whose top side is a half circle bulging outward, then inward.
  const double half = XtGe::kPi / 2.0;
  EXPECT_NEAR(areaOf(*outline({{0, 0}, {2, 0}, {2, 2}, {0, 2}}, {0, 0, 1.0, 0})), 4.0 + half, 1e-12);
  EXPECT_NEAR(areaOf(*outline({{0, 0}, {2, 0}, {2, 2}, {0, 2}}, {0, 0, -1.0, 0})), 4.0 - half, 1e-12);
  // Both at once on an L, traced clockwise.
  const CompositePtr l = outline({{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 4}, {0, 4}}, {0.5, 0, -0.4});
  const double expected = sampledSignedArea(*l, 1e-7);
  EXPECT_NEAR(areaOf(*l), expected, 1e-5);
  l->reverseParam();
  EXPECT_NEAR(areaOf(*l), expected, 1e-5);
  // A piece bulging so little that its probe would sit on the curve.
  const CompositePtr flat = outline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {1e-7, 0, 0, 0});
  EXPECT_NEAR(areaOf(*flat), 100.0 + (2.0 / 3.0) * 10.0 * 1e-7 * 5.0, 1e-7);
}

TEST_F(curveArea, ArcLongerThanHalfACircle) {
  // A 270 degree arc closed by its chord.
  const double sweep = 1.5 * XtGe::kPi;
  const double segment = 0.5 * (sweep - std::sin(sweep));
  EXPECT_NEAR(areaOf(*outline({{1, 0}, {0, -1}}, {std::tan(sweep / 4.0), 0.0})), segment, 1e-12);
  const XtGeCircArc2d arc(XtGePoint2d(0, 0), 1.0, 0.0, sweep);
  EXPECT_NEAR(arcSegmentArea(arc), segment, 1e-12);
  EXPECT_NEAR(arcSectorArea(arc), 0.75 * XtGe::kPi, 1e-12);
  EXPECT_NEAR(arcSegmentArea(XtGeCircArc2d(XtGePoint2d(0, 0), 1.0, 0.0, 0.5 * XtGe::kPi)),
              0.25 * XtGe::kPi - 0.5, 1e-12);
}

TEST_F(curveArea, OpenCurvesAreRefusedAndLeaveTheAreaAlone) {
  double area = 42.0;
  EXPECT_FALSE(getCurveArea(*outline({{0, 0}, {2, 0}, {2, 2}}, {}, false), area));
  EXPECT_FALSE(getCurveArea(XtGeCircArc2d(XtGePoint2d(0, 0), 1.0, 0.0, 3.0), area));
  EXPECT_FALSE(getCurveSignedArea(XtGeLineSeg2d({0, 0}, {1, 1}), area));
  EXPECT_EQ(area, 42.0);
}

TEST_F(curveArea, ListOfPiecesAndStripsGiveTheSameArea) {
  std::mt19937 rng(3);
  for (int k = 0; k < 10; ++k) {
    const CompositePtr shape = randomOutline(rng, XtGePoint2d(100 * k, 7), 9, 3.0, 9.0, 0.3);
    curvePtrArray pieces;
    curveFlagArray flags;
    ASSERT_TRUE(explodeGeCurve(*shape, pieces, flags));
    const double expected = areaOf(*shape);
    double area = 0.0;
    ASSERT_TRUE(getCurveListArea(*shape, pieces, area));
    EXPECT_NEAR(area, expected, 1e-9 * expected);
    ASSERT_TRUE(getCurveListAreaByStrips(*shape, pieces, 7.0, area));
    EXPECT_NEAR(area, expected, 1e-9 * expected);
    EXPECT_NEAR(expected, std::fabs(sampledSignedArea(*shape, 1e-8)), 1e-5 * expected);
  }
  double length = 0.0;
  EXPECT_TRUE(boundedCurveLength(*roundedRectangle(0, 0, 4, 2, 0.5), length));
  EXPECT_NEAR(length, 2 * (3 + 1) + XtGe::kPi, 1e-9);
  EXPECT_FALSE(boundedCurveLength(XtGeRay2d(), length));
}

TEST_F(curveArea, AllocatesNothingForSegmentsAndArcs) {
  const CompositePtr shape = roundedRectangle(5, 5, 30, 20, 4);
  double total = 0.0;
  const std::size_t before = allocationCounter::count();
  for (int k = 0; k < 100; ++k) {
    double area = 0.0;
    getCurveArea(*shape, area);
    total += area;
  }
  EXPECT_EQ(allocationCounter::count(), before);
  EXPECT_GT(total, 0.0);
}

TEST_F(curveArea, TrianglesGiveTheSameAreaOnRoomsWithArcs) {
  std::mt19937 rng(41);
  std::vector<CompositePtr> rooms;
  rooms.push_back(outline({{0, 0}, {6, 0}, {6, 3}, {3, 3}, {3, 6}, {0, 6}}));
  rooms.push_back(outline({{0, 0}, {12, 0}, {12, 8}, {8, 8}, {8, 3}, {4, 3}, {4, 8}, {0, 8}}, {0, 0, 0, 0, 0.9}));
  rooms.push_back(outline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {-0.8, 0, 0.5}));  // a deep inward arc
  rooms.push_back(roundedRectangle(1e6, 1e6, 20, 10, 3, true));
  rooms.push_back(std::make_unique<XtGeCompositeCurve2d>());
  for (int k = 0; k < 20; ++k) {
    CompositePtr room = randomOutline(rng, XtGePoint2d(100.0 * k, -50.0), 5 + k % 7, 6.0, 10.0, 0.3);
    if (isSimpleOutline(*room, workTol)) rooms.push_back(std::move(room));
  }
  int measured = 0;
  for (const CompositePtr& room : rooms) {
    double byTriangles = -1.0;
    double reference = -1.0;
    if (room->numCurves() == 0) {
      EXPECT_FALSE(getCurveAreaByTriangles(*room, byTriangles));
      continue;
    }
    ASSERT_TRUE(getCurveAreaByTriangles(*room, byTriangles));
    ASSERT_TRUE(getCurveArea(*room, reference));
    EXPECT_NEAR(byTriangles, reference, 1e-9 * reference);
    ++measured;
  }
  EXPECT_GT(measured, 15);
  double area = 0.0;
  const XtGeCircArc2d circle({0, 0}, 2);
  ASSERT_TRUE(getCurveAreaByTriangles(circle, area));
  EXPECT_NEAR(area, 4 * XtGe::kPi, 1e-12);
  // A chord polygon that crosses itself has no ear; an open outline is refused.
  EXPECT_FALSE(getCurveAreaByTriangles(*outline({{0, 0}, {4, 4}, {4, 0}, {0, 4}}), area));
  EXPECT_FALSE(getCurveAreaByTriangles(*outline({{0, 0}, {4, 0}, {4, 4}}, {}, false), area));
}
