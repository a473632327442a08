#include "curveShapes.h"
#include "geometry/clipCurveToFrame.h"
#include "geometry/releasePtrArray.h"
#include "geometry/sampleCurvePoints.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <gtest/gtest.h>

using namespace curveShapes;

namespace {

class curveSampling : public WorkTolerances {
 protected:
  void SetUp() override {
    WorkTolerances::SetUp();
    view.viewScale = 0.01;
    view.deviationLower = 0.5;
    view.deviationUpper = 1.5;
    view.visibleMin = XtGePoint2d(0, 0);
    view.visibleMax = XtGePoint2d(10, 10);
    ASSERT_TRUE(view.frame.setBox(view.visibleMin, view.visibleMax));
  }
  GDI::canvas view;
};

bool insideBox(const XtGePoint2d& p, double lo, double hi, double eps) {
  return p.x >= lo - eps && p.x <= hi + eps && p.y >= lo - eps && p.y <= hi + eps;
}

}  // namespace

TEST_F(curveSampling, CircleIsSampledOnItselfWithinTheDeviationAndClipped) {
  // A circle about a corner of the view: a quarter of it is visible.
  const XtGeCircArc2d circle(XtGePoint2d(10, 10), 4.0);
  GDI::buffer_curve buffer;
  sampleCurvePoints(buffer, &circle, {}, nullptr, 1.0, view);
  const double deviation = 0.01;
  EXPECT_DOUBLE_EQ(buffer.deviation, deviation);
  ASSERT_EQ(buffer.runEnds.length(), 1);
  ASSERT_GT(buffer.points.length(), 10);
  EXPECT_EQ(buffer.runEnds[0], buffer.points.length());
  for (int i = 0; i < buffer.points.length(); ++i) {
    const XtGePoint2d& p = buffer.points[i];
    EXPECT_NEAR(p.distanceTo(circle.center()), 4.0, 1e-9);
    EXPECT_TRUE(insideBox(p, 0.0, 10.0, 1e-9));
    if (i + 1 < buffer.points.length()) {
      // The sagitta of the chord to the next point.
      const double half = 0.5 * p.distanceTo(buffer.points[i + 1]);
      EXPECT_LE(4.0 - std::sqrt(16.0 - half * half), deviation);
    }
  }
  // The run covers the visible quarter from edge to edge.
  EXPECT_NEAR(buffer.points[0].distanceTo(XtGePoint2d(10, 6)) *
                  buffer.points[0].distanceTo(XtGePoint2d(6, 10)),
              0.0, 1e-9);
  EXPECT_EQ(view.resampleCount, 1);
}

TEST_F(curveSampling, StillValidSamplingIsKeptAndChangesResample) {
  const CompositePtr shape = roundedRectangle(2, 2, 6, 4, 1);
  GDI::curve item(std::unique_ptr<XtGeCurve2d>(shape->copy()));
  sampleCurvePoints(item, view);
  ASSERT_EQ(view.resampleCount, 1);
  const int points = item.paintBuffer()->points.length();
  // Same view, a scale within the band, a view inside the sampled one.
  sampleCurvePoints(item, view);
  view.viewScale = 0.012;
  view.visibleMin = XtGePoint2d(1, 1);
  view.visibleMax = XtGePoint2d(9, 9);
  sampleCurvePoints(item, view);
  EXPECT_EQ(view.resampleCount, 1);
  EXPECT_EQ(item.paintBuffer()->points.length(), points);
  // Zoomed out past the band, or panned: sampled again.
  view.viewScale = 0.05;
  sampleCurvePoints(item, view);
  EXPECT_EQ(view.resampleCount, 2);
  view.visibleMin = XtGePoint2d(-5, 0);
  sampleCurvePoints(item, view);
  EXPECT_EQ(view.resampleCount, 3);
}

TEST_F(curveSampling, RunsPerVisiblePieceTransformedAndPlainCopies) {
  // A line across the view: clipped to one segment run, then mapped by the
  // view matrix.
  const XtGeLine2d line(XtGePoint2d(-5, 5), XtGeVector2d(1, 0));
  view.viewMatrix = XtGeMatrix2d::scaling(2.0);
  GDI::buffer_curve buffer;
  sampleCurvePoints(buffer, &line, {}, nullptr, 1.0, view);
  ASSERT_EQ(buffer.points.length(), 2);
  EXPECT_LT(buffer.points[0].distanceTo(XtGePoint2d(0, 10)), 1e-9);
  EXPECT_LT(buffer.points[1].distanceTo(XtGePoint2d(20, 10)), 1e-9);

  // A U-shaped polyline leaving and re-entering the view gives two runs.
  const CompositePtr u = outline({{2, 2}, {2, 12}, {8, 12}, {8, 2}}, {}, false);
  view.viewMatrix = XtGeMatrix2d();
  GDI::buffer_curve clipped;
  sampleCurvePoints(clipped, u.get(), {}, nullptr, 1.0, view);
  EXPECT_EQ(clipped.runEnds.length(), 2);
  // Plain copies: one run of the whole curve.
  view.plainCopies = true;
  GDI::buffer_curve whole;
  sampleCurvePoints(whole, u.get(), {}, nullptr, 1.0, view);
  EXPECT_EQ(whole.runEnds.length(), 1);
  // Nothing to sample at a scale of zero: the buffer is left empty and invalid.
  view.viewScale = 0.0;
  sampleCurvePoints(buffer, u.get(), {}, nullptr, 1.0, view);
  EXPECT_TRUE(buffer.points.isEmpty());
  EXPECT_EQ(buffer.cacheValid, 0);
}

TEST_F(curveSampling, DashesFollowThePatternAlongEachRun) {
  lineDashPattern dashes;
  dashes.totalLength = 3.0;
  dashes.dashes.append(2.0);
  dashes.dashes.append(1.0);
  dashes.draw.append(1);
  dashes.draw.append(0);
  const XtGeLineSeg2d seg({1, 1}, {9, 1});
  GDI::buffer_curve buffer;
  const GDI::linetypePattern pattern{3.0, 2};
  sampleCurvePoints(buffer, &seg, pattern, &dashes, 1.0, view);
  // 8 units: dashes at 0-2, 3-5, 6-8.
  ASSERT_EQ(buffer.dashPoints.length(), 6);
  EXPECT_LT(buffer.dashPoints[2].distanceTo(XtGePoint2d(4, 1)), 1e-12);
  EXPECT_LT(buffer.dashPoints[5].distanceTo(XtGePoint2d(9, 1)), 1e-12);
  // A pattern finer than half the minimum spacing is not dashed.
  view.minSpacing = 4.0;
  view.viewScale = 0.5;
  sampleCurvePoints(buffer, &seg, pattern, &dashes, 1.0, view);
  EXPECT_TRUE(buffer.dashPoints.isEmpty());
}

TEST(dashSegmentByPattern, PhaseCarriesAcrossStretchesAndBackwardsWalks) {
  lineDashPattern dashes;
  XtGePoint2dArray points;
  dashSegmentByPattern(dashes, {0, 0}, {5, 0}, 0.0, 5.0, 1.0, points);
  ASSERT_EQ(points.length(), 2);  // no pattern: solid
  dashes.totalLength = 2.0;
  dashes.dashes.append(1.0);
  dashes.dashes.append(1.0);
  dashes.draw.append(1);
  dashes.draw.append(0);
  points.removeAll();
  // Positions 1.5 to 4.5: the gap until 2, a dash 2-3, gap, a dash 4-4.5.
  dashSegmentByPattern(dashes, {0, 0}, {3, 0}, 1.5, 4.5, 1.0, points);
  ASSERT_EQ(points.length(), 4);
  EXPECT_DOUBLE_EQ(points[0].x, 0.5);
  EXPECT_DOUBLE_EQ(points[1].x, 1.5);
  EXPECT_DOUBLE_EQ(points[3].x, 3.0);
  // The same stretch given the other way round gives the same dashes.
  XtGePoint2dArray reversed;
  dashSegmentByPattern(dashes, {3, 0}, {0, 0}, 4.5, 1.5, 1.0, reversed);
  ASSERT_EQ(reversed.length(), 4);
  EXPECT_DOUBLE_EQ(reversed[0].x, 0.5);
  // A scale of 2 doubles the pattern.
  points.removeAll();
  dashSegmentByPattern(dashes, {0, 0}, {4, 0}, 0.0, 4.0, 2.0, points);
  EXPECT_EQ(points.length(), 2);
}

TEST_F(curveSampling, ClippingKeepsWhatRunsAlongTheFrame) {
  curvePtrArray pieces;
  clipCurveToFrame(XtGeLineSeg2d({-2, 0}, {12, 0}), view.frame.frame, pieces);
  ASSERT_EQ(pieces.count(), 1);
  EXPECT_NEAR(pieces[0]->length(), 10.0, 1e-9);
  releasePtrArray(pieces);
  clipCurveToFrame(XtGeLineSeg2d({-2, -1}, {12, -1}), view.frame.frame, pieces);
  EXPECT_TRUE(pieces.isEmpty());
  clipCurveToFrame(XtGeRay2d(XtGePoint2d(5, 5), XtGeVector2d(1, 1)), view.frame.frame, pieces);
  ASSERT_EQ(pieces.count(), 1);
  EXPECT_NEAR(pieces[0]->length(), 5.0 * std::sqrt(2.0), 1e-9);
  releasePtrArray(pieces);
}
