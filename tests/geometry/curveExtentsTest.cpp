#include "tests/geometry/curveShapes.h"
#include "geometry/boundarySet.h"
#include "geometry/curveBoundBlock.h"
#include "geometry/curveExtents.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLine2d.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

using namespace curveShapes;

namespace {

class curveExtents : public WorkTolerances {};

// The curve's box by addCurveExtents and by curveBoundBlock, as
// {min x, min y, max x, max y}.
std::array<std::array<double, 4>, 2> boxesOf(const XtGeCurve2d& curve) {
  curveExtentsRec rec;
  addCurveExtents(curve, rec, false);
  EXPECT_TRUE(rec.valid);
  XtGeBoundBlock2d block;
  EXPECT_TRUE(curveBoundBlock(curve, block, false));
  const XtGePoint2d lo = block.minPoint(), hi = block.maxPoint();
  return {{{rec.min.x, rec.min.y, rec.max.x, rec.max.y}, {lo.x, lo.y, hi.x, hi.y}}};
}

}  // namespace

TEST_F(curveExtents, SeededArcsFarFromTheOriginHoldTheirSamples) {
  std::mt19937 rng(17);
  std::uniform_real_distribution<double> angle(0.0, XtGe::kTwoPi), unit(0.0, 1.0);
  for (int i = 0; i < 40; ++i) {
    const XtGePoint2d centre(1e7 + 1e3 * unit(rng), 1e7 - 1e3 * unit(rng));
    const double r = 1.0 + 500.0 * unit(rng), start = angle(rng), end = start + 0.1 + 6.0 * unit(rng);
    const XtGeVector2d ref(std::cos(angle(rng)), std::sin(angle(rng)));
    const XtGeVector2d minor = i % 2 ? -ref.perpVector() : ref.perpVector();
    const XtGeCircArc2d arc(centre, r, start, end, ref, i % 2 == 1);
    const XtGeEllipArc2d ellipse(centre, ref, minor, r, r * (0.1 + unit(rng)), start, end);
    for (const XtGeCurve2d* curve : {static_cast<const XtGeCurve2d*>(&arc), static_cast<const XtGeCurve2d*>(&ellipse)}) {
      // Every sample lies in the box (within rounding); the box reaches no
      // further than the samples plus 1e-6 of the radius.
      XtGePoint2dArray points;
      curve->getSamplePoints(10000, points);
      std::array<double, 4> s{points[0].x, points[0].y, points[0].x, points[0].y};
      for (const XtGePoint2d& p : points)
        s = {std::min(s[0], p.x), std::min(s[1], p.y), std::max(s[2], p.x), std::max(s[3], p.y)};
      for (const auto& b : boxesOf(*curve))
        for (int k = 0; k < 4; ++k) {
          const double outward = k < 2 ? s[k] - b[k] : b[k] - s[k];
          EXPECT_GE(outward, -1e-12 * 1e7);
          EXPECT_LE(outward, 1e-6 * r);
        }
    }
  }
}

TEST_F(curveExtents, RecordsSetWidenAndFallBack) {
  curveExtentsRec rec;
  addCurveExtents(*roundedRectangle(0, 0, 4, 2, 1), rec, true);  // not valid yet: set
  addCurveExtents(XtGePoint2d(-3, 1), rec, true);
  EXPECT_TRUE(rec.valid && rec.min.isEqualTo(XtGePoint2d(-3, 0), workTol) && rec.max.isEqualTo(XtGePoint2d(4, 2), workTol));
  addCurveExtents(XtGeLineSeg2d(XtGePoint2d(9, 8), XtGePoint2d(7, 6)), rec, false);
  EXPECT_EQ(rec.min, XtGePoint2d(7, 6));
  // An unbounded curve clears valid and keeps the corners; an empty
  // composite leaves the record.
  addCurveExtents(XtGeLine2d(XtGePoint2d(0, 0), XtGeVector2d(1, 1)), rec, true);
  EXPECT_TRUE(!rec.valid && rec.min == XtGePoint2d(7, 6));
  addCurveExtents(XtGePoint2d(1, 1), rec, true);
  addCurveExtents(XtGeCompositeCurve2d(), rec, false);
  EXPECT_TRUE(rec.valid && rec.max == XtGePoint2d(1, 1));

  // A composite without pieces answers false; the dispatcher falls back.
  XtGeBoundBlock2d block;
  pointBoundBlock(XtGePoint2d(1, 2), block, false);
  EXPECT_FALSE(compositeBoundBlock(XtGeCompositeCurve2d(), block, true));
  EXPECT_TRUE(curveBoundBlock(XtGeCompositeCurve2d(), block, true) && block.maxPoint() == XtGePoint2d(1, 2));
  ownedCurveList list;
  EXPECT_FALSE(curveListBoundBlock(list.list, block));
  list.list.append(box(0, 0, 1, 1).release());
  list.list.append(new XtGeCircArc2d(XtGePoint2d(5, 5), 1.0));
  EXPECT_TRUE(curveListBoundBlock(list.list, block) && block.minPoint() == XtGePoint2d(0, 0) &&
              block.maxPoint() == XtGePoint2d(6, 6));
  list.list.append(nullptr);
  EXPECT_FALSE(curveListBoundBlock(list.list, block));
}
