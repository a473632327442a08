#include "tests/geometry/curveShapes.h"
#include "geometry/FailureNotice.h"
#include "geometry/curveEdits.h"
#include "geometry/vectorAngles.h"
#include "platform/ge/XtGeEllipArc2d.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace curveShapes;

namespace {
constexpr double kPi = XtGe::kPi;
class curveEdits : public WorkTolerances {
 protected:
  void SetUp() override {
    WorkTolerances::SetUp();
    hvSetFailureNoticeSink([this](const hvFailureNotice& n) { return reports += n.text, IDOK; });
  }
  void TearDown() override { hvSetFailureNoticeSink({}), WorkTolerances::TearDown(); }
  std::u16string reports;
};
}  // namespace

TEST_F(curveEdits, ResizingChangesTheLengthAtOneEndOrRefusesUnchanged) {
  XtGeLineSeg2d seg({0, 0}, {10, 0});
  XtGeLineSeg2d seg2 = seg;
  XtGeCircArc2d arc(XtGePoint2d(0, 0), 2.0, 0.0, 1.0);
  EXPECT_TRUE(entMisc2D::resizeCurve(&seg, 5, false));
  EXPECT_TRUE(entMisc2D::resizeCurve(&seg2, -5, true));
  EXPECT_TRUE(entMisc2D::resizeCurve(&arc, kPi, false));
  EXPECT_EQ(seg.endPoint(), XtGePoint2d(15, 0));
  EXPECT_EQ(seg2.startPoint(), XtGePoint2d(5, 0));
  EXPECT_NEAR(arc.endAng(), 1.0 + kPi / 2, 1e-15);
  // No length to grow along, turned round, past the start, a full turn (the
  // chain offset then has nothing to undo), no curve.
  XtGeLineSeg2d point({1, 1}, {1, 1});
  XtGeCircArc2d small(XtGePoint2d(0, 0), 1.0, 0.0, 6.0);
  EXPECT_FALSE(entMisc2D::resizeCurve(&point, 1, false));
  EXPECT_FALSE(entMisc2D::resizeCurve(&seg2, -5, false));
  EXPECT_FALSE(entMisc2D::resizeCurve(&arc, -3 * kPi, true));
  if (entMisc2D::resizeCurve(&small, 0.5, false)) entMisc2D::resizeCurve(&small, -0.5, false);
  EXPECT_FALSE(entMisc2D::resizeCurve(nullptr, 1, false));
  EXPECT_TRUE(point.endPoint().isFinite());
  EXPECT_EQ(seg2.endPoint(), XtGePoint2d(10, 0));
  EXPECT_NEAR(arc.endAng(), 1.0 + kPi / 2, 1e-15);
  EXPECT_EQ(small.endAng(), 6.0);
  EXPECT_TRUE(reports.empty());
  XtGeEllipArc2d ellipse;
  EXPECT_FALSE(entMisc2D::resizeCurve(&ellipse, 1, false));
  EXPECT_NE(reports.find(u"geBaseShared (1708) entMisc2D::resizeCurve"), std::u16string::npos);
}

TEST_F(curveEdits, TrimmingMovesOneEndAndKeepsTheArcWithinOneTurn) {
  XtGeCircArc2d across(XtGePoint2d(1, 1), 2.0, 1.5 * kPi, 2.5 * kPi);  // across the reference
  EXPECT_TRUE(entMisc2D::trimCurve(&across, XtGePoint2d(1 + std::sqrt(2.0), 1 + std::sqrt(2.0)), true));
  EXPECT_NEAR(across.endAng() - across.startAng(), kPi / 4, 1e-12);
  XtGeCircArc2d cw(XtGePoint2d(0, 0), 1.0, 0.0, kPi, XtGeVector2d::kXAxis, true);
  EXPECT_TRUE(entMisc2D::trimCurve(&cw, XtGePoint2d(0, -1), false));
  EXPECT_TRUE(cw.isClockWise());
  EXPECT_LT(cw.endPoint().distanceTo(XtGePoint2d(0, -1)) + std::fabs(cw.endAng() - kPi / 2), 1e-12);
  XtGeLineSeg2d seg({0, 0}, {4, 0});
  EXPECT_TRUE(trimCurveAtParam(&seg, 0.25, true));
  EXPECT_EQ(seg.startPoint(), XtGePoint2d(1, 0));
  EXPECT_TRUE(entMisc2D::trimCurve(&seg, seg.endPoint(), true));
  EXPECT_EQ(seg.length(), 0.0);
  EXPECT_FALSE(entMisc2D::trimCurve(&cw, XtGePoint2d(std::numeric_limits<double>::quiet_NaN(), 0), true));
  XtGeEllipArc2d ellipse;
  EXPECT_FALSE(entMisc2D::trimCurve(&ellipse, XtGePoint2d(1, 0), true));
  EXPECT_NE(reports.find(u"geBaseShared (1739) entMisc2D::trimCurve"), std::u16string::npos);
}

TEST_F(curveEdits, AnglesMergesAndTransforms) {
  EXPECT_NEAR(signedAngle3d({1, 0}, {0, 1}, false), kPi / 2, 1e-15);
  EXPECT_NEAR(signedAngle3d({1, 0}, {0, 1}, true), 1.5 * kPi, 1e-15);
  const XtGeLineSeg2d a({0, 0}, {1, 0});
  const std::unique_ptr<XtGeLineSeg2d> merged = mergeSameDirectionSegments(&a, piece({1, 0}, {3, 0}).get());
  EXPECT_TRUE(merged && merged->endPoint() == XtGePoint2d(3, 0));
  EXPECT_FALSE(mergeSameDirectionSegments(&a, piece({3, 0}, {1, 0}).get()));
  EXPECT_FALSE(mergeSameDirectionSegments(&a, piece({1, 0}, {3, 0}, 0.1).get()));
  // An L turned a quarter about (1, 1) keeps its area; a composite with an
  // arc cannot follow a non-uniform scale and stays as it was.
  CompositePtr l = outline({{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 3}, {0, 3}});
  EXPECT_TRUE(transformCurveDeep(l.get(), XtGeMatrix2d::rotation(kPi / 2, XtGePoint2d(1, 1))));
  EXPECT_NEAR(closedArea(*l), 6.0, 1e-12);
  EXPECT_LT(l->xtEvalPoint(0).distanceTo(XtGePoint2d(2, 0)), 1e-12);
  CompositePtr rounded = roundedRectangle(0, 0, 4, 2, 0.5);
  const XtGePoint2d mid = rounded->xtEvalPoint(0.3);
  EXPECT_FALSE(transformCurveDeep(rounded.get(), XtGeMatrix2d::scaling(2, 1)));
  EXPECT_FALSE(transformCurveDeep(nullptr, XtGeMatrix2d()));
  EXPECT_EQ(rounded->xtEvalPoint(0.3), mid);
}
