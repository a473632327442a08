#include "tests/geometry/curveShapes.h"
#include "geometry/curveChainOffset.h"
#include "geometry/curveChainOffsetDetail.h"
#include "geometry/releasePtrArray.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace curveShapes;

namespace {

constexpr double kPi = XtGe::kPi;
class curveChainOffset : public WorkTolerances {};

// The chain's vertices: every piece's start, then the last piece's end.
std::vector<XtGePoint2d> vertices(const XtGeCurve2d& curve) {
  std::vector<XtGePoint2d> points;
  const auto& c = static_cast<const XtGeCompositeCurve2d&>(curve);
  for (int i = 0; i < c.numCurves(); ++i) {
    XtGePoint2d p;
    c.curveAt(i)->hasStartPoint(p);
    points.push_back(p);
  }
  XtGePoint2d end;
  c.hasEndPoint(end);
  points.push_back(end);
  return points;
}

void expectVertices(const XtGeCurve2d* curve, const std::vector<XtGePoint2d>& expected, double eps = 1e-9) {
  ASSERT_TRUE(curve);
  ASSERT_EQ(curve->type(), XtGe::kCompositeCrv2d);
  const std::vector<XtGePoint2d> got = vertices(*curve);
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < got.size(); ++i) EXPECT_LT(got[i].distanceTo(expected[i]), eps) << i;
}

// Segments through the points, one curve each (closed back to the first when asked).
void segmentsThrough(const std::vector<XtGePoint2d>& p, curvePtrArray& out, bool closed = false) {
  const std::size_t n = closed ? p.size() : p.size() - 1;
  for (std::size_t i = 0; i < n; ++i) out.append(new XtGeLineSeg2d(p[i], p[(i + 1) % p.size()]));
}

std::vector<XtGePoint2d> segmentEnds(const curvePtrArray& list) {
  std::vector<XtGePoint2d> points;
  for (const XtGeCurve2d* c : list) {
    XtGePoint2d s;
    XtGePoint2d e;
    c->hasStartPoint(s);
    c->hasEndPoint(e);
    points.push_back(s);
    points.push_back(e);
  }
  return points;
}

// A turn of `degrees` to the left at (10, 0) after a first leg along +X.
CompositePtr turn(double degrees) {
  const double a = degrees * kPi / 180.0;
  return outline({{0, 0}, {10, 0}, {10 + 10 * std::cos(a), 10 * std::sin(a)}}, {}, false);
}

}  // namespace

TEST_F(curveChainOffset, JoinedOffsetsOfRoomsKeepTheirShapeAndArea) {
  const CompositePtr square = box(0, 0, 10, 10);
  const CompositePtr clockwise = box(0, 0, 10, 10, true);
  const CompositePtr repeated = outline({{0, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 10}});
  const CompositePtr ell = outline({{0, 0}, {6, 0}, {6, 3}, {3, 3}, {3, 6}, {0, 6}});
  const CompositePtr rounded = roundedRectangle(0, 0, 10, 6, 1);
  const struct {
    const XtGeCurve2d* room;
    double d;
    double area;
  } cases[] = {{square.get(), 1, 64},       {square.get(), -1, 144},    {clockwise.get(), 1, 144},
               {repeated.get(), 1, 64},     {ell.get(), 1, 7},          {ell.get(), -1, 55},
               {rounded.get(), 0.5, 44 + kPi / 4}, {rounded.get(), -0.5, 68 + 2.25 * kPi}, {rounded.get(), 2, 12}};
  for (const auto& c : cases) {
    const std::unique_ptr<XtGeCurve2d> offset = offsetCurveJoined(c.room, c.d, kOffsetClosed | kOffsetCornerByTangents);
    ASSERT_TRUE(offset) << c.d;
    EXPECT_TRUE(offset->xtIsClosed(workTol));
    EXPECT_NEAR(closedArea(*offset), c.area, 1e-9) << c.d;
  }
  expectVertices(offsetCurveJoined(square.get(), 1, 5).get(), {{1, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 1}});
  expectVertices(offsetCurveJoined(repeated.get(), 1, 5).get(), {{1, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 1}});
  expectVertices(offsetCurveJoined(rounded.get(), 2, 5).get(), {{2, 2}, {8, 2}, {8, 4}, {2, 4}, {2, 2}});
  // Without the closed option the last and first pieces stay apart.
  expectVertices(offsetCurveJoined(square.get(), 1, kOffsetCornerByTangents).get(),
                 {{0, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 0}});
  expectVertices(offsetCurveJoined(square.get(), 0, 5).get(), {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
  // Outward arcs stay concentric with the corners.
  const std::unique_ptr<XtGeCurve2d> grown = offsetCurveJoined(rounded.get(), -0.5, 5);
  const auto& pieces = static_cast<const XtGeCompositeCurve2d&>(*grown);
  const XtGePoint2d centres[] = {{9, 1}, {9, 5}, {1, 5}, {1, 1}};
  int arcs = 0;
  for (int i = 0; i < pieces.numCurves(); ++i) {
    if (pieces.curveAt(i)->type() != XtGe::kCircArc2d) continue;
    const auto* arc = static_cast<const XtGeCircArc2d*>(pieces.curveAt(i));
    EXPECT_NEAR(arc->radius(), 1.5, 1e-12);
    EXPECT_LT(arc->center().distanceTo(centres[arcs++ % 4]), 1e-12);
  }
  EXPECT_EQ(arcs, 4);
}

TEST_F(curveChainOffset, CornersAreExtendedBuiltFromTangentsOrRefused) {
  // 160 degrees: the mitre lies 5.671 beyond the vertex, reached at the
  // third lengthening (by 6).
  const CompositePtr wide = turn(160);
  expectVertices(offsetCurveJoined(wide.get(), -1, 0).get(),
                 {{0, -1}, {10 + 1 / std::tan(10 * kPi / 180), -1}, wide->curveAt(1)->xtEvalPoint(1) +
                                                                         XtGeVector2d(std::sin(20 * kPi / 180), std::cos(20 * kPi / 180))});
  // 178 degrees: 57.29 away, beyond every lengthening.
  const CompositePtr sharp = turn(178);
  const XtGePoint2d mitre(10 + 1 / std::tan(kPi / 180), -1);
  const std::unique_ptr<XtGeCurve2d> corner = offsetCurveJoined(sharp.get(), -1, kOffsetCornerByTangents);
  ASSERT_TRUE(corner);
  const auto& four = static_cast<const XtGeCompositeCurve2d&>(*corner);
  ASSERT_EQ(four.numCurves(), 4);
  EXPECT_NEAR(four.curveAt(0)->length(), 10.0, 1e-12);  // every failed try was undone
  EXPECT_LT(vertices(four)[2].distanceTo(mitre), 1e-9);
  const std::unique_ptr<XtGeCurve2d> merged =
      offsetCurveJoined(sharp.get(), -1, kOffsetCornerByTangents | kOffsetMergeCorners);
  ASSERT_TRUE(merged);
  EXPECT_EQ(static_cast<const XtGeCompositeCurve2d&>(*merged).numCurves(), 2);
  EXPECT_LT(vertices(*merged)[1].distanceTo(mitre), 1e-9);
  EXPECT_FALSE(offsetCurveJoined(sharp.get(), -1, 0));
  EXPECT_EQ(sharp->numCurves(), 2);
  EXPECT_NEAR(sharp->totalLength(), 20.0, 1e-12);
}

TEST_F(curveChainOffset, OpenChainsLoseTheirLoopWithTheCleanUp) {
  const CompositePtr hook = outline({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 1}}, {}, false);
  const std::unique_ptr<XtGeCurve2d> crossing = offsetCurveJoined(hook.get(), 2, kOffsetCornerByTangents);
  ASSERT_TRUE(crossing);
  EXPECT_NEAR(crossing->length(), 27.0, 1e-9);
  expectVertices(offsetCurveJoined(hook.get(), 2, kOffsetCornerByTangents | kOffsetCleanOpenChain).get(),
                 {{0, 2}, {2, 2}, {2, 1}});
  // A piece the join turns round: no piece ends at the composite's end, so
  // the retry removes nothing and the clean-up ends with no result.
  chainOffsetDetail::ownedChain turned;
  turned.push_back(piece({0, 0}, {5, 0}));
  turned.push_back(piece({5, 0}, {5, 5}));
  turned.push_back(piece({5, 10}, {5, 5}));
  EXPECT_FALSE(chainOffsetDetail::cleanOpenChain(turned));
  // A piece lying on an earlier one goes.
  chainOffsetDetail::ownedChain doubled;
  doubled.push_back(piece({0, 0}, {10, 0}));
  doubled.push_back(piece({10, 0}, {4, 0}));
  expectVertices(chainOffsetDetail::cleanOpenChain(doubled).get(), {{0, 0}, {10, 0}});
}

TEST_F(curveChainOffset, BadInputGivesNothingAndLeavesTheInput) {
  const CompositePtr square = box(0, 0, 10, 10);
  const XtGeCompositeCurve2d empty;
  const XtGeEllipArc2d ellipse;
  EXPECT_FALSE(offsetCurveJoined(nullptr, 1, 5));
  EXPECT_FALSE(offsetCurveJoined(square.get(), std::numeric_limits<double>::quiet_NaN(), 5));
  EXPECT_FALSE(offsetCurveJoined(square.get(), std::numeric_limits<double>::infinity(), 5));
  EXPECT_FALSE(offsetCurveJoined(&empty, 1, 5));
  EXPECT_FALSE(offsetCurveJoined(&ellipse, 1, 5));
  EXPECT_FALSE(offsetCurveJoined(square.get(), 6, 5));  // nothing is left 6 inside
  EXPECT_EQ(closedArea(*square), 100.0);
  curvePtrArray out;
  EXPECT_FALSE(offsetCurve(nullptr, 1, out, XtGe::kExtend, workTol));
  EXPECT_FALSE(offsetCurve(&ellipse, 1, out, XtGe::kExtend, workTol));
  EXPECT_TRUE(offsetCurve(&ellipse, 0, out, XtGe::kExtend, workTol));
  EXPECT_EQ(out.count(), 1);
  releasePtrArray(out);
  chainSourceArray sources;
  curvePtrArray input;
  input.append(nullptr);
  EXPECT_EQ(offsetChainVariable(input, {}, out, sources, false), 0);
  input.removeAll();
  input.append(new XtGeRay2d());
  EXPECT_EQ(offsetChainVariable(input, {}, out, sources, false), 0);
  EXPECT_TRUE(out.isEmpty() && sources.isEmpty());
  releasePtrArray(input);
}

TEST_F(curveChainOffset, VariableDistancesJoinEachPairByCrossingExtensionOrSegment) {
  const struct {
    std::vector<XtGePoint2d> points;
    bool closed;
    std::vector<double> distances;
    bool reverseListed;
    std::vector<XtGePoint2d> ends;  // start and end of every piece
    std::vector<std::int32_t> sources;
  } cases[] = {
      {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, {1, 2, 3, 4}, false,
       {{4, 1}, {8, 1}, {8, 1}, {8, 7}, {8, 7}, {4, 7}, {4, 7}, {4, 1}}, {0, 1, 2, 3}},
      {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, {-1, -1, -1, -1}, false,
       {{-1, -1}, {11, -1}, {11, -1}, {11, 11}, {11, 11}, {-1, 11}, {-1, 11}, {-1, -1}}, {0, 1, 2, 3}},
      {{{0, 0}, {10, 0}, {10, 10}}, false, {1, 2}, false, {{0, 1}, {8, 1}, {8, 1}, {8, 10}}, {0, 1}},
      // Listed backwards (a two-curve list that stays open): the later piece
      // runs into the earlier one.
      {{{0, 0}, {10, 0}, {10, 10}}, false, {2, 1}, true, {{8, 1}, {8, 10}, {0, 1}, {8, 1}}, {0, 1}},
      {{{0, 0}, {10, 0}, {20, 0}}, false, {1, 2}, false, {{0, 1}, {10, 1}, {10, 1}, {10, 2}, {10, 2}, {20, 2}}, {0, 1, 1}},
  };
  for (const auto& c : cases) {
    curvePtrArray curves;
    segmentsThrough(c.points, curves, c.closed);
    if (c.reverseListed) std::swap(curves[0], curves[1]);
    curvePtrArray out;
    chainSourceArray sources;
    ASSERT_EQ(offsetChainVariable(curves, c.distances, out, sources, c.reverseListed), 1);
    for (const XtGeCurve2d* piece : out) EXPECT_EQ(piece->type(), XtGe::kLineSeg2d);
    const std::vector<XtGePoint2d> ends = segmentEnds(out);
    ASSERT_EQ(ends.size(), c.ends.size());
    for (std::size_t i = 0; i < ends.size(); ++i) EXPECT_LT(ends[i].distanceTo(c.ends[i]), 1e-9) << i;
    EXPECT_EQ(std::vector<std::int32_t>(sources.begin(), sources.end()), c.sources);
    releasePtrArray(out);
    releasePtrArray(curves);
  }
  // An arc after a segment whose circle misses the segment's ray: a
  // connecting segment.
  curvePtrArray curves;
  curves.append(new XtGeLineSeg2d({0, 0}, {10, 0}));
  curves.append(new XtGeCircArc2d({10, 5}, 5, -kPi / 2, 0));
  curvePtrArray out;
  chainSourceArray sources;
  const double distances[] = {1, 2};
  ASSERT_EQ(offsetChainVariable(curves, distances, out, sources, false), 1);
  ASSERT_EQ(out.count(), 3);
  EXPECT_EQ(out[2]->type(), XtGe::kCircArc2d);
  EXPECT_NEAR(static_cast<const XtGeCircArc2d*>(out[2])->radius(), 3, 1e-12);
  const std::vector<XtGePoint2d> ends = segmentEnds(out);
  const std::vector<XtGePoint2d> expected{{0, 1}, {10, 1}, {10, 1}, {10, 2}, {10, 2}, {13, 5}};
  for (std::size_t i = 0; i < ends.size(); ++i) EXPECT_LT(ends[i].distanceTo(expected[i]), 1e-9) << i;
  releasePtrArray(out);
  releasePtrArray(curves);
}

TEST_F(curveChainOffset, ArcsAreCutAtTheCrossingThatKeepsLeastOrNearestTheReference) {
  const double y = std::sqrt(21.0);
  for (const bool withReference : {false, true}) {
    std::unique_ptr<XtGeCurve2d> a = std::make_unique<XtGeCircArc2d>(XtGePoint2d(0, 0), 5, -kPi / 2, kPi / 2);
    std::unique_ptr<XtGeCurve2d> b =
        std::make_unique<XtGeCircArc2d>(XtGePoint2d(4, 0), 5, 100 * kPi / 180, 260 * kPi / 180);
    const XtGePoint2d reference(0, 5);
    ASSERT_TRUE(joinAtBestIntersection(a, b, withReference ? &reference : nullptr));
    const XtGePoint2d x(2, withReference ? y : -y);
    XtGePoint2d aEnd;
    XtGePoint2d bStart;
    a->hasEndPoint(aEnd);
    b->hasStartPoint(bStart);
    EXPECT_LT(aEnd.distanceTo(x) + bStart.distanceTo(x), 1e-9);
    EXPECT_NEAR(a->length(), withReference ? 13.650 : 2.058, 1e-3);
    EXPECT_NEAR(b->length(), withReference ? 12.778 : 1.185, 1e-3);
  }
  // Curves that do not meet stay; a ray is cut into a segment.
  std::unique_ptr<XtGeCurve2d> ray = std::make_unique<XtGeRay2d>(XtGePoint2d(0, 0), XtGeVector2d(1, 0));
  std::unique_ptr<XtGeCurve2d> far = piece({0, 5}, {5, 5});
  EXPECT_FALSE(joinAtBestIntersection(ray, far));
  std::unique_ptr<XtGeCurve2d> across = piece({3, -1}, {3, 1});
  ASSERT_TRUE(joinAtBestIntersection(ray, across));
  EXPECT_EQ(ray->type(), XtGe::kLineSeg2d);
  EXPECT_NEAR(ray->length(), 3.0, 1e-12);
  EXPECT_NEAR(across->length(), 1.0, 1e-12);
}

TEST_F(curveChainOffset, LoopsAreCutOutOfChainsWhereTheRulesKeepThem) {
  const struct {
    std::vector<XtGePoint2d> points;
    bool closed;
    double length;  // after the cut
  } cases[] = {
      {{{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, -5}, {15, -5}}, false, 20},
      {{{0, 0}, {10, 0}, {10, 10}, {6, 10}, {6, 4}, {8, 4}, {8, 6}, {4, 6}, {4, 10}, {0, 10}}, true, 48},
      {{{6, 4}, {8, 4}, {8, 6}, {4, 6}, {4, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 10}, {6, 10}}, true, 48},
      // Unchanged: the loop lies outside the closed chain; the open rest
      // lies inside its loop; touches at a piece's end.
      {{{0, 0}, {10, 0}, {10, 10}, {6, 10}, {6, 14}, {8, 14}, {8, 12}, {4, 12}, {4, 10}, {0, 10}}, true, 52},
      {{{4, 5}, {10, 5}, {10, 10}, {0, 10}, {0, 0}, {6, 0}, {6, 8}}, false, 45},
      {{{5, 0}, {10, 0}, {10, 5}, {5, 5}, {5, -5}}, false, 25},
      {{{0, 0}, {4, 0}, {4, 4}, {2, 0}, {0, 4}}, true, 4 + 4 + 2 * std::sqrt(20.0) + 4},
  };
  for (const auto& c : cases) {
    curvePtrArray curves;
    segmentsThrough(c.points, curves, c.closed);
    chainSourceArray sources;
    for (int i = 0; i < curves.count(); ++i) sources.append(i);
    EXPECT_TRUE(removeChainLoops(curves, sources));
    ASSERT_EQ(sources.count(), curves.count());
    double length = 0.0;
    for (int i = 0; i < curves.count(); ++i) {
      length += curves[i]->length();
      // Each piece still lies on the curve it came from.
      XtGePoint2d mid = curves[i]->xtEvalPoint(0.5);
      EXPECT_TRUE(XtGeLineSeg2d(c.points[sources[i]], c.points[(sources[i] + 1) % c.points.size()]).isOn(mid, workTol));
    }
    EXPECT_NEAR(length, c.length, 1e-9);
    if (c.closed && c.length == 48) {
      std::vector<CurvePtr> copies;
      for (const XtGeCurve2d* piece : curves) copies.emplace_back(piece->copy());
      EXPECT_NEAR(closedArea(XtGeCompositeCurve2d(std::move(copies))), 92.0, 1e-9);
    }
    releasePtrArray(curves);
  }
  // The open hook keeps its start and the leg leaving the crossing.
  curvePtrArray hook;
  segmentsThrough({{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, -5}, {15, -5}}, hook);
  chainSourceArray sources;
  for (int i = 0; i < hook.count(); ++i) sources.append(i);
  removeChainLoops(hook, sources);
  EXPECT_EQ(std::vector<std::int32_t>(sources.begin(), sources.end()), (std::vector<std::int32_t>{0, 3, 4}));
  const std::vector<XtGePoint2d> ends = segmentEnds(hook);
  EXPECT_LT(ends[1].distanceTo({5, 0}) + ends[3].distanceTo({5, -5}), 1e-9);
  // A source list of another count cuts nothing.
  sources.removeAll();
  EXPECT_TRUE(removeChainLoops(hook, sources));
  EXPECT_EQ(hook.count(), 3);
  releasePtrArray(hook);
}

TEST_F(curveChainOffset, NeighbouringArcsCrossingAwayFromTheirJointAreCut) {
  curvePtrArray arcs;
  arcs.append(new XtGeCircArc2d({0, 0}, 5, -120 * kPi / 180, kPi / 2));
  // From (0, 5) counter-clockwise round (4, 0) to 300 degrees.
  const XtGeVector2d up = XtGePoint2d(0, 5) - XtGePoint2d(4, 0);
  const double startAngle = std::atan2(up.y, up.x);
  arcs.append(new XtGeCircArc2d({4, 0}, std::sqrt(41.0), startAngle, 300 * kPi / 180));
  chainSourceArray sources;
  sources.append(0);
  sources.append(1);
  removeChainLoops(arcs, sources);
  ASSERT_EQ(arcs.count(), 2);
  const std::vector<XtGePoint2d> ends = segmentEnds(arcs);
  EXPECT_LT(ends[0].distanceTo({-2.5, -5 * std::sqrt(3.0) / 2}), 1e-9);
  EXPECT_LT(ends[1].distanceTo({0, -5}), 1e-9);
  EXPECT_LT(ends[2].distanceTo({0, -5}), 1e-9);
  EXPECT_LT(ends[3].distanceTo({7.2016, -5.5453}), 1e-4);
  releasePtrArray(arcs);
}
