#include "tests/geometry/curveShapes.h"
#include "geometry/cutFrameByCurve.h"
#include "platform/ge/XtGeLine2d.h"

#include <gtest/gtest.h>

using namespace curveShapes;

namespace {

class cutFrameByCurve : public WorkTolerances {};

// The frame of this block is [-1, 11] x [-1.2, 13.2], 172.8 in area.
const XtGeBoundBlock2d kBlock(XtGePoint2d(0, 0), XtGePoint2d(10, 12));

struct cut {
  std::unique_ptr<XtGeCurve2d> region;
  std::uint8_t flag = 7;
};

cut cutBy(const XtGeCurve2d& curve, const XtGePoint2d& point) {
  cut c;
  c.region = ::cutFrameByCurve(curve, kBlock, point, c.flag);
  if (c.region) {
    EXPECT_TRUE(c.region->xtIsClosed(workTol));
  }
  return c;
}

}  // namespace

TEST_F(cutFrameByCurve, AnOpenCurveCutsTheFrameOnTheSideOfThePoint) {
  const XtGeLineSeg2d segment(XtGePoint2d(3, 2), XtGePoint2d(3, 8));
  const XtGeLine2d line(XtGePoint2d(0, 6), XtGeVector2d(1, 0));
  struct sideCase {
    const XtGeCurve2d* curve;
    XtGePoint2d point;
    double area;
  };
  const sideCase cases[] = {{&segment, {1, 5}, 57.6}, {&segment, {7, 5}, 115.2}, {&line, {5, 1}, 86.4}, {&line, {5, 13}, 86.4}};
  for (const sideCase& c : cases) {
    cut result = cutBy(*c.curve, c.point);
    ASSERT_NE(result.region, nullptr);
    EXPECT_NEAR(closedArea(*result.region), c.area, 1e-9);
    EXPECT_EQ(classifyPointInCurve(c.point, *result.region), kPositionInside);
    EXPECT_EQ(result.flag, 0);
  }
}

TEST_F(cutFrameByCurve, ExtensionsThatMeetCloseALoop) {
  const auto hook = outline({{3, 5}, {2, 2}, {8, 2}, {7, 5}}, {}, false);
  cut inside = cutBy(*hook, XtGePoint2d(5, 4));
  ASSERT_NE(inside.region, nullptr);
  EXPECT_NEAR(closedArea(*inside.region), 27, 1e-9);
  EXPECT_TRUE(inside.region->isOn(XtGePoint2d(5, 11), workTol));
  EXPECT_EQ(inside.flag, 0);
  EXPECT_EQ(cutBy(*hook, XtGePoint2d(0, 0)).flag, 1);

  // A closed curve is its own region.
  cut closed = cutBy(*box(1, 1, 2, 2), XtGePoint2d(1.5, 1.5));
  ASSERT_NE(closed.region, nullptr);
  EXPECT_NEAR(closedArea(*closed.region), 1, 1e-12);
  EXPECT_EQ(closed.flag, 1);
}

TEST_F(cutFrameByCurve, WhatCannotBeCutGivesNothing) {
  const XtGeLineSeg2d segment(XtGePoint2d(3, 2), XtGePoint2d(3, 8));
  EXPECT_EQ(cutBy(segment, XtGePoint2d(3, 5)).region, nullptr);   // on the cut
  EXPECT_EQ(cutBy(segment, XtGePoint2d(30, 5)).region, nullptr);  // outside the frame
  const auto zigzag = outline({{5, 2}, {14, 2}, {14, 8}, {5, 8}}, {}, false);
  EXPECT_EQ(cutBy(*zigzag, XtGePoint2d(8, 5)).region, nullptr);  // four crossings
  const XtGeLine2d away(XtGePoint2d(0, 50), XtGeVector2d(1, 0));
  EXPECT_EQ(cutBy(away, XtGePoint2d(5, 5)).region, nullptr);  // misses the frame
}
