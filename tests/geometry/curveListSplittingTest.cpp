#include "tests/geometry/curveShapes.h"
#include "geometry/curveListSplitting.h"
#include "geometry/releasePtrArray.h"

#include <gtest/gtest.h>

using namespace curveShapes;

namespace {
class curveListSplitting : public WorkTolerances {};
}  // namespace

TEST_F(curveListSplitting, QuadrantsStripsAndMutualIntersections) {
  curvePtrArray list;
  list.append(new XtGeCircArc2d(XtGePoint2d(0, 0), 1.0, 0.0, XtGe::kPi));  // turns at pi / 2
  list.append(new XtGeLineSeg2d({-1, -1}, {1, 1}));
  splitArcsAtQuadrants(list);
  EXPECT_EQ(list.count(), 3);
  splitCurvesIntoStrips(list);  // lines at x = -1, 0, 1 cut the segment at 0
  ASSERT_EQ(list.count(), 4);
  double length = 0.0;
  for (const XtGeCurve2d* c : list) {
    length += c->length();
    EXPECT_TRUE(c->orthoBoundBlock().maxPoint().x <= 1e-9 || c->orthoBoundBlock().minPoint().x >= -1e-9);
  }
  EXPECT_NEAR(length, XtGe::kPi + 2.0 * std::sqrt(2.0), 1e-9);
  wrapCurvesInComposites(list);
  EXPECT_EQ(list[0]->type(), XtGe::kCompositeCrv2d);
  releasePtrArray(list);

  // Crossing diagonals, a segment touching one with its end, a curve of no
  // length; then the crossing point excluded.
  for (const bool exclude : {false, true}) {
    list.append(new XtGeLineSeg2d({0, 0}, {4, 4}));
    list.append(new XtGeLineSeg2d({0, 4}, {4, 0}));
    list.append(new XtGeLineSeg2d({7, 7}, {7, 7}));
    XtGePoint2dArray keep;
    keep.append(XtGePoint2d(2, 2));
    splitCurvesAtMutualIntersections(list, true, exclude ? &keep : nullptr);
    EXPECT_EQ(list.count(), exclude ? 2 : 4);
    releasePtrArray(list);
  }
}
