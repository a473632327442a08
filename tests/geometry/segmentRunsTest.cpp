#include "curveShapes.h"
#include "geometry/releasePtrArray.h"
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

// The largest distance from points along the curves of `from` to the curves of `to`.
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

int countOfType(const curvePtrArray& list, int type) {
  int n = 0;
  for (const XtGeCurve2d* c : list) n += c->type() == type ? 1 : 0;
  return n;
}

}  // namespace

TEST_F(segmentRuns, StaysWithinTheToleranceAndKeepsArcsAndRunEnds) {
  std::mt19937 rng(11);
  std::normal_distribution<double> noise(0.0, 0.004);
  const XtGeTol tol(0.01, 1e-8);
  for (int k = 0; k < 10; ++k) {
    // A wavy line of 60 short segments with an arc in the middle.
    std::vector<XtGePoint2d> pts;
    std::vector<double> bulges;
    for (int i = 0; i <= 60; ++i) {
      pts.emplace_back(1e6 * (k % 2) + i * 0.1, std::sin(i * 0.05 * k) + noise(rng));
      bulges.push_back(i == 30 ? 0.3 : 0.0);
    }
    curvePtrArray list = polyline(pts, bulges);
    curvePtrArray original;
    for (const XtGeCurve2d* c : list) original.append(c->copy());
    simplifySegmentRuns(list, tol);
    EXPECT_LT(list.count(), original.count());
    EXPECT_EQ(countOfType(list, XtGe::kCircArc2d), 1);
    EXPECT_LE(directedDistance(list, original), tol.equalPoint() * (1 + 1e-9));
    EXPECT_LE(directedDistance(original, list), tol.equalPoint() * (1 + 1e-9));
    // The ends of the whole line and of both runs around the arc stay.
    XtGePoint2d p;
    list[0]->hasStartPoint(p);
    EXPECT_EQ(p.x, pts.front().x);
    EXPECT_EQ(p.y, pts.front().y);
    list[list.count() - 1]->hasEndPoint(p);
    EXPECT_EQ(p.y, pts.back().y);
    for (int i = 0; i < list.count(); ++i) {
      if (list[i]->type() != XtGe::kCircArc2d) continue;
      ASSERT_GT(i, 0);
      ASSERT_LT(i, list.count() - 1);
      list[i - 1]->hasEndPoint(p);
      EXPECT_LT(p.distanceTo(pts[30]), 1e-12);
      list[i + 1]->hasStartPoint(p);
      EXPECT_LT(p.distanceTo(pts[31]), 1e-12);
    }
    releasePtrArray(list);
    releasePtrArray(original);
  }
}

TEST_F(segmentRuns, RectangleWithMidpointsBecomesFourSides) {
  curvePtrArray list = polyline({{0, 0}, {1, 0}, {2, 0}, {2, 0.5}, {2, 1}, {1, 1}, {0, 1}, {0, 0.5}, {0, 0}});
  simplifySegmentRuns(list, workTol);
  ASSERT_EQ(list.count(), 4);
  const XtGePoint2d corners[] = {{0, 0}, {2, 0}, {2, 1}, {0, 1}};
  for (int i = 0; i < 4; ++i) {
    XtGePoint2d p;
    list[i]->hasStartPoint(p);
    EXPECT_LT(p.distanceTo(corners[i]), 1e-12);
  }
  releasePtrArray(list);
}

TEST_F(segmentRuns, TwoCollinearSegmentsBecomeOne) {
  curvePtrArray list = polyline({{0, 0}, {1, 0}, {3, 0}});
  simplifySegmentRuns(list, workTol);
  ASSERT_EQ(list.count(), 1);
  XtGePoint2d s;
  XtGePoint2d e;
  list[0]->hasStartPoint(s);
  list[0]->hasEndPoint(e);
  EXPECT_EQ(s.x, 0.0);
  EXPECT_EQ(e.x, 3.0);
  releasePtrArray(list);

  // One segment, or one segment between two arcs, stays as it is.
  list = polyline({{0, 0}, {1, 0}});
  XtGeCurve2d* only = list[0];
  simplifySegmentRuns(list, workTol);
  EXPECT_EQ(list[0], only);
  releasePtrArray(list);
  list = polyline({{0, 0}, {1, 0}, {2, 0}, {3, 0}}, {0.2, 0.0, 0.2});
  XtGeCurve2d* middle = list[1];
  simplifySegmentRuns(list, workTol);
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list[1], middle);
  releasePtrArray(list);
}

TEST_F(segmentRuns, GapsSplitRunsAndVertexExactlyAtTheTolerance) {
  // Two runs that do not meet are never bridged.
  curvePtrArray list = polyline({{0, 0}, {1, 0}, {2, 0}});
  list.append(new XtGeLineSeg2d({2, 1}, {3, 1}));
  list.append(new XtGeLineSeg2d({3, 1}, {4, 1}));
  simplifySegmentRuns(list, workTol);
  ASSERT_EQ(list.count(), 2);
  releasePtrArray(list);

  const XtGeTol tol(0.25, 1e-8);
  std::vector<runVertex> v{{{0, 0}}, {{1, 0.25}}, {{2, 0}}};
  simplifyPolylineDP(v, tol);
  EXPECT_EQ(v.size(), 2u);  // not farther than the tolerance
  v = {{{0, 0}}, {{1, 0.2500001}}, {{2, 0}}};
  simplifyPolylineDP(v, tol);
  EXPECT_EQ(v.size(), 3u);
  v = {{{0, 0}}, {{5, 5}}};
  simplifyPolylineDP(v, tol);
  EXPECT_EQ(v.size(), 2u);

  EXPECT_DOUBLE_EQ(pointToChordDistance({1, 1}, {0, 0}, {2, 0}, tol), 1.0);
  EXPECT_DOUBLE_EQ(pointToChordDistance({3, 0}, {0, 0}, {2, 0}, tol), 1.0);
  EXPECT_DOUBLE_EQ(pointToChordDistance({0, 3}, {0, 0}, {0.1, 0}, tol), std::hypot(0.05, 3.0));

  segmentRun single(kRunOfSegments);
  single.pieces.append(new XtGeLineSeg2d({0, 0}, {1, 0}));
  EXPECT_FALSE(runToVertices(single, v));
}

TEST_F(segmentRuns, LongRunsDoNotRecurseDeeply) {
  // A zigzag whose every vertex must stay: each split peels one vertex off.
  std::vector<XtGePoint2d> pts;
  for (int i = 0; i <= 4000; ++i) pts.emplace_back(i, (i % 2) * 1.0);
  std::vector<runVertex> v;
  for (const XtGePoint2d& p : pts) v.push_back({p});
  simplifyPolylineDP(v, XtGeTol(0.1, 1e-8));
  EXPECT_EQ(v.size(), pts.size());
}
