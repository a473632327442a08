#include "tests/geometry/curveShapes.h"
#include "geometry/clipCurveToFrame.h"
#include "geometry/releasePtrArray.h"
#include "geometry/sampleCurvePoints.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeMatrix2d.h"

#include <gtest/gtest.h>

using namespace curveShapes;

namespace {

// A view of the box (0, 0)-(10, 10) sampled at a deviation of 0.01.
class curveSampling : public WorkTolerances {
 protected:
  void SetUp() override {
    WorkTolerances::SetUp();
    view.viewScale = 0.01;
    view.visibleMax = XtGePoint2d(10, 10);
    ASSERT_TRUE(view.frame.setBox(view.visibleMin, view.visibleMax));
  }
  GDI::canvas view;
};

}  // namespace

TEST_F(curveSampling, CircleIsSampledOnItselfWithinTheDeviationAndClipped) {
  // A circle about a corner of the view: a quarter of it is visible.
  const XtGeCircArc2d circle(XtGePoint2d(10, 10), 4.0);
  GDI::buffer_curve buffer;
  sampleCurvePoints(buffer, &circle, {}, nullptr, 1.0, view);
  EXPECT_DOUBLE_EQ(buffer.deviation, 0.01);
  ASSERT_EQ(buffer.runEnds.length(), 1);
  ASSERT_GT(buffer.points.length(), 10);
  EXPECT_EQ(buffer.runEnds[0], buffer.points.length());
  for (int i = 0; i < buffer.points.length(); ++i) {
    const XtGePoint2d& p = buffer.points[i];
    EXPECT_NEAR(p.distanceTo(circle.center()), 4.0, 1e-9);
    EXPECT_TRUE(p.x >= -1e-9 && p.x <= 10 + 1e-9 && p.y >= -1e-9 && p.y <= 10 + 1e-9);
    if (i + 1 == buffer.points.length()) continue;
    const double half = 0.5 * p.distanceTo(buffer.points[i + 1]);
    EXPECT_LE(4.0 - std::sqrt(16.0 - half * half), 0.01);  // the chord's sagitta
  }
  // From one edge of the view to the other.
  EXPECT_NEAR(buffer.points[0].distanceTo({10, 6}) * buffer.points[0].distanceTo({6, 10}), 0.0, 1e-9);
  EXPECT_EQ(view.resampleCount, 1);
}

TEST_F(curveSampling, StillValidSamplingIsKeptAndChangesResample) {
  GDI::curve item(std::unique_ptr<XtGeCurve2d>(roundedRectangle(2, 2, 6, 4, 1)->copy()));
  sampleCurvePoints(item, view);
  const int points = item.paintBuffer()->points.length();
  // Again, at a scale within the band, and for a view inside the sampled one.
  sampleCurvePoints(item, view);
  view.viewScale = 0.012;
  view.visibleMin = XtGePoint2d(1, 1);
  view.visibleMax = XtGePoint2d(9, 9);
  sampleCurvePoints(item, view);
  EXPECT_EQ(view.resampleCount, 1);
  EXPECT_EQ(item.paintBuffer()->points.length(), points);
  // Zoomed out past the band, then panned: sampled again each time.
  view.viewScale = 0.05;
  sampleCurvePoints(item, view);
  view.visibleMin = XtGePoint2d(-5, 0);
  sampleCurvePoints(item, view);
  EXPECT_EQ(view.resampleCount, 3);
}

TEST_F(curveSampling, RunsPerVisiblePieceTransformedOrPlainCopies) {
  // A line across the view becomes one clipped segment, mapped by the matrix.
  view.viewMatrix = XtGeMatrix2d::scaling(2.0);
  GDI::buffer_curve line;
  sampleCurvePoints(line, std::make_unique<XtGeLine2d>(XtGePoint2d(-5, 5), XtGeVector2d(1, 0)).get(), {},
                    nullptr, 1.0, view);
  ASSERT_EQ(line.points.length(), 2);
  EXPECT_LT(line.points[0].distanceTo({0, 10}), 1e-9);
  EXPECT_LT(line.points[1].distanceTo({20, 10}), 1e-9);
  // A U leaving and re-entering the view gives two runs; a plain copy one.
  view.viewMatrix = XtGeMatrix2d();
  const CompositePtr u = outline({{2, 2}, {2, 12}, {8, 12}, {8, 2}}, {}, false);
  GDI::buffer_curve clipped;
  GDI::buffer_curve whole;
  sampleCurvePoints(clipped, u.get(), {}, nullptr, 1.0, view);
  view.plainCopies = true;
  sampleCurvePoints(whole, u.get(), {}, nullptr, 1.0, view);
  EXPECT_EQ(clipped.runEnds.length(), 2);
  EXPECT_EQ(whole.runEnds.length(), 1);
  // A scale of zero samples nothing and leaves the buffer invalid.
  view.viewScale = 0.0;
  sampleCurvePoints(whole, u.get(), {}, nullptr, 1.0, view);
  EXPECT_TRUE(whole.points.isEmpty());
  EXPECT_EQ(whole.cacheValid, 0);
}

TEST_F(curveSampling, DashesFollowThePatternAlongEachRun) {
  lineDashPattern dashes;
  dashes.totalLength = 3.0;
  dashes.dashes.append(2.0);
  dashes.dashes.append(1.0);
  dashes.draw.append(1);
  dashes.draw.append(0);
  const XtGeLineSeg2d seg({1, 1}, {9, 1});
  const GDI::linetypePattern pattern{3.0, 2};
  GDI::buffer_curve buffer;
  sampleCurvePoints(buffer, &seg, pattern, &dashes, 1.0, view);
  ASSERT_EQ(buffer.dashPoints.length(), 6);  // dashes at 0-2, 3-5, 6-8
  EXPECT_LT(buffer.dashPoints[2].distanceTo({4, 1}), 1e-12);
  EXPECT_LT(buffer.dashPoints[5].distanceTo({9, 1}), 1e-12);
  // A pattern finer than half the view's minimum spacing is not dashed.
  view.minSpacing = 4.0;
  view.viewScale = 0.5;
  sampleCurvePoints(buffer, &seg, pattern, &dashes, 1.0, view);
  EXPECT_TRUE(buffer.dashPoints.isEmpty());

  // The phase carries over between stretches, either way round and scaled.
  XtGePoint2dArray points;
  XtGePoint2dArray reversed;
  dashes.dashes[0] = 1.0;
  dashes.totalLength = 2.0;
  dashSegmentByPattern(dashes, {0, 0}, {3, 0}, 1.5, 4.5, 1.0, points);
  dashSegmentByPattern(dashes, {3, 0}, {0, 0}, 4.5, 1.5, 1.0, reversed);
  ASSERT_EQ(points.length(), 4);  // gap to 2, dash 2-3, gap, dash 4-4.5
  EXPECT_DOUBLE_EQ(points[0].x, 0.5);
  EXPECT_DOUBLE_EQ(points[3].x, 3.0);
  EXPECT_EQ(reversed.length(), 4);
  EXPECT_DOUBLE_EQ(reversed[0].x, 0.5);
  points.removeAll();
  dashSegmentByPattern(dashes, {0, 0}, {4, 0}, 0.0, 4.0, 2.0, points);
  EXPECT_EQ(points.length(), 2);
  points.removeAll();
  dashSegmentByPattern(lineDashPattern(), {0, 0}, {4, 0}, 0.0, 4.0, 1.0, points);
  EXPECT_EQ(points.length(), 2);  // no pattern: solid
}
