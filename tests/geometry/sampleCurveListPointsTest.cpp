#include "tests/geometry/curveShapes.h"
#include "geometry/releasePtrArray.h"
#include "geometry/sampleCurveListPoints.h"

#include <gtest/gtest.h>

using namespace curveShapes;

namespace {

// A view showing (0, 0)-(10, 10) at scale 1 with the factors 0.5 and 1.5,
// whose sampling box holds it.
class ringSampling : public WorkTolerances {
 protected:
  void SetUp() override {
    WorkTolerances::SetUp();
    view.visibleMax = XtGePoint2d(10, 10);
    view.samplingMin = XtGePoint2d(-5, -5);
    view.samplingMax = XtGePoint2d(15, 15);
    view.samplingValid = true;
    view.plainCopies = true;
  }
  ~ringSampling() override { releasePtrArray(curves); }
  GDI::canvas view;
  GDI::solid item;
  curvePtrArray curves;
};

}  // namespace

TEST_F(ringSampling, RingsFormOnePointListThatReturnsToTheFirstRing) {
  curves.append(box(0, 0, 10, 10).release());
  curves.append(box(3, 3, 7, 7, true).release());
  sampleCurveListPoints(item, view, curves);
  const std::vector<XtGePoint2d> expected{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {3, 3},
                                          {3, 7}, {7, 7},  {7, 3},   {3, 3},  {0, 0}};
  ASSERT_EQ(item.points.length(), 11);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(item.points[i], expected[i]) << i;
  EXPECT_TRUE(item.valid);
  EXPECT_EQ(item.rings.size(), 2u);
  EXPECT_EQ(view.resampleCount, 1);

  // The same view again resamples nothing; a scale beyond the band does.
  sampleCurveListPoints(item, view, curves);
  EXPECT_EQ(view.resampleCount, 1);
  view.viewScale = 3;
  sampleCurveListPoints(item, view, curves);
  EXPECT_EQ(view.resampleCount, 2);
  // Without a valid sampling box the item is never valid: every call samples.
  view.samplingValid = false;
  view.viewScale = 1;
  sampleCurveListPoints(item, view, curves);
  sampleCurveListPoints(item, view, curves);
  EXPECT_EQ(view.resampleCount, 4);
  EXPECT_FALSE(item.valid);
  // A scale that is no scale samples nothing.
  view.viewScale = std::numeric_limits<double>::quiet_NaN();
  sampleCurveListPoints(item, view, curves);
  EXPECT_TRUE(item.points.isEmpty());
  EXPECT_EQ(view.resampleCount, 4);
}

TEST_F(ringSampling, CirclesStayWithinTheChordToleranceAndFramesClip) {
  curves.append(new XtGeCircArc2d({0, 0}, 100));
  item.transform = XtGeMatrix2d::translation({1, 2});
  sampleCurveListPoints(item, view, curves);
  ASSERT_GT(item.points.length(), 8);
  for (int i = 0; i + 1 < item.points.length(); ++i) {
    const XtGePoint2d a = item.points[i] - XtGeVector2d(1, 2);
    const XtGePoint2d b = item.points[i + 1] - XtGeVector2d(1, 2);
    EXPECT_NEAR(a.distanceTo({0, 0}), 100, 1e-9);
    EXPECT_LE(100 - (a + 0.5 * (b - a)).distanceTo({0, 0}), 1.0 + 1e-9);
  }
  releasePtrArray(curves);

  // A frame over x <= 5 clips the square to 5 x 10.
  curves.append(box(0, 0, 10, 10).release());
  view.plainCopies = false;
  ASSERT_TRUE(view.frame.setBox({-1, -1}, {5, 11}));
  item.transform.reset();
  item.valid = false;
  sampleCurveListPoints(item, view, curves);
  ASSERT_EQ(item.rings.size(), 1u);
  EXPECT_NEAR(closedArea(*item.rings[0]), 50.0, 1e-9);
  for (const XtGePoint2d& p : item.points) EXPECT_LE(p.x, 5 + 1e-9);
}

TEST_F(ringSampling, CurveCacheIsDroppedAndItsExtentsMeasuredAgain) {
  GDI::curve preview(std::make_unique<XtGeCircArc2d>(XtGePoint2d(1, 1), 2.0, 0.0, XtGe::kHalfPi));
  preview.paintBuffer()->deviation = 0.5;
  preview.paintBuffer()->cacheValid = 1;
  resetCurveCache(preview);
  EXPECT_EQ(preview.paintBuffer()->deviation, 0.0);
  EXPECT_EQ(preview.paintBuffer()->cacheValid, 0);
  ASSERT_TRUE(preview.extentsValid);
  EXPECT_EQ(preview.extentsMin, XtGePoint2d(1, 1));
  EXPECT_EQ(preview.extentsMax, XtGePoint2d(3, 3));
  GDI::curve empty;
  resetCurveCache(empty);
  EXPECT_FALSE(empty.extentsValid);
}
