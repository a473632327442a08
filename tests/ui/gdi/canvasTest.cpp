#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "ui/gdi/canvas.h"
#include "ui/gdi/viewFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr std::uint64_t kOverrideRed = 0xFFFFFFFF000000FFull;

void expectBox(const XtGeBoundBlock2d& box, double x0, double y0, double x1, double y1) {
  XtGePoint2d lo, hi;
  ASSERT_TRUE(box.getMinMaxPoints(lo, hi));
  EXPECT_NEAR(lo.x, x0, 1e-9);
  EXPECT_NEAR(lo.y, y0, 1e-9);
  EXPECT_NEAR(hi.x, x1, 1e-9);
  EXPECT_NEAR(hi.y, y1, 1e-9);
}

}  // namespace

TEST(canvas, AddCurveKeepsACopyWithItsAttributesAndGrowsTheExtents) {
  const std::int64_t before = GDI::item::liveCount();
  {
    GDI::canvas scene;
    EXPECT_TRUE(scene.extents.isEmpty());
    XtGeLineSeg2d pipe(XtGePoint2d(0, 0), XtGePoint2d(4, 0));
    const double scale = 25.0;
    GDI::curve* added = scene.addCurve(&pipe, kOverrideRed, 3, "ČÁRKOVANÁ", &scale, 42, 0, 1);
    ASSERT_NE(added, nullptr);
    // The workers may replace their layouts: the canvas keeps its own copy.
    pipe.set(XtGePoint2d(100, 100), XtGePoint2d(200, 100));
    ASSERT_NE(added->geCurve.get(), static_cast<XtGeCurve2d*>(&pipe));
    EXPECT_EQ(added->geCurve->type(), XtGe::kLineSeg2d);
    EXPECT_EQ(static_cast<XtGeLineSeg2d*>(added->geCurve.get())->endPoint().x, 4.0);
    EXPECT_EQ(added->colour, kOverrideRed);
    EXPECT_EQ(added->penWidth, 3);
    EXPECT_EQ(added->linetype, "ČÁRKOVANÁ");
    EXPECT_TRUE(added->hasScale);
    EXPECT_EQ(added->scale, 25.0);
    EXPECT_EQ(added->passOn, 42);
    EXPECT_EQ(added->extra[1], 1);
    ASSERT_NE(added->paintBuffer(), nullptr);
    expectBox(scene.extents, 0, 0, 4, 0);

    // A quarter circle around (10, 10) of radius 5, counter-clockwise from 0.
    const XtGeCircArc2d arc(XtGePoint2d(10, 10), 5, 0, std::numbers::pi / 2);
    ASSERT_NE(scene.addCurve(&arc, 7, 1, nullptr, nullptr, 0, 0, 1), nullptr);
    expectBox(scene.extents, 0, 0, 15, 15);
    EXPECT_FALSE(scene.baseLayer.back() == nullptr);
    EXPECT_FALSE(static_cast<GDI::curve*>(scene.baseLayer.back())->hasScale);

    // An unbounded line is kept but adds no extents; no curve adds nothing.
    const XtGeLine2d line(XtGePoint2d(0, 0), XtGeVector2d(1, 1));
    ASSERT_NE(scene.addCurve(&line, 1, 1, "", nullptr, 0, 0, 1), nullptr);
    expectBox(scene.extents, 0, 0, 15, 15);
    EXPECT_EQ(scene.addCurve(nullptr, 1, 1, "", nullptr, 0, 0, 1), nullptr);
    EXPECT_EQ(scene.baseLayer.size(), 3u);

    // Huge coordinates.
    const XtGeLineSeg2d far(XtGePoint2d(-1e7, 2e7), XtGePoint2d(-1e7 + 1, 2e7));
    scene.addCurve(&far, 1, 1, "", nullptr, 0, 0, 1);
    expectBox(scene.extents, -1e7, 0, 15, 2e7);
    EXPECT_EQ(GDI::item::liveCount(), before + 4);
  }
  EXPECT_EQ(GDI::item::liveCount(), before);
}

TEST(viewFrame, FrameIsAClosedRingWhateverTheEdgeOrder) {
  viewFrame box;
  ASSERT_TRUE(box.setBox(XtGePoint2d(0, 0), XtGePoint2d(20, 10)));
  EXPECT_TRUE(box.frame.xtIsClosed());
  EXPECT_EQ(box.frame.numCurves(), 4);
  EXPECT_NEAR(box.frame.length(), 60.0, 1e-9);

  // Edges stored bottom, top, left, right, some running backwards.
  viewFrame shuffled;
  shuffled.edges[0].set(XtGePoint2d(0, 0), XtGePoint2d(20, 0));
  shuffled.edges[1].set(XtGePoint2d(0, 10), XtGePoint2d(20, 10));
  shuffled.edges[2].set(XtGePoint2d(0, 0), XtGePoint2d(0, 10));
  shuffled.edges[3].set(XtGePoint2d(20, 0), XtGePoint2d(20, 10));
  shuffled.data = 9;
  viewFrame copy;
  ASSERT_TRUE(copy.assign(shuffled));
  EXPECT_EQ(copy.data, 9);
  EXPECT_TRUE(copy.frame.xtIsClosed());
  EXPECT_NEAR(copy.frame.length(), 60.0, 1e-9);
  XtGePoint2d start, end;
  for (int i = 0; i + 1 < copy.frame.numCurves(); ++i) {
    ASSERT_TRUE(copy.frame.curveAt(i)->hasEndPoint(end));
    ASSERT_TRUE(copy.frame.curveAt(i + 1)->hasStartPoint(start));
    EXPECT_TRUE(end.isEqualTo(start));
  }

  // Edges that do not close give an empty frame.
  viewFrame broken = shuffled;
  broken.edges[3].set(XtGePoint2d(30, 0), XtGePoint2d(30, 10));
  EXPECT_FALSE(broken.rebuildFrame());
  EXPECT_EQ(broken.frame.numCurves(), 0);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(broken.setBox(XtGePoint2d(nan, 0), XtGePoint2d(1, 1)));

  GDI::canvas scene;
  scene.frame = copy;
  EXPECT_TRUE(scene.frame.frame.xtIsClosed());
}
