#include "tests/geometry/curveShapes.h"
#include "geometry/curveOrientation.h"

#include <gtest/gtest.h>

#include <random>

using namespace curveShapes;

namespace {
class curveOrientation : public WorkTolerances {};

void expectOrientation(const XtGeCurve2d& c, bool expectedClockwise) {
  bool cw = !expectedClockwise;
  ASSERT_TRUE(curveIsClockwise(c, cw));
  EXPECT_EQ(cw, expectedClockwise);
}
}  // namespace

TEST_F(curveOrientation, ProbeAlongAnEdgeTheLoopOnlyTouches) {
  // The probe from the start (0, 1) runs along the floor (3, 1)-(2, 1) of a
  // notch cut from the top: the loop comes and goes on the same side there.
  const std::vector<XtGePoint2d> room{{0, 1}, {0, 0}, {4, 0}, {4, 3}, {3, 3},
                                      {3, 1}, {2, 1}, {2, 3}, {0, 3}};
  for (const XtGeVector2d shift : {XtGeVector2d(0, 0), XtGeVector2d(3e6, -7e6)}) {
    std::vector<XtGePoint2d> corners = room;
    for (XtGePoint2d& c : corners) c += shift;
    const CompositePtr c = outline(corners);
    ASSERT_NEAR(sampledSignedArea(*c, 1e-4), 10.0, 1e-6);
    expectOrientation(*c, false);
    c->reverseParam();
    expectOrientation(*c, true);
  }
}

TEST_F(curveOrientation, OpenAndEmptyCurvesAreUndecided) {
  bool cw = true;
  EXPECT_FALSE(curveIsClockwise(*outline({{0, 0}, {1, 0}, {1, 1}}, {}, false), cw));
  EXPECT_FALSE(curveIsClockwise(XtGeCompositeCurve2d(), cw));
  EXPECT_FALSE(curveIsClockwise(XtGeLineSeg2d({0, 0}, {0, 0}), cw));
  EXPECT_TRUE(cw);
}

TEST_F(curveOrientation, ExtremeVertexTurnsVote) {
  std::mt19937 rng(5);
  for (int shape = 0; shape < 20; ++shape) {
    const CompositePtr c = randomOutline(rng, XtGePoint2d(0, 0), 5 + shape % 7, 3.0, 8.0, 0.3);
    const double area = sampledSignedArea(*c, 1e-4);
    bool cw = area > 0.0;
    ASSERT_TRUE(compositeIsClockwiseByExtremes(*c, cw));
    EXPECT_EQ(cw, area < 0.0);
  }
  bool cw = false;
  EXPECT_TRUE(compositeIsClockwiseByExtremes(*roundedRectangle(0, 0, 4, 2, 0.5, true), cw));
  EXPECT_TRUE(cw);
  EXPECT_FALSE(compositeIsClockwiseByExtremes(*outline({{0, 0}, {1, 0}, {1, 1}}, {}, false), cw));
}
