#include "tests/geometry/curveShapes.h"
#include "geometry/boundarySet.h"
#include "geometry/curveBoundBlock.h"
#include "geometry/curveExtents.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using namespace curveShapes;

namespace {

class curveExtents : public WorkTolerances {};

constexpr double kDeg = XtGe::kPi / 180.0;

struct box2 {
  XtGePoint2d lo, hi;
};

box2 extentsOf(const XtGeCurve2d& curve) {
  curveExtentsRec rec;
  addCurveExtents(curve, rec, false);
  EXPECT_TRUE(rec.valid);
  return {rec.min, rec.max};
}

box2 blockOf(const XtGeCurve2d& curve) {
  XtGeBoundBlock2d block;
  EXPECT_TRUE(curveBoundBlock(curve, block, false));
  return {block.minPoint(), block.maxPoint()};
}

void expectBox(const box2& b, double x0, double y0, double x1, double y1, double tol) {
  EXPECT_NEAR(b.lo.x, x0, tol);
  EXPECT_NEAR(b.lo.y, y0, tol);
  EXPECT_NEAR(b.hi.x, x1, tol);
  EXPECT_NEAR(b.hi.y, y1, tol);
}

// The box holds every sample of the curve (within rounding) and reaches no
// further than the samples plus `slack` on any side.
void expectTightAround(const box2& b, const XtGeCurve2d& curve, double slack) {
  XtGePoint2dArray points;
  curve.getSamplePoints(10000, points);
  box2 s{points[0], points[0]};
  for (const XtGePoint2d& p : points) {
    s.lo.set(std::min(s.lo.x, p.x), std::min(s.lo.y, p.y));
    s.hi.set(std::max(s.hi.x, p.x), std::max(s.hi.y, p.y));
  }
  const double noise = 1e-12 * (std::abs(s.hi.x) + std::abs(s.hi.y) + 1.0);
  EXPECT_LE(b.lo.x, s.lo.x + noise);
  EXPECT_LE(b.lo.y, s.lo.y + noise);
  EXPECT_GE(b.hi.x, s.hi.x - noise);
  EXPECT_GE(b.hi.y, s.hi.y - noise);
  EXPECT_GE(b.lo.x, s.lo.x - slack);
  EXPECT_GE(b.lo.y, s.lo.y - slack);
  EXPECT_LE(b.hi.x, s.hi.x + slack);
  EXPECT_LE(b.hi.y, s.hi.y + slack);
}

}  // namespace

TEST_F(curveExtents, ArcsAndEllipsesReachTheirRealExtremes) {
  const XtGeCircArc2d upper(XtGePoint2d(0, 0), 1.0, 45 * kDeg, 135 * kDeg);
  const XtGeCircArc2d lower(XtGePoint2d(0, 0), 1.0, 200 * kDeg, 340 * kDeg);
  for (const box2& b : {extentsOf(upper), blockOf(upper)})
    expectBox(b, -std::sqrt(0.5), std::sqrt(0.5), std::sqrt(0.5), 1.0, 1e-12);
  for (const box2& b : {extentsOf(lower), blockOf(lower)})
    expectBox(b, std::cos(200 * kDeg), -1.0, std::cos(340 * kDeg), std::sin(200 * kDeg), 1e-12);

  const XtGeVector2d major(std::cos(30 * kDeg), std::sin(30 * kDeg));
  const XtGeEllipArc2d ellipse(XtGePoint2d(5, 5), major, major.perpVector(), 2.0, 1.0);
  for (const box2& b : {extentsOf(ellipse), blockOf(ellipse)})
    expectBox(b, 5 - std::sqrt(3.25), 5 - std::sqrt(1.75), 5 + std::sqrt(3.25), 5 + std::sqrt(1.75), 1e-9);
}

TEST_F(curveExtents, SeededArcsFarFromTheOriginHoldTheirSamples) {
  std::mt19937 rng(17);
  std::uniform_real_distribution<double> angle(0.0, XtGe::kTwoPi);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int i = 0; i < 40; ++i) {
    const XtGePoint2d centre(1e7 + 1e3 * unit(rng), 1e7 - 1e3 * unit(rng));
    const double r = 1.0 + 500.0 * unit(rng);
    const double start = angle(rng);
    const double end = start + 0.1 + 6.0 * unit(rng);
    const bool clockwise = i % 2 == 1;
    const XtGeVector2d ref(std::cos(angle(rng)), std::sin(angle(rng)));
    const XtGeCircArc2d arc(centre, r, start, end, ref, clockwise);
    const XtGeVector2d major(std::cos(angle(rng)), std::sin(angle(rng)));
    const XtGeVector2d minor = clockwise ? -major.perpVector() : major.perpVector();
    const XtGeEllipArc2d ellipse(centre, major, minor, r, r * (0.1 + unit(rng)), start, end);
    const double slack = 1e-6 * r;
    for (const XtGeCurve2d* curve : {static_cast<const XtGeCurve2d*>(&arc), static_cast<const XtGeCurve2d*>(&ellipse)}) {
      expectTightAround(extentsOf(*curve), *curve, slack);
      expectTightAround(blockOf(*curve), *curve, slack);
    }
  }
}

TEST_F(curveExtents, RecordsSetWidenAndFallBack) {
  // Pieces of a composite widen one another; extend widens a valid record
  // and sets an invalid one.
  curveExtentsRec rec;
  addCurveExtents(*roundedRectangle(0, 0, 4, 2, 1), rec, true);
  ASSERT_TRUE(rec.valid);
  expectBox({rec.min, rec.max}, 0, 0, 4, 2, 1e-9);
  addCurveExtents(XtGePoint2d(-3, 1), rec, true);
  expectBox({rec.min, rec.max}, -3, 0, 4, 2, 1e-9);
  addCurveExtents(XtGeLineSeg2d(XtGePoint2d(9, 8), XtGePoint2d(7, 6)), rec, false);
  expectBox({rec.min, rec.max}, 7, 6, 9, 8, 0.0);

  // An unbounded curve clears valid and keeps the corners.
  addCurveExtents(XtGeLine2d(XtGePoint2d(0, 0), XtGeVector2d(1, 1)), rec, true);
  EXPECT_FALSE(rec.valid);
  EXPECT_EQ(rec.min.x, 7.0);
  addCurveExtents(XtGePoint2d(1, 1), rec, true);
  addCurveExtents(XtGeCompositeCurve2d(), rec, false);
  EXPECT_TRUE(rec.valid);
  expectBox({rec.min, rec.max}, 1, 1, 1, 1, 0.0);

  // A composite without pieces answers false and the dispatcher falls back
  // to the composite's own block; a list block stops at a null entry.
  XtGeBoundBlock2d block;
  pointBoundBlock(XtGePoint2d(1, 2), block, false);
  EXPECT_FALSE(compositeBoundBlock(XtGeCompositeCurve2d(), block, true));
  EXPECT_EQ(block.maxPoint().y, 2.0);
  EXPECT_TRUE(curveBoundBlock(XtGeCompositeCurve2d(), block, true));
  ownedCurveList list;
  EXPECT_FALSE(curveListBoundBlock(list.list, block));
  list.list.append(box(0, 0, 1, 1).release());
  list.list.append(new XtGeCircArc2d(XtGePoint2d(5, 5), 1.0));
  ASSERT_TRUE(curveListBoundBlock(list.list, block));
  expectBox({block.minPoint(), block.maxPoint()}, 0, 0, 6, 6, 1e-12);
  list.list.append(nullptr);
  EXPECT_FALSE(curveListBoundBlock(list.list, block));
}

TEST_F(curveExtents, BoundarySetRecordsAreReadByIndex) {
  struct loopRec {
    XtGeCompositeCurve2d loop;
    int flags;
  };
  std::vector<loopRec> set;
  set.push_back({*box(0, 0, 2, 1), 0});
  set.push_back({XtGeCompositeCurve2d(), 8});
  const auto loopOf = [](const loopRec& r) -> const XtGeCompositeCurve2d& { return r.loop; };
  auto copy = copyBoundaryCurveAt(set, 0, loopOf);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy.get(), &set[0].loop);
  EXPECT_EQ(copy->numCurves(), 4);
  EXPECT_EQ(copyBoundaryCurveAt(set, 2, loopOf), nullptr);
  EXPECT_EQ(boundaryRecordAt(set, 1)->flags, 8);
  EXPECT_EQ(boundaryRecordAt(set, -1), nullptr);
  XtGePoint2d lo, hi;
  ASSERT_TRUE(boundaryRecordCorners(set, 0, loopOf, lo, hi));
  EXPECT_EQ(hi.x, 2.0);
  EXPECT_FALSE(boundaryRecordCorners(set, 1, loopOf, lo, hi));
  EXPECT_FALSE(boundaryRecordCorners(set, 5, loopOf, lo, hi));
}
