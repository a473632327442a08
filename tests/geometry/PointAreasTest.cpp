#include "geometry/FailureNotice.h"
#include "geometry/PointAreas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

XtGePoint2dArray loop(std::initializer_list<XtGePoint2d> points) {
  XtGePoint2dArray result;
  for (const XtGePoint2d& p : points) result.append(p);
  return result;
}

XtGePoint2dArray shifted(const XtGePoint2dArray& points, double dx, double dy) {
  XtGePoint2dArray result;
  for (const XtGePoint2d& p : points) result.append(XtGePoint2d(p.x + dx, p.y + dy));
  return result;
}

const XtGeTol kTol(1e-6, 1e-8);

}  // namespace

TEST(getPointsArea, ShapesPeopleDrawAnywhereInTheDrawing) {
  // An L of 6 x 4 with a 4 x 2 notch, and a U: 10 x 6 minus a 6 x 4 slot.
  const XtGePoint2dArray lShape = loop({{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 4}, {0, 4}});
  const XtGePoint2dArray uShape =
      loop({{0, 0}, {10, 0}, {10, 6}, {8, 6}, {8, 2}, {2, 2}, {2, 6}, {0, 6}});
  const XtGePoint2dArray corridor = loop({{0, 0}, {5000, 0}, {5000, 0.01}, {0, 0.01}});
  for (double offset : {0.0, 1e7, -3.5e6}) {
    EXPECT_NEAR(getPointsArea(shifted(lShape, offset, offset)), 16.0, 1e-6);
    EXPECT_NEAR(getPointsArea(shifted(uShape, offset, -offset)), 36.0, 1e-6);
    EXPECT_NEAR(getPointsArea(shifted(corridor, offset, 0)), 50.0, 1e-6);
  }
  const XtGePoint2dArray tiny = loop({{0, 0}, {1e-6, 0}, {1e-6, 1e-6}, {0, 1e-6}});
  EXPECT_NEAR(getPointsArea(tiny), 1e-12, 1e-24);
}

TEST(getPointsArea, DegenerateAndBadInput) {
  std::vector<hvFailureNotice> notices;
  hvSetFailureNoticeSink([&](const hvFailureNotice& n) {
    notices.push_back(n);
    return IDOK;
  });
  EXPECT_TRUE(getPointsArea(XtGePoint2dArray()) == 0.0 && getPointsArea(loop({{0, 0}, {5, 5}})) == 0.0);
  EXPECT_TRUE(notices.empty());
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(getPointsArea(loop({{0, 0}, {1, 0}, {nan, 1}})), 0.0);
  hvSetFailureNoticeSink({});
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].text.find(u"geBound (18) getPointsArea"), std::u16string::npos);
}

TEST(triangleArea, RightTriangleAndDegenerateCases) {
  EXPECT_DOUBLE_EQ(triangleArea({0, 0}, {2, 0}, {0, 3}, kTol), 3.0);
  EXPECT_NEAR(triangleArea({1e7, 1e7}, {1e7 + 2, 1e7}, {1e7, 1e7 + 3}, kTol), 3.0, 1e-6);
  EXPECT_NEAR(triangleArea({0, 3}, {2, 0}, {0, 0}, kTol), 3.0, 1e-12);
  EXPECT_EQ(triangleArea({0, 0}, {0, 0}, {0, 3}, kTol), 0.0);
  EXPECT_EQ(triangleArea({0, 0}, {2, 0}, {2, 1e-7}, kTol), 0.0);
  EXPECT_NEAR(triangleArea({0, 0}, {2, 0}, {5, 0}, kTol), 0.0, 1e-15);
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(triangleArea({0, 0}, {2, 0}, {inf, 1}, kTol), 0.0);
}
