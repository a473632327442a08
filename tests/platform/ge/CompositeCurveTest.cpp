// Composite curves on the shapes people draw: parameterisation by length,
// round trips across joints and seams, lengths, areas, splitting,
// restricting, reversing, transforms and degenerate lists.
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGeRay2d.h"
#include "platform/ge/internal/GeCurveArea.h"
#include "tests/platform/ge/GeShapes.h"
#include "tests/platform/ge/GeTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>

namespace {

constexpr double kPi = XtGe::kPi;

double areaOf(const XtGeCurve2d& c) {
  double a = -1.0;
  EXPECT_TRUE(c.xtArea(0.0, 1.0, a));
  return a;
}

// A room 4 x 3 whose top wall bulges out as an arc (bulge 0.5).
XtGeCompositeCurve2d roomWithArcWall() {
  return polyline({{0, 0}, {4, 0}, {4, 3, 0.5}, {0, 3}}, true);
}

double arcSegmentArea(double chord, double bulge) {
  const double sweep = 4.0 * std::atan(std::fabs(bulge));
  const double r = 0.5 * chord / std::sin(0.5 * sweep);
  return 0.5 * r * r * (sweep - std::sin(sweep));
}

}  // namespace

TEST(GeComposite, RectangleIsParameterisedByLength) {
  const XtGeCompositeCurve2d rect = rectangle(0, 0, 6, 4);
  XtGeInterval iv;
  rect.getInterval(iv);
  EXPECT_EQ(std::tuple(rect.numCurves(), iv.lowerBound(), iv.upperBound(), rect.length(), rect.xtIsClosed()),
            std::tuple(4, 0.0, 1.0, 20.0, true));
  expectNear(rect.xtEvalPoint(0.3), XtGePoint2d(6, 0));  // 6 of 20
  expectNear(rect.xtEvalPoint(0.5), XtGePoint2d(6, 4));
  expectNear(rect.xtEvalPoint(0.65), XtGePoint2d(3, 4));
  EXPECT_NEAR(rect.paramOf(XtGePoint2d(6, 2)), 0.4, 1e-15);
  EXPECT_NEAR(rect.xtLength(0.1, 0.6), 10.0, 1e-12);
  EXPECT_NEAR(rect.xtLength(0.6, 0.1), 10.0, 1e-12);
  EXPECT_NEAR(rect.paramAtLength(0.1, 10.0), 0.6, 1e-15);
  EXPECT_NEAR(rect.paramAtLength(0.6, 10.0, false), 0.1, 1e-15);
  EXPECT_EQ(rect.paramAtLength(0.9, 50.0), 1.0);  // clamped
  // Derivatives are in the composite's parameter: |d1| = total length.
  XtGeVector2dArray d;
  rect.evalPoint(0.4, 1, d);
  ASSERT_EQ(d.length(), 1);
  expectNear(XtGePoint2d() + d[0], XtGePoint2d(0, 20), 1e-12);
  // Extrapolation outside [0, 1] continues the end pieces.
  expectNear(rect.xtEvalPoint(-0.05), XtGePoint2d(-1, 0));
  expectNear(rect.orthoBoundBlock().minPoint(), XtGePoint2d(0, 0));
  expectNear(rect.orthoBoundBlock().maxPoint(), XtGePoint2d(6, 4));
}

TEST(GeComposite, RoundTripsAcrossJointsAndTheSeam) {
  const XtGeCompositeCurve2d room = roomWithArcWall();
  // Every vertex answers its joint parameter; the seam answers 0.
  EXPECT_EQ(room.paramOf(XtGePoint2d(0, 0)), 0.0);
  EXPECT_EQ(room.paramOf(XtGePoint2d(0, 1e-12)), 0.0);
  for (int i = 1; i < room.numCurves(); ++i) {
    double g0 = 0, g1 = 0;
    room.getPieceRange(i, g0, g1);
    XtGePoint2d start;
    room.curveAt(i)->hasStartPoint(start);
    EXPECT_NEAR(room.paramOf(start), g0, 1e-14) << i;
    expectNear(room.xtEvalPoint(g0), start, 1e-14);
  }
}

TEST(GeComposite, LengthsAndAreasOfDrawnShapes) {
  EXPECT_NEAR(areaOf(rectangle(1e7, -1e7, 6, 4)), 24.0, 1e-6);
  const XtGeCompositeCurve2d l = lShape();
  EXPECT_NEAR(areaOf(l), 18.0, 1e-12);
  EXPECT_NEAR(l.length(), 20.0, 1e-12);

  const XtGeCompositeCurve2d room = roomWithArcWall();
  EXPECT_NEAR(areaOf(room), 12.0 + arcSegmentArea(4.0, 0.5), 1e-12);

  // A full circle of two half arcs: pi r^2 and 2 pi r, either way round.
  XtGeCompositeCurve2d circle = polyline({{1, 0, 1.0}, {-1, 0, 1.0}}, true);
  EXPECT_TRUE(circle.xtIsClosed());
  EXPECT_NEAR(areaOf(circle), kPi, 1e-14);
  EXPECT_NEAR(circle.length(), 2 * kPi, 1e-14);
  double signedArea = 0;
  ASSERT_TRUE(GeKernel::signedArea(circle, signedArea));
  EXPECT_NEAR(signedArea, kPi, 1e-14);
  circle.reverseParam();
  EXPECT_NEAR(areaOf(circle), kPi, 1e-14);
  ASSERT_TRUE(GeKernel::signedArea(circle, signedArea));
  EXPECT_NEAR(signedArea, -kPi, 1e-14);

  // 2 x 2 square with one side a half circle bulging out or in: 4 +- pi/2,
  // also drawn clockwise.
  for (double bulge : {1.0, -1.0}) {
    XtGeCompositeCurve2d sq = polyline({{0, 0}, {2, 0, bulge}, {2, 2}, {0, 2}}, true);
    const double expected = 4.0 + (bulge > 0 ? 0.5 * kPi : -0.5 * kPi);
    EXPECT_NEAR(areaOf(sq), expected, 1e-12);
    sq.reverseParam();
    EXPECT_NEAR(areaOf(sq), expected, 1e-12);
  }
  // Part of a curve: the area between the part and its chord.
  double part = 0;
  ASSERT_TRUE(room.xtArea(room.paramOf(XtGePoint2d(4, 0)), room.paramOf(XtGePoint2d(0, 3)), part));
  EXPECT_NEAR(part, 6.0 + arcSegmentArea(4.0, 0.5), 1e-12);
}

TEST(GeComposite, SplitCurvesAddUpAndKeepTheirEnds) {
  const XtGeCompositeCurve2d room = roomWithArcWall();
  // At a joint no sliver is made; at the ends one part is missing.
  XtGeCurve2d* a = nullptr;
  XtGeCurve2d* b = nullptr;
  room.getSplitCurves(4.0 / room.length(), a, b);
  std::unique_ptr<XtGeCurve2d> ownA(a), ownB(b);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(static_cast<XtGeCompositeCurve2d*>(a)->numCurves(), 1);
  EXPECT_EQ(static_cast<XtGeCompositeCurve2d*>(b)->numCurves(), 3);
  room.getSplitCurves(0.0, a, b);
  std::unique_ptr<XtGeCurve2d> ownB2(b);
  EXPECT_EQ(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NEAR(b->length(), room.length(), 1e-12);
}

TEST(GeComposite, SetIntervalRestrictsAndWrapsAcrossTheSeam) {
  XtGeCompositeCurve2d rect = rectangle(0, 0, 6, 4);
  XtGeCompositeCurve2d part = rect;
  ASSERT_TRUE(part.setInterval(XtGeInterval(0.1, 0.6)));
  EXPECT_NEAR(part.length(), 10.0, 1e-12);
  expectNear(part.xtEvalPoint(0.0), XtGePoint2d(2, 0));
  expectNear(part.xtEvalPoint(1.0), XtGePoint2d(4, 4));
  EXPECT_EQ(part.numCurves(), 3);
  // Across the seam of the closed rectangle: from (0, 2) round to (3, 0).
  XtGeCompositeCurve2d wrapped = rect;
  ASSERT_TRUE(wrapped.setInterval(XtGeInterval(0.9, 1.15)));
  EXPECT_NEAR(wrapped.length(), 5.0, 1e-12);
  expectNear(wrapped.xtEvalPoint(0.0), XtGePoint2d(0, 2));
  expectNear(wrapped.xtEvalPoint(1.0), XtGePoint2d(3, 0));
  expectNear(wrapped.xtEvalPoint(0.4), XtGePoint2d(0, 0));
  // Open composites extend their end pieces; bad intervals change nothing.
  XtGeCompositeCurve2d open = polyline({{0, 0}, {2, 0}, {2, 2}}, false);
  ASSERT_TRUE(open.setInterval(XtGeInterval(-0.25, 1.0)));
  expectNear(open.xtEvalPoint(0.0), XtGePoint2d(-1, 0));
  EXPECT_FALSE(open.setInterval(XtGeInterval(0.7, 0.2)));
  EXPECT_FALSE(open.setInterval(XtGeInterval()));
  EXPECT_NEAR(open.length(), 5.0, 1e-12);
}

TEST(GeComposite, ReverseAndTransformsKeepTheShape) {
  const XtGeCompositeCurve2d room = roomWithArcWall();
  XtGeCompositeCurve2d rev = room;
  rev.reverseParam();
  EXPECT_NEAR(rev.length(), room.length(), 1e-12);
  for (double t : {0.0, 0.13, 0.5, 0.77, 1.0}) expectNear(rev.xtEvalPoint(1.0 - t), room.xtEvalPoint(t), 1e-12);

  XtGeCompositeCurve2d moved = room;
  const XtGeCurve2d* firstPiece = moved.curveAt(0);
  ASSERT_TRUE(moved.rotateBy(kPi / 2, XtGePoint2d(0, 0)));
  EXPECT_EQ(moved.curveAt(0), firstPiece);  // pieces transformed in place
  expectNear(moved.xtEvalPoint(0.1), XtGePoint2d(0, room.xtEvalPoint(0.1).x), 1e-12);
  EXPECT_NEAR(areaOf(moved), areaOf(room), 1e-12);
  ASSERT_TRUE(moved.mirror(XtGeLine2d(XtGePoint2d(0, 0), XtGeVector2d::kYAxis)));
  EXPECT_NEAR(areaOf(moved), areaOf(room), 1e-12);
  EXPECT_TRUE(moved.isOn(moved.xtEvalPoint(0.55)));

  // A non-uniform scale cannot carry the arc wall: nothing changes.
  XtGeCompositeCurve2d scaled = room;
  EXPECT_FALSE(scaled.transformBy(XtGeMatrix2d::scaling(2.0, 1.0)));
  expectNear(scaled.xtEvalPoint(0.3), room.xtEvalPoint(0.3), 0.0);
  XtGeCompositeCurve2d straight = lShape();
  ASSERT_TRUE(straight.transformBy(XtGeMatrix2d::scaling(2.0, 1.0)));
  EXPECT_NEAR(areaOf(straight), 36.0, 1e-12);
}

TEST(GeComposite, ClosestPointsAndBoundBlocks) {
  const XtGeCompositeCurve2d room = roomWithArcWall();
  // Equally near two pieces: the smaller parameter.
  const XtGeCompositeCurve2d rect = rectangle(0, 0, 2, 2);
  expectNear(rect.closestPointTo(XtGePoint2d(1, 1)), XtGePoint2d(1, 0));
  // The arc wall reaches above the chord by the sagitta.
  const double sweep = 4.0 * std::atan(0.5);
  const double r = 2.0 / std::sin(0.5 * sweep);
  const double top = 3.0 + r * (1.0 - std::cos(0.5 * sweep));
  EXPECT_NEAR(room.orthoBoundBlock().maxPoint().y, top, 1e-12);
  // Sample points: ends included, corners kept, chords within eps of the arc.
  XtGePoint2dArray pts;
  XtGeDoubleArray params;
  room.getSamplePoints(0.0, 1.0, 1e-3, pts, params);
  ASSERT_GE(pts.length(), 5);
  expectNear(pts.first(), XtGePoint2d(0, 0));
  expectNear(pts.last(), XtGePoint2d(0, 0));
  EXPECT_TRUE(pts.find(XtGePoint2d(4, 3), XtGeTol(1e-12, 1e-12)) >= 0);
  for (int i = 0; i + 1 < pts.length(); ++i) {
    EXPECT_LT(params[i], params[i + 1]);
    EXPECT_LE(room.distanceTo(pts[i] + (pts[i + 1] - pts[i]) * 0.5), 1e-3);
  }
  room.getSamplePoints(5, pts);
  ASSERT_EQ(pts.length(), 5);
  expectNear(pts[2], room.xtEvalPoint(0.5));
}

TEST(GeComposite, ExplodeHandsOutNestedPiecesBorrowed) {
  std::vector<std::unique_ptr<XtGeCurve2d>> inner;
  inner.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(1, 0), XtGePoint2d(2, 0)));
  inner.push_back(std::make_unique<XtGeCircArc2d>(XtGePoint2d(2, 0), XtGePoint2d(3, 0), 1.0));
  std::vector<std::unique_ptr<XtGeCurve2d>> outer;
  outer.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(0, 0), XtGePoint2d(1, 0)));
  outer.push_back(std::make_unique<XtGeCompositeCurve2d>(std::move(inner)));
  outer.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(3, 0), XtGePoint2d(4, 0)));
  const XtGeCompositeCurve2d nested(std::move(outer));

  XtGeCurve2dPtrArray pieces;
  XtGeIntArray flags;
  ASSERT_TRUE(nested.explode(pieces, flags));
  ASSERT_EQ(pieces.length(), 3);
  EXPECT_EQ(pieces[1]->type(), XtGe::kCompositeCrv2d);
  for (int f : flags) EXPECT_EQ(f, 0);
  // Flattening is the caller's: the nested one explodes into its own pieces.
  XtGeCurve2dPtrArray innerPieces;
  XtGeIntArray innerFlags;
  ASSERT_TRUE(pieces[1]->explode(innerPieces, innerFlags));
  EXPECT_EQ(innerPieces.length(), 2);
  EXPECT_FALSE(innerPieces[0]->explode(innerPieces, innerFlags));  // simple: nothing

  // Queries see through the nesting.
  const double len = 3.0 + 0.5 * kPi;
  EXPECT_NEAR(nested.length(), len, 1e-12);
  EXPECT_NEAR(nested.paramOf(XtGePoint2d(2.5, -0.5)), (2.0 + 0.25 * kPi) / len, 1e-12);
  expectNear(nested.xtEvalPoint((2.0 + 0.25 * kPi) / len), XtGePoint2d(2.5, -0.5), 1e-12);
  expectNear(nested.closestPointTo(XtGePoint2d(2.5, -3)), XtGePoint2d(2.5, -0.5), 1e-12);
}

TEST(GeComposite, DegenerateListsNeverFail) {
  const XtGeCompositeCurve2d empty;
  XtGeInterval iv;
  empty.getInterval(iv);
  XtGePoint2d p;
  EXPECT_FALSE(iv.upperBound() != 0.0 || empty.xtIsClosed() || empty.hasStartPoint(p) || empty.isOn(XtGePoint2d()));
  EXPECT_TRUE(std::isinf(empty.distanceTo(XtGePoint2d(1, 1))) && std::isnan(empty.paramOf(XtGePoint2d(1, 1))));
  EXPECT_TRUE(empty.length() == 0.0 && empty.orthoBoundBlock().isEmpty());
  XtGeVector2dArray d;
  empty.evalPoint(0.5, 1, d);
  XtGeCurve2d* a = nullptr;
  XtGeCurve2d* b = nullptr;
  empty.getSplitCurves(0.5, a, b);
  EXPECT_TRUE(d.length() == 0 && a == nullptr && b == nullptr);
  XtGeCompositeCurve2d emptyCopy = empty;
  EXPECT_FALSE(emptyCopy.setInterval(XtGeInterval(0.0, 1.0)));
  EXPECT_TRUE(emptyCopy.reverseParam().rotateBy(1.0));
  EXPECT_TRUE(std::isinf(empty.distanceTo(XtGeLineSeg2d())));

  // Zero-length pieces, a gap and an unbounded piece.
  std::vector<std::unique_ptr<XtGeCurve2d>> v;
  v.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(0, 0), XtGePoint2d(0, 0)));
  v.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(0, 0), XtGePoint2d(2, 0)));
  v.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(2, 0), XtGePoint2d(2, 0)));
  v.push_back(std::make_unique<XtGeRay2d>(XtGePoint2d(5, 5), XtGeVector2d(1, 0)));
  v.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(3, 0), XtGePoint2d(5, 0)));  // after a gap
  const XtGeCompositeCurve2d odd(std::move(v));
  EXPECT_EQ(odd.numCurves(), 5);
  EXPECT_NEAR(odd.length(), 4.0, 1e-15);
  expectNear(odd.xtEvalPoint(0.5), XtGePoint2d(3, 0));  // the jump over the gap
  EXPECT_NEAR(odd.paramOf(XtGePoint2d(2, 0)), 0.5, 1e-15);
  EXPECT_NEAR(odd.paramOf(XtGePoint2d(4, 0)), 0.75, 1e-15);
  EXPECT_FALSE(odd.isOn(XtGePoint2d(2.5, 0)) || odd.isOn(XtGePoint2d(6, 5)));  // the ray takes no part
  EXPECT_NEAR(odd.xtParamAtLength(0.0, 2.5), 0.625, 1e-15);
  XtGeCurve2d* s1 = nullptr;
  XtGeCurve2d* s2 = nullptr;
  odd.getSplitCurves(0.5, s1, s2);
  std::unique_ptr<XtGeCurve2d> own1(s1), own2(s2);
  ASSERT_TRUE(s1 && s2);
  EXPECT_NEAR(s1->length() + s2->length(), 4.0, 1e-15);

  // All pieces of zero length: a point at [0, 0].
  std::vector<std::unique_ptr<XtGeCurve2d>> dots;
  dots.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(1, 1), XtGePoint2d(1, 1)));
  const XtGeCompositeCurve2d dot(std::move(dots));
  dot.getInterval(iv);
  EXPECT_TRUE(iv.upperBound() == 0.0 && dot.isOn(XtGePoint2d(1, 1)) && dot.paramAtLength(0.0, 3.0) == 0.0);
  expectNear(dot.xtEvalPoint(0.7), XtGePoint2d(1, 1));
  // Non-finite input gives no result.
  EXPECT_TRUE(std::isnan(odd.paramOf(XtGePoint2d(NAN, 0))) && std::isnan(odd.xtLength(NAN, 0.5)));
  EXPECT_FALSE(odd.isOn(XtGePoint2d(INFINITY, 0)));
}

TEST(GeComposite, EllipsePiecesWalkByLength) {
  std::vector<std::unique_ptr<XtGeCurve2d>> v;
  v.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(-3, -2), XtGePoint2d(3, -2)));
  v.push_back(std::make_unique<XtGeEllipArc2d>(XtGePoint2d(3, 0), XtGeVector2d::kXAxis,
                                               XtGeVector2d::kYAxis, 1.0, 2.0, -kPi / 2, kPi / 2));
  const XtGeCompositeCurve2d c(std::move(v));
  const double total = c.length();
  for (double len : {1.0, 6.0, 7.3, total - 0.1}) {
    const double t = c.paramAtLength(0.0, len);
    EXPECT_NEAR(c.xtLength(0.0, t), len, 1e-9) << len;
  }
  XtGePoint2d p(4, 0);
  double t = 0;
  ASSERT_TRUE(c.isOn(p, t));
  expectNear(c.xtEvalPoint(t), p, 1e-12);
}
