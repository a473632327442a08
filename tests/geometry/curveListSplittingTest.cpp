#include "curveShapes.h"
#include "geometry/curveListSplitting.h"
#include "geometry/releasePtrArray.h"

#include <gtest/gtest.h>

using namespace curveShapes;

namespace {
class curveListSplitting : public WorkTolerances {};

double lengthOf(const curvePtrArray& list) {
  double total = 0.0;
  for (const XtGeCurve2d* c : list) total += c->length();
  return total;
}
}  // namespace

TEST_F(curveListSplitting, QuadrantsStripsAndMutualIntersections) {
  curvePtrArray list;
  list.append(new XtGeCircArc2d(XtGePoint2d(0, 0), 1.0, 0.0, XtGe::kPi));  // quadrant at pi/2
  list.append(new XtGeLineSeg2d({-1, -1}, {1, 1}));
  const double before = lengthOf(list);
  splitArcsAtQuadrants(list);
  EXPECT_EQ(list.count(), 3);
  EXPECT_NEAR(lengthOf(list), before, 1e-9);

  splitCurvesIntoStrips(list);  // lines at x = -1, 0, 1: the segment is cut at 0
  EXPECT_EQ(list.count(), 4);
  for (const XtGeCurve2d* c : list) {
    const XtGeBoundBlock2d box = c->orthoBoundBlock();
    EXPECT_TRUE(box.maxPoint().x <= 1e-9 || box.minPoint().x >= -1e-9);
  }
  EXPECT_NEAR(lengthOf(list), before, 1e-9);
  releasePtrArray(list);

  // Two crossing segments and a third whose end touches one of them.
  list.append(new XtGeLineSeg2d({0, 0}, {4, 4}));
  list.append(new XtGeLineSeg2d({0, 4}, {4, 0}));
  list.append(new XtGeLineSeg2d({1, 0}, {1, 1}));
  list.append(new XtGeLineSeg2d({7, 7}, {7, 7}));
  splitCurvesAtMutualIntersections(list, false, nullptr);
  // The zero-length one is gone, the crossing cuts two, the touching end one more.
  EXPECT_EQ(list.count(), 6);
  releasePtrArray(list);
  list.append(new XtGeLineSeg2d({0, 0}, {4, 4}));
  list.append(new XtGeLineSeg2d({0, 4}, {4, 0}));
  XtGePoint2dArray keep;
  keep.append(XtGePoint2d(2, 2));
  splitCurvesAtMutualIntersections(list, true, &keep);
  EXPECT_EQ(list.count(), 2);
  releasePtrArray(list);

  list.append(new XtGeLineSeg2d({0, 0}, {1, 0}));
  wrapCurvesInComposites(list);
  ASSERT_EQ(list[0]->type(), XtGe::kCompositeCrv2d);
  EXPECT_EQ(static_cast<XtGeCompositeCurve2d*>(list[0])->numCurves(), 1);
  releasePtrArray(list);
}
