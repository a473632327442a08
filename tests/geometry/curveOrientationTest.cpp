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

TEST_F(curveOrientation, AgreesWithTheSignOfTheAreaOnRandomOutlines) {
  std::mt19937 rng(99);
  for (int shape = 0; shape < 60; ++shape) {
    const XtGePoint2d centre = shape % 3 == 0 ? XtGePoint2d(1e7, 1e7) : XtGePoint2d(shape, -shape);
    const CompositePtr c = randomOutline(rng, centre, 4 + shape % 9, 2.0 + shape % 4, 8.0, 0.3,
                                         shape % 2 == 0);
    const double area = sampledSignedArea(*c, 1e-4);
    ASSERT_NE(area, 0.0);
    expectOrientation(*c, area < 0.0);
    c->reverseParam();
    expectOrientation(*c, area > 0.0);
  }
}

TEST_F(curveOrientation, ShapesPeopleDrawEitherWayRound) {
  // A triangle with an acute angle at its start vertex, an L, a U, a narrow
  // corridor, a rounded rectangle and a circle.
  std::vector<CompositePtr> shapes;
  shapes.push_back(outline({{0, 0}, {10, 1}, {10, 2}}));
  shapes.push_back(outline({{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 4}, {0, 4}}));
  shapes.push_back(outline({{0, 0}, {10, 0}, {10, 6}, {8, 6}, {8, 2}, {2, 2}, {2, 6}, {0, 6}}));
  shapes.push_back(outline({{0, 0}, {100, 0}, {100, 0.05}, {0, 0.05}}));
  shapes.push_back(roundedRectangle(-3, -3, 8, 5, 1.5));
  shapes.push_back(outline({{1, 0}, {-1, 0}}, {1.0, 1.0}));
  for (const CompositePtr& c : shapes) {
    expectOrientation(*c, false);
    c->reverseParam();
    expectOrientation(*c, true);
  }
  expectOrientation(XtGeCircArc2d(XtGePoint2d(3, 4), 2.0), false);
  expectOrientation(XtGeCircArc2d(XtGePoint2d(3, 4), 2.0, 0.0, XtGe::kTwoPi, XtGeVector2d::kXAxis, true), true);
}

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
