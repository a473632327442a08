#include "tests/geometry/curveShapes.h"
#include "geometry/cutFrameByCurve.h"
#include "platform/ge/XtGeLine2d.h"

#include <gtest/gtest.h>

using namespace curveShapes;

namespace {

class cutFrameByCurve : public WorkTolerances {};

// The region of the cut round the block (0,0)-(10,12), whose frame is
// [-1, 11] x [-1.2, 13.2] (172.8 in area); flag 7 until the cut sets it.
std::unique_ptr<XtGeCurve2d> cutBy(const XtGeCurve2d& curve, const XtGePoint2d& point, int* flag = nullptr) {
  std::uint8_t side = 7;
  auto region = ::cutFrameByCurve(curve, XtGeBoundBlock2d(XtGePoint2d(0, 0), XtGePoint2d(10, 12)), point, side);
  EXPECT_TRUE(!region || region->xtIsClosed(workTol));
  if (flag != nullptr) *flag = side;
  return region;
}

}  // namespace

TEST_F(cutFrameByCurve, AnOpenCurveCutsTheFrameOnTheSideOfThePoint) {
  const XtGeLineSeg2d segment(XtGePoint2d(3, 2), XtGePoint2d(3, 8));
  const XtGeLine2d line(XtGePoint2d(0, 6), XtGeVector2d(1, 0));
  const struct {
    const XtGeCurve2d* curve;
    XtGePoint2d point;
    double area;
  } cases[] = {{&segment, {1, 5}, 57.6}, {&segment, {7, 5}, 115.2}, {&line, {5, 1}, 86.4}, {&line, {5, 13}, 86.4}};
  for (const auto& c : cases) {
    int flag = 7;
    const auto region = cutBy(*c.curve, c.point, &flag);
    ASSERT_NE(region, nullptr);
    EXPECT_NEAR(closedArea(*region), c.area, 1e-9);
    EXPECT_EQ(classifyPointInCurve(c.point, *region), kPositionInside);
    EXPECT_EQ(flag, 0);
  }
}

TEST_F(cutFrameByCurve, ExtensionsThatMeetCloseALoop) {
  const auto hook = outline({{3, 5}, {2, 2}, {8, 2}, {7, 5}}, {}, false);
  int flag = 7;
  const auto loop = cutBy(*hook, XtGePoint2d(5, 4), &flag);
  ASSERT_NE(loop, nullptr);
  EXPECT_NEAR(closedArea(*loop), 27, 1e-9);
  EXPECT_TRUE(loop->isOn(XtGePoint2d(5, 11), workTol));
  EXPECT_EQ(flag, 0);
  cutBy(*hook, XtGePoint2d(0, 0), &flag);
  EXPECT_EQ(flag, 1);
  // A closed curve is its own region.
  EXPECT_NEAR(closedArea(*cutBy(*box(1, 1, 2, 2), XtGePoint2d(1.5, 1.5), &flag)), 1, 1e-12);
  EXPECT_EQ(flag, 1);
}

TEST_F(cutFrameByCurve, WhatCannotBeCutGivesNothing) {
  const XtGeLineSeg2d segment(XtGePoint2d(3, 2), XtGePoint2d(3, 8));
  EXPECT_EQ(cutBy(segment, XtGePoint2d(3, 5)), nullptr);   // on the cut
  EXPECT_EQ(cutBy(segment, XtGePoint2d(30, 5)), nullptr);  // outside the frame
  EXPECT_EQ(cutBy(*outline({{5, 2}, {14, 2}, {14, 8}, {5, 8}}, {}, false), XtGePoint2d(8, 5)), nullptr);  // 4 crossings
  EXPECT_EQ(cutBy(XtGeLine2d(XtGePoint2d(0, 50), XtGeVector2d(1, 0)), XtGePoint2d(5, 5)), nullptr);     // misses the frame
}
