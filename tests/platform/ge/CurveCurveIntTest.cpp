// Curve-curve intersections with composites: vertices, overlaps, tangents,
// ordering, and the curve-curve closest points of composites.
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeRay2d.h"
#include "tests/platform/ge/GeShapes.h"
#include "tests/platform/ge/GeTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr double kPi = XtGe::kPi;

void expectOnBoth(const XtGeCurveCurveInt2d& x, const XtGeCurve2d& a, const XtGeCurve2d& b,
                  const XtGeTol& tol = XtGeContext::gTol) {
  for (int i = 0; i < x.numIntPoints(); ++i) {
    double t1 = 0, t2 = 0;
    ASSERT_TRUE(x.getIntParams(i, t1, t2));
    EXPECT_TRUE(a.isOn(x.intPoint(i), tol)) << i;
    EXPECT_TRUE(b.isOn(x.intPoint(i), tol)) << i;
    EXPECT_LE(a.xtEvalPoint(t1).distanceTo(x.intPoint(i)), tol.equalPoint() + 1e-12);
    EXPECT_LE(b.xtEvalPoint(t2).distanceTo(x.intPoint(i)), tol.equalPoint() + 1e-12);
  }
}

// No points and a first overlap over the whole of the first curve ([0, 1]);
// range2 receives its range on the second.
void expectWholeOverlap(const XtGeCurveCurveInt2d& x, XtGeInterval& range2) {
  EXPECT_EQ(x.numIntPoints(), 0);
  ASSERT_GE(x.overlapCount(), 1);
  XtGeInterval r1;
  x.getOverlapRanges(0, r1, range2);
  EXPECT_NEAR(r1.lowerBound(), 0.0, 1e-15);
  EXPECT_NEAR(r1.upperBound(), 1.0, 1e-15);
}

}  // namespace

TEST(GeCurveCurveInt, RayThroughAVertexCountsOnce) {
  const XtGeCompositeCurve2d rect = rectangle(0, 0, 6, 4);
  // Through the seam vertex from outside: in at (0, 0), out at (4, 4).
  XtGeCurveCurveInt2d in(XtGeRay2d(XtGePoint2d(-1, -1), XtGeVector2d(1, 1)), rect);
  ASSERT_EQ(in.numIntPoints(), 2);
  expectNear(in.intPoint(0), XtGePoint2d(0, 0));
  double t1 = 0, t2 = -1;
  in.getIntParams(0, t1, t2);
  EXPECT_EQ(t2, 0.0);  // the seam answers the lower bound
  EXPECT_FALSE(in.isTangential(0));
  EXPECT_EQ(crossingCount(in), 2);
  // From inside out through a vertex: one crossing.
  XtGeCurveCurveInt2d out(XtGeRay2d(XtGePoint2d(5, 1), XtGeVector2d(1, -1)), rect);
  ASSERT_EQ(out.numIntPoints(), 1);
  EXPECT_EQ(crossingCount(out), 1);
  // Grazing a convex vertex from outside: a touch, no crossing.
  XtGeCurveCurveInt2d touch(XtGeRay2d(XtGePoint2d(3, -3), XtGeVector2d(1, 1)), rect);
  ASSERT_EQ(touch.numIntPoints(), 1);
  EXPECT_TRUE(touch.isTangential(0));
  EXPECT_EQ(crossingCount(touch), 0);
  // The reflex vertex of an L, from inside: it leaves through the vertex.
  const XtGeCompositeCurve2d l = lShape();
  XtGeCurveCurveInt2d reflex(XtGeRay2d(XtGePoint2d(1, 0.5), XtGeVector2d(2, 1.5)), l);
  EXPECT_EQ(crossingCount(reflex) % 2, 1);
  // Swapped curves give the same points, ordered along the other curve.
  XtGeCurveCurveInt2d swapped(rect, XtGeLine2d(XtGePoint2d(-1, -1), XtGeVector2d(1, 1)));
  ASSERT_EQ(swapped.numIntPoints(), 2);
  swapped.getIntParams(0, t1, t2);
  EXPECT_EQ(t1, 0.0);
  EXPECT_FALSE(swapped.isTangential(0));
}

TEST(GeCurveCurveInt, VerticesOfDrawingSizedShapesWithCoarseTolerance) {
  const XtGeTol tol(1e-3, 1e-6);
  const double x0 = 2.5e6;
  const double y0 = -7.3e6;
  const XtGeCompositeCurve2d room = polyline(
      {{x0, y0}, {x0 + 6000, y0}, {x0 + 6000, y0 + 2000}, {x0 + 3000, y0 + 2000, 0.4},
       {x0 + 3000, y0 + 4000}, {x0, y0 + 4000}},
      true);
  // Rays from inside through each vertex: one crossing each.
  const XtGePoint2d inside(x0 + 1000, y0 + 1000);
  XtGeCurve2dPtrArray pieces;
  room.getCurveList(pieces);
  for (XtGeCurve2d* piece : pieces) {
    XtGePoint2d vertex;
    piece->hasStartPoint(vertex);
    const XtGeCurveCurveInt2d x(XtGeRay2d(inside, vertex), room, tol);
    EXPECT_EQ(crossingCount(x) % 2, 1) << vertex.x - x0 << ", " << vertex.y - y0;
    expectOnBoth(x, XtGeRay2d(inside, vertex), room, tol);
  }
}

TEST(GeCurveCurveInt, SegmentOverlappingAnEdgeIsOneRange) {
  const XtGeCompositeCurve2d rect = rectangle(0, 0, 6, 4);
  const XtGeLineSeg2d seg(XtGePoint2d(1, 0), XtGePoint2d(3, 0));
  const XtGeCurveCurveInt2d x(seg, rect);
  EXPECT_EQ(x.numIntPoints(), 0);
  ASSERT_EQ(x.overlapCount(), 1);
  XtGeInterval r1, r2;
  ASSERT_TRUE(x.getOverlapRanges(0, r1, r2));
  EXPECT_NEAR(r1.lowerBound(), 0.0, 1e-15);
  EXPECT_NEAR(r1.upperBound(), 1.0, 1e-15);
  EXPECT_NEAR(r2.lowerBound(), 0.05, 1e-15);
  EXPECT_NEAR(r2.upperBound(), 0.15, 1e-15);
  EXPECT_FALSE(x.isOverlapReversed(0));

  // Longer than the edge: the vertices at the overlap's ends are no points.
  const XtGeCurveCurveInt2d along(XtGeLineSeg2d(XtGePoint2d(-1, 0), XtGePoint2d(8, 0)), rect);
  EXPECT_EQ(along.numIntPoints(), 0);
  EXPECT_EQ(along.overlapCount(), 1);
  // Two colinear edges (a vertex in the middle of a wall) make one range.
  const XtGeCompositeCurve2d wall = polyline({{0, 0}, {2, 0}, {5, 0}, {5, 3}, {0, 3}}, true);
  const XtGeCurveCurveInt2d both(XtGeLine2d(XtGePoint2d(0, 0), XtGeVector2d(-1, 0)), wall);
  ASSERT_EQ(both.overlapCount(), 1);
  EXPECT_EQ(both.numIntPoints(), 0);
  ASSERT_TRUE(both.getOverlapRanges(0, r1, r2));
  EXPECT_NEAR(r1.lowerBound(), -5.0, 1e-12);
  EXPECT_NEAR(r1.upperBound(), 0.0, 1e-12);
  EXPECT_NEAR(r2.lowerBound(), 0.0, 1e-15);
  EXPECT_NEAR(r2.upperBound(), 5.0 / 16.0, 1e-15);
  EXPECT_TRUE(both.isOverlapReversed(0));

  // Neighbouring rooms sharing part of a wall (drawn the other way).
  const XtGeCompositeCurve2d next = rectangle(6, 1, 3, 2);
  const XtGeCurveCurveInt2d shared(rect, next);
  EXPECT_EQ(shared.numIntPoints(), 0);
  ASSERT_EQ(shared.overlapCount(), 1);
  ASSERT_TRUE(shared.getOverlapRanges(0, r1, r2));
  EXPECT_NEAR(r1.lowerBound(), 7.0 / 20.0, 1e-15);
  EXPECT_NEAR(r1.upperBound(), 9.0 / 20.0, 1e-15);
  EXPECT_TRUE(shared.isOverlapReversed(0));
}

TEST(GeCurveCurveInt, ArcsOfOneCircleOverlapAsOneRange) {
  const XtGeCompositeCurve2d twoHalves = polyline({{1, 0, 1.0}, {-1, 0, 1.0}}, true);
  const XtGeCircArc2d circle(XtGePoint2d(0, 0), 1.0);
  const XtGeCurveCurveInt2d x(twoHalves, circle);
  EXPECT_EQ(x.overlapCount(), 1);
  XtGeInterval r2;
  expectWholeOverlap(x, r2);
  EXPECT_NEAR(r2.length(), 2 * kPi, 1e-12);

  // A line through both joints of the circle: two crossings.
  const XtGeCurveCurveInt2d line(XtGeLine2d(XtGePoint2d(-2, 0), XtGeVector2d(1, 0)), twoHalves);
  ASSERT_EQ(line.numIntPoints(), 2);
  EXPECT_FALSE(line.isTangential(0));
  EXPECT_FALSE(line.isTangential(1));
  expectNear(line.intPoint(0), XtGePoint2d(-1, 0));
  expectNear(line.intPoint(1), XtGePoint2d(1, 0));
}

TEST(GeCurveCurveInt, LineTangentToAnArcPieceIsTangential) {
  const XtGeCompositeCurve2d room = polyline({{0, 0}, {4, 0}, {4, 3, 0.5}, {0, 3}}, true);
  const double top = room.orthoBoundBlock().maxPoint().y;
  const XtGeCurveCurveInt2d x(XtGeLine2d(XtGePoint2d(0, top), XtGeVector2d(1, 0)), room);
  ASSERT_EQ(x.numIntPoints(), 1);
  EXPECT_TRUE(x.isTangential(0));
  expectNear(x.intPoint(0), XtGePoint2d(2, top), 1e-7);
  // A line along the tangent of the arc at its end vertex leaves the room
  // at that vertex: one crossing, not tangential.
  XtGeVector2dArray d;
  const double tv = room.paramOf(XtGePoint2d(4, 3));
  room.evalPoint(tv, 1, d);
  const XtGeCurveCurveInt2d y(XtGeLine2d(XtGePoint2d(4, 3), d[0]), room);
  EXPECT_EQ(crossingCount(y) % 2, 0);
  expectOnBoth(y, XtGeLine2d(XtGePoint2d(4, 3), d[0]), room);
}

TEST(GeCurveCurveInt, CompositePairsAndBadIndices) {
  const XtGeCompositeCurve2d a = rectangle(0, 1, 6, 2);
  const XtGeCompositeCurve2d b = rectangle(2, 0, 2, 4);
  const XtGeCurveCurveInt2d ab(a, b);
  const XtGeCurveCurveInt2d ba(b, a);
  ASSERT_EQ(ab.numIntPoints(), 4);
  ASSERT_EQ(ba.numIntPoints(), 4);
  expectNear(ab.intPoint(0), XtGePoint2d(2, 1));
  // Bad indices answer nothing.
  double t1 = 7, t2 = 7;
  EXPECT_FALSE(ab.getIntParams(4, t1, t2));
  EXPECT_EQ(t1, 7);
  EXPECT_FALSE(ab.isTangential(-1));
  EXPECT_TRUE(std::isnan(ab.intPoint(9).x));
  XtGeInterval r1, r2;
  EXPECT_FALSE(ab.getOverlapRanges(0, r1, r2));
  // Empty composites meet nothing.
  EXPECT_EQ(XtGeCurveCurveInt2d(XtGeCompositeCurve2d(), a).numIntPoints(), 0);
}

TEST(GeCurveCurveInt, ClosestPointsBetweenCompositesAndCurves) {
  const XtGeCompositeCurve2d room = polyline({{0, 0}, {4, 0}, {4, 3, 0.5}, {0, 3}}, true);
  const double top = room.orthoBoundBlock().maxPoint().y;
  const XtGeLine2d above(XtGePoint2d(0, 10), XtGeVector2d(1, 0));
  XtGePoint2d onLine;
  const XtGePoint2d onRoom = room.closestPointTo(above, onLine);
  expectNear(onRoom, XtGePoint2d(2, top), 1e-12);
  expectNear(onLine, XtGePoint2d(2, 10), 1e-12);
  EXPECT_NEAR(room.distanceTo(above), 10.0 - top, 1e-12);
  // From the simple curve's side the composite answers (no recursion).
  XtGePoint2d onRoom2;
  expectNear(above.closestPointTo(room, onRoom2), XtGePoint2d(2, 10), 1e-12);
  expectNear(onRoom2, XtGePoint2d(2, top), 1e-12);
  EXPECT_NEAR(above.distanceTo(room), 10.0 - top, 1e-12);

  // An arc inside the room, and another room beside it.
  const XtGeCircArc2d circle(XtGePoint2d(1, 1), 0.5);
  EXPECT_NEAR(room.distanceTo(circle), 0.5, 1e-12);
  const XtGeCompositeCurve2d beside = rectangle(7, 1, 2, 2);
  XtGePoint2d onBeside;
  EXPECT_NEAR(room.closestPointTo(beside, onBeside).x, 4.0, 1e-12);
  EXPECT_NEAR(onBeside.x, 7.0, 1e-12);
  EXPECT_NEAR(room.distanceTo(beside), 3.0, 1e-12);
  // Meeting curves: a meeting point.
  const XtGeLineSeg2d across(XtGePoint2d(2, -1), XtGePoint2d(2, 1));
  XtGePoint2d onAcross;
  const XtGePoint2d meet = room.closestPointTo(across, onAcross);
  expectNear(meet, XtGePoint2d(2, 0), 1e-12);
  EXPECT_EQ(room.distanceTo(across), 0.0);
}

TEST(GeCurveCurveInt, TangencyMeansTouchingWithoutCrossing) {
  // A shallow crossing stays a crossing, also under a coarse direction
  // tolerance.
  const XtGeTol coarse(1e-3, 0.5);
  const XtGeLineSeg2d a(XtGePoint2d(0, 0), XtGePoint2d(100, 0));
  const XtGeLineSeg2d b(XtGePoint2d(0, -1), XtGePoint2d(100, 1));
  const XtGeCurveCurveInt2d shallow(a, b, coarse);
  ASSERT_EQ(shallow.numIntPoints(), 1);
  EXPECT_FALSE(shallow.isTangential(0));
  // A line touching a circle, and one missing it by less than the
  // tolerance (two crossings closer than it are one touch).
  const XtGeCircArc2d circle(XtGePoint2d(0, 0), 10.0);
  for (double y : {10.0, 10.0 - 1e-9, 10.0 + 5e-4}) {
    const XtGeCurveCurveInt2d x(XtGeLine2d(XtGePoint2d(0, y), XtGeVector2d(1, 0)), circle, coarse);
    ASSERT_EQ(x.numIntPoints(), 1) << y;
    EXPECT_TRUE(x.isTangential(0)) << y;
  }
  // Two arcs touching from outside and from inside.
  const XtGeCurveCurveInt2d outside(circle, XtGeCircArc2d(XtGePoint2d(15, 0), 5.0));
  ASSERT_EQ(outside.numIntPoints(), 1);
  EXPECT_TRUE(outside.isTangential(0));
  const XtGeCurveCurveInt2d inside(circle, XtGeCircArc2d(XtGePoint2d(5, 0), 5.0));
  ASSERT_EQ(inside.numIntPoints(), 1);
  EXPECT_TRUE(inside.isTangential(0));
  // A polyline touching a line at a vertex from one side, and crossing it
  // at a vertex where its pieces are tangent to each other (an S bend).
  const XtGeCompositeCurve2d vee = polyline({{-2, 2}, {0, 0}, {2, 2}}, false);
  const XtGeCurveCurveInt2d touch(XtGeLine2d(XtGePoint2d(-5, 0), XtGeVector2d(1, 0)), vee);
  ASSERT_EQ(touch.numIntPoints(), 1);
  EXPECT_TRUE(touch.isTangential(0));
  const XtGeCompositeCurve2d sBend = polyline({{-2, 0, 0.4}, {0, 0, -0.4}, {2, 0}}, false);
  XtGeVector2dArray d;
  sBend.evalPoint(0.5, 1, d);
  const XtGeCurveCurveInt2d inflection(XtGeLine2d(XtGePoint2d(0, 0), d[0]), sBend);
  ASSERT_EQ(inflection.numIntPoints(), 1);
  EXPECT_FALSE(inflection.isTangential(0));
}

TEST(GeCurveCurveInt, SeamsShortPiecesAndSelfIntersection) {
  // A crossing at the seam of the first curve answers its lower bound.
  const XtGeCompositeCurve2d rect = rectangle(0, 0, 4, 4);
  const XtGeCurveCurveInt2d seam(rect, XtGeLine2d(XtGePoint2d(-1, 1), XtGeVector2d(1, -1)));
  ASSERT_EQ(seam.numIntPoints(), 1);
  double t1 = -1, t2 = 0;
  seam.getIntParams(0, t1, t2);
  EXPECT_EQ(t1, 0.0);
  EXPECT_TRUE(seam.isTangential(0));  // it only grazes the corner
  // A wall with a sliver shorter than the tolerance at a vertex.
  const XtGeTol tol(1e-3, 1e-6);
  const XtGeCompositeCurve2d sliver =
      polyline({{0, 0}, {10, 0}, {10, 0.0004}, {10, 5}, {0, 5}}, true);
  const XtGeCurveCurveInt2d out(XtGeRay2d(XtGePoint2d(5, 2), XtGePoint2d(10, 0.0002)), sliver, tol);
  EXPECT_EQ(crossingCount(out), 1);
  // A curve against itself: one overlap over everything, no points.
  const XtGeCompositeCurve2d room = polyline({{0, 0}, {4, 0}, {4, 3, 0.5}, {0, 3}}, true);
  XtGeInterval r2;
  expectWholeOverlap(XtGeCurveCurveInt2d(room, room), r2);
}

TEST(GeCurveCurveInt, EveryPairOfKinds) {
  std::vector<std::unique_ptr<XtGeCurve2d>> curves;
  curves.push_back(std::make_unique<XtGeLine2d>(XtGePoint2d(-1, 0.5), XtGeVector2d(1, 0.2)));
  curves.push_back(std::make_unique<XtGeRay2d>(XtGePoint2d(0.5, -3), XtGeVector2d(0.1, 1)));
  auto reversedRay = std::make_unique<XtGeRay2d>(XtGePoint2d(1.5, 3), XtGeVector2d(-0.3, -1));
  reversedRay->reverseParam();
  curves.push_back(std::move(reversedRay));
  curves.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(-2, -2), XtGePoint2d(3, 2.5)));
  curves.push_back(std::make_unique<XtGeCircArc2d>(XtGePoint2d(0, 0), 2.0, 0.5, 4.0,
                                                   XtGeVector2d(0, 1), true));
  curves.push_back(std::make_unique<XtGeCircArc2d>(XtGePoint2d(1, 1), 1.5));
  curves.push_back(std::make_unique<XtGeEllipArc2d>(XtGePoint2d(0, 0.5), XtGeVector2d(1, 1),
                                                    XtGeVector2d(-1, 1), 2.5, 1.0, 0.0, 5.0));
  std::vector<std::unique_ptr<XtGeCurve2d>> mixed;
  mixed.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(-3, 1), XtGePoint2d(-1, -1)));
  mixed.push_back(std::make_unique<XtGeEllipArc2d>(XtGePoint2d(0, -1), XtGeVector2d(1, 0),
                                                   XtGeVector2d(0, 1), 1.0, 0.5, XtGe::kPi, XtGe::kTwoPi));
  mixed.push_back(std::make_unique<XtGeCircArc2d>(XtGePoint2d(1, -1), XtGePoint2d(2, 2), -0.5));
  curves.push_back(std::make_unique<XtGeCompositeCurve2d>(std::move(mixed)));
  curves.push_back(std::make_unique<XtGeCompositeCurve2d>(
      polyline({{-2, -1}, {2, -1, 0.3}, {2, 2}, {-2, 2, -0.2}}, true)));
  std::vector<std::unique_ptr<XtGeCurve2d>> outer;
  outer.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(-3, 3), XtGePoint2d(-1, 0)));
  outer.push_back(std::make_unique<XtGeCompositeCurve2d>(polyline({{-1, 0}, {1, -0.5, 0.7}, {3, 0}}, false)));
  curves.push_back(std::make_unique<XtGeCompositeCurve2d>(std::move(outer)));

  const XtGeTol tol(1e-9, 1e-9);
  for (std::size_t i = 0; i < curves.size(); ++i) {
    for (std::size_t k = 0; k < curves.size(); ++k) {
      if (i == k) continue;
      const XtGeCurveCurveInt2d ab(*curves[i], *curves[k], tol);
      const XtGeCurveCurveInt2d ba(*curves[k], *curves[i], tol);
      EXPECT_EQ(ab.numIntPoints(), ba.numIntPoints()) << i << " x " << k;
      EXPECT_EQ(ab.overlapCount(), ba.overlapCount()) << i << " x " << k;
      EXPECT_EQ(crossingCount(ab), crossingCount(ba)) << i << " x " << k;
      expectOnBoth(ab, *curves[i], *curves[k], tol);
      double prev = -1e300;
      for (int n = 0; n < ab.numIntPoints(); ++n) {
        double t1 = 0, t2 = 0;
        ab.getIntParams(n, t1, t2);
        EXPECT_GE(t1, prev);
        prev = t1;
      }
    }
  }
}

namespace {

// Calls check on the intersections of a and b in both orders (aFirst),
// for each way round of either curve.
template <class Check>
void eachWayRound(XtGeCurve2d& a, XtGeCurve2d& b, const XtGeTol& tol, Check check) {
  for (int round = 0; round < 4; ++round) {
    check(XtGeCurveCurveInt2d(a, b, tol), true);
    check(XtGeCurveCurveInt2d(b, a, tol), false);
    (round % 2 == 0 ? a : b).reverseParam();
  }
}

const XtGeTol kFarTol(1e-3, 1e-6);  // far from the origin (3e6, -7e6)

}  // namespace

TEST(GeCurveCurveInt, CrossingsNearTheEndOfAPieceAreNeverTangential) {
  // One crossing inside both pieces, where the line or circle of one would
  // meet the other again just past its end (12 and 6 degrees).
  for (const XtGeVector2d at : {XtGeVector2d(0, 0), XtGeVector2d(3e6, -7e6)}) {
    const XtGePoint2d o = XtGePoint2d(0, 0) + at;
    XtGeLineSeg2d seg(o + XtGeVector2d(-4.0199468732619525, -4.488719890441561),
                      o + XtGeVector2d(4.54569151771433, 0.4596308709065176));
    XtGeCompositeCurve2d bend = polyline({{o.x + 4.2618573180883805, o.y + 2.7917674015919034},
                                          {o.x - 4.105827691952151, o.y - 4.805400600417176},
                                          {o.x - 6.081678289526298, o.y + 5.15222617427592}},
                                         false);
    XtGeLineSeg2d chord(o + XtGeVector2d(0, std::cos(0.1)), o + XtGeVector2d(2, std::cos(0.1)));
    XtGeCircArc2d half(o, 1.0, 0.0, kPi);
    for (auto [a, b] : {std::pair<XtGeCurve2d*, XtGeCurve2d*>{&seg, &bend}, {&chord, &half}})
      eachWayRound(*a, *b, at.x == 0.0 ? XtGeContext::gTol : kFarTol,
                   [&](const XtGeCurveCurveInt2d& x, bool) {
                     ASSERT_EQ(x.numIntPoints(), 1) << b->type();
                     EXPECT_FALSE(x.isTangential(0)) << b->type();
                   });
  }
}

TEST(GeCurveCurveInt, NearlyColinearSegmentsOverlapOverTheirCommonStretch) {
  // The shorter segment lies within the tolerance of the other at a hair's
  // angle: one overlap over all of it and no points.
  const XtGePoint2d f(3e6, -7e6);
  struct Case {
    XtGePoint2d a0, a1, b0, b1;
    XtGeTol tol;
  };
  const Case cases[] = {
      {{0.5, 0}, {0.51, 5e-11}, {0, 0}, {1, 0}, XtGeContext::gTol},
      {{0.5, 5e-11}, {0.6, -5e-11}, {0, 0}, {1, 0}, XtGeContext::gTol},
      {{7600004.0, 5800004.000000001}, {7600008.0, 5800008.0}, {7600000.0, 5800000.0},
       {7600008.0, 5800008.0}, XtGeContext::gTol},
      {f + XtGeVector2d(500, 0), f + XtGeVector2d(510, 5e-4), f, f + XtGeVector2d(1000, 0), kFarTol},
      {f + XtGeVector2d(500, 5e-4), f + XtGeVector2d(600, -5e-4), f, f + XtGeVector2d(1000, 0), kFarTol},
  };
  for (const Case& k : cases) {
    XtGeLineSeg2d a(k.a0, k.a1);
    XtGeLineSeg2d b(k.b0, k.b1);
    // Within the tolerance, or the rounding noise of the coordinates.
    const double slack = std::max(k.tol.equalPoint(), 1e-14 * k.a0.x) / k.a0.distanceTo(k.a1);
    eachWayRound(a, b, k.tol, [&](const XtGeCurveCurveInt2d& x, bool aFirst) {
      EXPECT_EQ(x.numIntPoints(), 0) << k.a0.x;
      ASSERT_EQ(x.overlapCount(), 1) << k.a0.x;
      XtGeInterval r1, r2;
      x.getOverlapRanges(0, r1, r2);
      EXPECT_NEAR((aFirst ? r1 : r2).length(), 1.0, 2.0 * slack);
    });
  }
  // A wall leaving a vertex a hair above the probe and dipping through it
  // 1e-8 further on: one overlap from the vertex, not a touch plus a
  // crossing (which counted twice along the probe).
  const XtGeCompositeCurve2d wall = polyline({{3, 3}, {3, 2}, {5, 1.9999996}}, false);
  const XtGeCurveCurveInt2d x(XtGeRay2d(XtGePoint2d(0, 2 - 2e-15), XtGeVector2d(1, 0)), wall);
  EXPECT_EQ(x.numIntPoints(), 0);
  EXPECT_EQ(x.overlapCount(), 1);
}
