#include "tests/geometry/curveShapes.h"
#include "geometry/releasePtrArray.h"
#include "geometry/removeZeroLengthCurves.h"
#include "geometry/segmentRuns.h"

#include <gtest/gtest.h>

#include <random>

using namespace curveShapes;

namespace {

class segmentRuns : public WorkTolerances {};

curvePtrArray polyline(const std::vector<XtGePoint2d>& points, const std::vector<double>& bulges = {}) {
  curvePtrArray list;
  for (std::size_t i = 0; i + 1 < points.size(); ++i)
    list.append(piece(points[i], points[i + 1], i < bulges.size() ? bulges[i] : 0.0).release());
  return list;
}

// The largest distance from sample points of `from` to the curves of `to`.
double directedDistance(const curvePtrArray& from, const curvePtrArray& to) {
  double worst = 0.0;
  for (const XtGeCurve2d* c : from) {
    XtGePoint2dArray pts;
    c->getSamplePoints(41, pts);
    for (const XtGePoint2d& p : pts) {
      double nearest = 1e300;
      for (const XtGeCurve2d* d : to) nearest = std::min(nearest, d->distanceTo(p));
      worst = std::max(worst, nearest);
    }
  }
  return worst;
}

XtGePoint2d startOf(const XtGeCurve2d* c) {
  XtGePoint2d p;
  c->hasStartPoint(p);
  return p;
}

XtGePoint2d endOf(const XtGeCurve2d* c) {
  XtGePoint2d p;
  c->hasEndPoint(p);
  return p;
}

}  // namespace

TEST_F(segmentRuns, StaysWithinTheToleranceAndKeepsArcsAndRunEnds) {
  std::mt19937 rng(11);
  std::normal_distribution<double> noise(0.0, 0.004);
  const XtGeTol tol(0.01, 1e-8);
  for (int k = 0; k < 10; ++k) {
    // A noisy wave of 60 short segments with an arc as piece 30.
    std::vector<XtGePoint2d> pts;
    for (int i = 0; i <= 60; ++i) pts.emplace_back(1e6 * (k % 2) + i * 0.1, std::sin(i * 0.05 * k) + noise(rng));
    std::vector<double> bulges(61, 0.0);
    bulges[30] = 0.3;
    curvePtrArray list = polyline(pts, bulges);
    curvePtrArray original;
    for (const XtGeCurve2d* c : list) original.append(c->copy());
    simplifySegmentRuns(list, tol);
    EXPECT_LT(list.count(), original.count());
    EXPECT_LE(directedDistance(list, original), tol.equalPoint() * (1 + 1e-9));
    EXPECT_LE(directedDistance(original, list), tol.equalPoint() * (1 + 1e-9));
    EXPECT_EQ(startOf(list[0]).y, pts.front().y);
    EXPECT_EQ(endOf(list[list.count() - 1]).y, pts.back().y);
    int arcs = 0;
    for (int i = 1; i + 1 < list.count(); ++i) {
      if (list[i]->type() != XtGe::kCircArc2d) continue;
      ++arcs;
      EXPECT_LT(endOf(list[i - 1]).distanceTo(pts[30]), 1e-12);
      EXPECT_LT(startOf(list[i + 1]).distanceTo(pts[31]), 1e-12);
    }
    EXPECT_EQ(arcs, 1);
    releasePtrArray(list);
    releasePtrArray(original);
  }
}

TEST_F(segmentRuns, RectanglesCollinearPairsAndGaps) {
  // A closed rectangle with extra midpoints merges to its four sides.
  curvePtrArray list = polyline({{0, 0}, {1, 0}, {2, 0}, {2, 0.5}, {2, 1}, {1, 1}, {0, 1}, {0, 0.5}, {0, 0}});
  simplifySegmentRuns(list, workTol);
  ASSERT_EQ(list.count(), 4);
  const XtGePoint2d corners[] = {{0, 0}, {2, 0}, {2, 1}, {0, 1}};
  for (int i = 0; i < 4; ++i) EXPECT_LT(startOf(list[i]).distanceTo(corners[i]), 1e-12);
  releasePtrArray(list);
  // An open polyline of two collinear segments becomes one segment.
  list = polyline({{0, 0}, {1, 0}, {3, 0}});
  simplifySegmentRuns(list, workTol);
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(endOf(list[0]).x, 3.0);
  releasePtrArray(list);
  // A segment between two arcs, and a single segment, stay as they are.
  list = polyline({{0, 0}, {1, 0}, {2, 0}, {3, 0}}, {0.2, 0.0, 0.2});
  XtGeCurve2d* middle = list[1];
  simplifySegmentRuns(list, workTol);
  EXPECT_EQ(list[1], middle);
  releasePtrArray(list);
  // Runs that do not meet are never bridged.
  list = polyline({{0, 0}, {1, 0}, {2, 0}});
  list.append(new XtGeLineSeg2d({2, 1}, {3, 1}));
  list.append(new XtGeLineSeg2d({3, 1}, {4, 1}));
  simplifySegmentRuns(list, workTol);
  EXPECT_EQ(list.count(), 2);
  releasePtrArray(list);
}

TEST_F(segmentRuns, DouglasPeuckerAtTheToleranceAndOnLongRuns) {
  const XtGeTol tol(0.25, 1e-8);
  std::vector<runVertex> v{{{0, 0}}, {{1, 0.25}}, {{2, 0}}};
  simplifyPolylineDP(v, tol);
  EXPECT_EQ(v.size(), 2u);  // exactly at the tolerance: dropped
  v = {{{0, 0}}, {{1, 0.2500001}}, {{2, 0}}};
  simplifyPolylineDP(v, tol);
  EXPECT_EQ(v.size(), 3u);
  // A zigzag whose every vertex stays: each split peels one vertex off.
  v.clear();
  for (int i = 0; i <= 4000; ++i) v.push_back({{double(i), double(i % 2)}});
  simplifyPolylineDP(v, XtGeTol(0.1, 1e-8));
  EXPECT_EQ(v.size(), 4001u);

  EXPECT_DOUBLE_EQ(pointToChordDistance({1, 1}, {0, 0}, {2, 0}, tol), 1.0);
  EXPECT_DOUBLE_EQ(pointToChordDistance({3, 0}, {0, 0}, {2, 0}, tol), 1.0);
  EXPECT_DOUBLE_EQ(pointToChordDistance({0, 3}, {0, 0}, {0.1, 0}, tol), std::hypot(0.05, 3.0));
  segmentRun single(kRunOfSegments);
  single.pieces.append(new XtGeLineSeg2d({0, 0}, {1, 0}));
  EXPECT_FALSE(runToVertices(single, v));
}

TEST_F(segmentRuns, ZeroLengthCurvesGoAlsoUnderZeroTolerances) {
  // The one-vertex polyline and the joins that meet in one point give
  // segments of no length; they go whatever the tolerance, also when the
  // host gives no unit factor and workTol is zero.
  for (const double ep : {1e-6, 0.0}) {
    SCOPED_TRACE(ep);
    workTol = XtGeTol(ep, ep * 1e-2);
    curvePtrArray list;
    list.append(new XtGeLineSeg2d({1e7, 1e7}, {1e7, 1e7}));
    list.append(new XtGeLineSeg2d({0, 0}, {1, 0}));
    list.append(new XtGeCircArc2d({2, 2}, 0.0));
    EXPECT_EQ(removeZeroLengthCurves(list), 2);
    ASSERT_EQ(list.count(), 1);
    EXPECT_DOUBLE_EQ(list[0]->length(), 1.0);
    releasePtrArray2(list);
  }
}
