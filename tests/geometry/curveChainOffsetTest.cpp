#include "tests/geometry/curveShapes.h"
#include "geometry/curveChainOffset.h"
#include "geometry/curveChainOffsetDetail.h"
#include "geometry/releasePtrArray.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace curveShapes;

namespace {

constexpr double kPi = XtGe::kPi;
constexpr double kDegree = kPi / 180.0;
class curveChainOffset : public WorkTolerances {};

std::vector<const XtGeCurve2d*> piecesOf(const XtGeCurve2d* curve) {
  std::vector<const XtGeCurve2d*> pieces;
  const auto* c = static_cast<const XtGeCompositeCurve2d*>(curve);
  for (int i = 0; curve != nullptr && i < c->numCurves(); ++i) pieces.push_back(c->curveAt(i));
  return pieces;
}

std::vector<const XtGeCurve2d*> piecesOf(const curvePtrArray& list) { return {list.begin(), list.end()}; }

// Expects the pieces to run on end to start through the vertices.
void expectChain(const std::vector<const XtGeCurve2d*>& pieces, const std::vector<XtGePoint2d>& vertices) {
  ASSERT_EQ(pieces.size() + 1, vertices.size());
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    XtGePoint2d s;
    XtGePoint2d e;
    ASSERT_TRUE(pieces[i]->hasStartPoint(s) && pieces[i]->hasEndPoint(e));
    EXPECT_LT(s.distanceTo(vertices[i]) + e.distanceTo(vertices[i + 1]), 1e-9) << i;
  }
}

// The pieces of the chain through the points, one curve each, sourced 0, 1, ...
void chainThrough(const std::vector<XtGePoint2d>& p, bool closed, curvePtrArray& curves, chainSourceArray* sources) {
  const CompositePtr chain = outline(p, {}, closed);
  for (int i = 0; i < chain->numCurves(); ++i) {
    curves.append(chain->curveAt(i)->copy());
    if (sources != nullptr) sources->append(i);
  }
}

// A turn of `degrees` to the left at (10, 0) after a first leg along +X.
CompositePtr turn(double degrees) {
  return outline({{0, 0}, {10, 0}, {10 + 10 * std::cos(degrees * kDegree), 10 * std::sin(degrees * kDegree)}}, {}, false);
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
  } cases[] = {{square.get(), 1, 64},   {square.get(), -1, 144},           {clockwise.get(), 1, 144},
               {repeated.get(), 1, 64}, {ell.get(), 1, 7},                 {ell.get(), -1, 55},
               {rounded.get(), 2, 12},  {rounded.get(), 0.5, 44 + kPi / 4}, {rounded.get(), -0.5, 68 + 2.25 * kPi}};
  for (const auto& c : cases) {
    const std::unique_ptr<XtGeCurve2d> offset = offsetCurveJoined(c.room, c.d, kOffsetClosed | kOffsetCornerByTangents);
    ASSERT_TRUE(offset) << c.d;
    EXPECT_TRUE(offset->xtIsClosed(workTol));
    EXPECT_NEAR(closedArea(*offset), c.area, 1e-9) << c.d;
  }
  const std::vector<XtGePoint2d> inner{{1, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 1}};
  expectChain(piecesOf(offsetCurveJoined(square.get(), 1, 5).get()), inner);
  expectChain(piecesOf(offsetCurveJoined(repeated.get(), 1, 5).get()), inner);
  expectChain(piecesOf(offsetCurveJoined(rounded.get(), 2, 5).get()), {{2, 2}, {8, 2}, {8, 4}, {2, 4}, {2, 2}});
  expectChain(piecesOf(offsetCurveJoined(square.get(), 0, 5).get()), {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
  // Without the closed option the last and first pieces stay apart.
  expectChain(piecesOf(offsetCurveJoined(square.get(), 1, kOffsetCornerByTangents).get()),
              {{0, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 0}});
  // Outward arcs stay concentric with the corners.
  const XtGePoint2d centres[] = {{9, 1}, {9, 5}, {1, 5}, {1, 1}};
  int arcs = 0;
  const std::unique_ptr<XtGeCurve2d> grown = offsetCurveJoined(rounded.get(), -0.5, 5);
  for (const XtGeCurve2d* piece : piecesOf(grown.get())) {
    if (piece->type() != XtGe::kCircArc2d) continue;
    const auto* arc = static_cast<const XtGeCircArc2d*>(piece);
    EXPECT_NEAR(arc->radius(), 1.5, 1e-12);
    EXPECT_LT(arc->center().distanceTo(centres[arcs++ % 4]), 1e-12);
  }
  EXPECT_EQ(arcs, 4);
}

TEST_F(curveChainOffset, CornersAreExtendedBuiltFromTangentsOrRefused) {
  // 160 degrees: the mitre lies 5.671 beyond the vertex, reached at the
  // third lengthening (by 6).
  const CompositePtr wide = turn(160);
  const XtGeVector2d right(std::sin(20 * kDegree), std::cos(20 * kDegree));
  expectChain(piecesOf(offsetCurveJoined(wide.get(), -1, 0).get()),
              {{0, -1}, {10 + 1 / std::tan(10 * kDegree), -1}, wide->curveAt(1)->xtEvalPoint(1) + right});
  // 178 degrees: 57.29 away, beyond every lengthening.
  const CompositePtr sharp = turn(178);
  const XtGePoint2d mitre(10 + 1 / std::tan(kDegree), -1);
  const std::unique_ptr<XtGeCurve2d> corner = offsetCurveJoined(sharp.get(), -1, kOffsetCornerByTangents);
  const std::vector<const XtGeCurve2d*> four = piecesOf(corner.get());
  ASSERT_EQ(four.size(), 4u);
  EXPECT_NEAR(four[0]->length(), 10.0, 1e-12);  // every failed try was undone
  EXPECT_LT(four[2]->xtEvalPoint(0).distanceTo(mitre), 1e-9);
  const std::unique_ptr<XtGeCurve2d> merged =
      offsetCurveJoined(sharp.get(), -1, kOffsetCornerByTangents | kOffsetMergeCorners);
  const std::vector<const XtGeCurve2d*> two = piecesOf(merged.get());
  ASSERT_EQ(two.size(), 2u);
  EXPECT_LT(two[1]->xtEvalPoint(0).distanceTo(mitre), 1e-9);
  EXPECT_FALSE(offsetCurveJoined(sharp.get(), -1, 0));
  EXPECT_NEAR(sharp->totalLength(), 20.0, 1e-12);
}

TEST_F(curveChainOffset, OpenChainsLoseTheirLoopWithTheCleanUp) {
  const CompositePtr hook = outline({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 1}}, {}, false);
  const std::unique_ptr<XtGeCurve2d> crossing = offsetCurveJoined(hook.get(), 2, kOffsetCornerByTangents);
  ASSERT_TRUE(crossing);
  EXPECT_NEAR(crossing->length(), 27.0, 1e-9);
  expectChain(piecesOf(offsetCurveJoined(hook.get(), 2, kOffsetCornerByTangents | kOffsetCleanOpenChain).get()),
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
  expectChain(piecesOf(chainOffsetDetail::cleanOpenChain(doubled).get()), {{0, 0}, {10, 0}});
}

TEST_F(curveChainOffset, BadInputGivesNothingAndLeavesTheInput) {
  const CompositePtr square = box(0, 0, 10, 10);
  const XtGeCompositeCurve2d empty;
  const XtGeEllipArc2d ellipse;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const double d : {nan, std::numeric_limits<double>::infinity(), 6.0})  // nothing is left 6 inside
    EXPECT_FALSE(offsetCurveJoined(square.get(), d, 5));
  EXPECT_FALSE(offsetCurveJoined(nullptr, 1, 5));
  EXPECT_FALSE(offsetCurveJoined(&empty, 1, 5));
  EXPECT_FALSE(offsetCurveJoined(&ellipse, 1, 5));
  EXPECT_EQ(closedArea(*square), 100.0);
  curvePtrArray out;
  EXPECT_FALSE(offsetCurve(nullptr, 1, out, XtGe::kExtend, workTol));
  EXPECT_FALSE(offsetCurve(&ellipse, 1, out, XtGe::kExtend, workTol));
  EXPECT_TRUE(offsetCurve(&ellipse, 0, out, XtGe::kExtend, workTol));
  EXPECT_EQ(out.count(), 1);
  releasePtrArray(out);
  chainSourceArray sources;
  curvePtrArray input;
  const double nanDistance[] = {nan};
  EXPECT_EQ(offsetChainVariable(input, nanDistance, out, sources, false), 1);  // nothing to offset
  input.append(nullptr);
  EXPECT_EQ(offsetChainVariable(input, {}, out, sources, false), 0);
  input[0] = new XtGeRay2d();
  EXPECT_EQ(offsetChainVariable(input, {}, out, sources, false), 0);
  chainThrough({{0, 0}, {10, 0}}, false, input, nullptr);
  releasePtrArray(input);
  chainThrough({{0, 0}, {10, 0}}, false, input, nullptr);
  EXPECT_EQ(offsetChainVariable(input, nanDistance, out, sources, false), 0);
  EXPECT_TRUE(out.isEmpty() && sources.isEmpty());
  releasePtrArray(input);
}

TEST_F(curveChainOffset, VariableDistancesJoinEachPairByCrossingExtensionOrSegment) {
  const struct {
    std::vector<XtGePoint2d> points;
    bool closed;
    std::vector<double> distances;
    bool listedBackwards;
    std::vector<XtGePoint2d> vertices;
    std::vector<std::int32_t> sources;
  } cases[] = {
      {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, {1, 2, 3, 4}, false, {{4, 1}, {8, 1}, {8, 7}, {4, 7}, {4, 1}}, {0, 1, 2, 3}},
      // The extensions meet: four segments, no ray.
      {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, {-1, -1, -1, -1}, false,
       {{-1, -1}, {11, -1}, {11, 11}, {-1, 11}, {-1, -1}}, {0, 1, 2, 3}},
      {{{0, 0}, {10, 0}, {10, 10}}, false, {1, 2}, false, {{0, 1}, {8, 1}, {8, 10}}, {0, 1}},
      // Parallel pieces: a connecting segment, sourced from the later piece.
      {{{0, 0}, {10, 0}, {20, 0}}, false, {1, 2}, false, {{0, 1}, {10, 1}, {10, 2}, {20, 2}}, {0, 1, 1}},
  };
  for (const auto& c : cases) {
    curvePtrArray curves;
    chainThrough(c.points, c.closed, curves, nullptr);
    curvePtrArray out;
    chainSourceArray sources;
    ASSERT_EQ(offsetChainVariable(curves, c.distances, out, sources, false), 1);
    for (const XtGeCurve2d* piece : out) EXPECT_EQ(piece->type(), XtGe::kLineSeg2d);
    expectChain(piecesOf(out), c.vertices);
    EXPECT_EQ(std::vector<std::int32_t>(sources.begin(), sources.end()), c.sources);
    releasePtrArray(out);
    // Listed backwards with reverse joints, a two-curve list stays open and
    // the later piece runs into the earlier one.
    if (curves.count() == 2 && c.distances[0] != c.distances[1] && !c.closed) {
      std::swap(curves[0], curves[1]);
      const double swapped[] = {c.distances[1], c.distances[0]};
      ASSERT_EQ(offsetChainVariable(curves, swapped, out, sources, true), 1);
      std::vector<const XtGeCurve2d*> travelled = piecesOf(out);
      std::reverse(travelled.begin(), travelled.end());
      expectChain(travelled, c.vertices);
      releasePtrArray(out);
    }
    releasePtrArray(curves);
  }
  // An arc whose circle misses the segment's ray: a connecting segment.
  curvePtrArray curves;
  curves.append(new XtGeLineSeg2d({0, 0}, {10, 0}));
  curves.append(new XtGeCircArc2d({10, 5}, 5, -kPi / 2, 0));
  curvePtrArray out;
  chainSourceArray sources;
  const double distances[] = {1, 2};
  ASSERT_EQ(offsetChainVariable(curves, distances, out, sources, false), 1);
  expectChain(piecesOf(out), {{0, 1}, {10, 1}, {10, 2}, {13, 5}});
  EXPECT_NEAR(static_cast<const XtGeCircArc2d*>(out[2])->radius(), 3, 1e-12);
  releasePtrArray(out);
  releasePtrArray(curves);
}

TEST_F(curveChainOffset, ArcsAreCutAtTheCrossingThatKeepsLeastOrNearestTheReference) {
  for (const bool withReference : {false, true}) {
    std::unique_ptr<XtGeCurve2d> a = std::make_unique<XtGeCircArc2d>(XtGePoint2d(0, 0), 5, -kPi / 2, kPi / 2);
    std::unique_ptr<XtGeCurve2d> b = std::make_unique<XtGeCircArc2d>(XtGePoint2d(4, 0), 5, 100 * kDegree, 260 * kDegree);
    const XtGePoint2d reference(0, 5);
    ASSERT_TRUE(joinAtBestIntersection(a, b, withReference ? &reference : nullptr));
    const XtGePoint2d x(2, withReference ? std::sqrt(21.0) : -std::sqrt(21.0));
    const XtGePoint2d bEnd = XtGePoint2d(4, 0) + 5 * XtGeVector2d(std::cos(260 * kDegree), std::sin(260 * kDegree));
    expectChain({a.get(), b.get()}, {{0, -5}, x, bEnd});
    EXPECT_NEAR(a->length(), withReference ? 13.650 : 2.058, 1e-3);
    EXPECT_NEAR(b->length(), withReference ? 12.778 : 1.185, 1e-3);
  }
  // Curves that do not meet stay; a ray is cut into a segment.
  std::unique_ptr<XtGeCurve2d> ray = std::make_unique<XtGeRay2d>(XtGePoint2d(0, 0), XtGeVector2d(1, 0));
  std::unique_ptr<XtGeCurve2d> far = piece({0, 5}, {5, 5});
  EXPECT_FALSE(joinAtBestIntersection(ray, far));
  std::unique_ptr<XtGeCurve2d> across = piece({3, -1}, {3, 1});
  ASSERT_TRUE(joinAtBestIntersection(ray, across));
  expectChain({ray.get(), across.get()}, {{0, 0}, {3, 0}, {3, 1}});
}

TEST_F(curveChainOffset, LoopsAreCutOutOfChainsWhereTheRulesKeepThem) {
  const struct {
    std::vector<XtGePoint2d> points;
    bool closed;
    double length;  // after the cut
    double area;    // of a closed result
  } cases[] = {
      {{{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, -5}, {15, -5}}, false, 20, 0},
      {{{0, 0}, {10, 0}, {10, 10}, {6, 10}, {6, 4}, {8, 4}, {8, 6}, {4, 6}, {4, 10}, {0, 10}}, true, 48, 92},
      {{{6, 4}, {8, 4}, {8, 6}, {4, 6}, {4, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 10}, {6, 10}}, true, 48, 92},
      // Unchanged: the loop lies outside the closed chain; the open rest
      // lies inside its loop; touches at a piece's end.
      {{{0, 0}, {10, 0}, {10, 10}, {6, 10}, {6, 14}, {8, 14}, {8, 12}, {4, 12}, {4, 10}, {0, 10}}, true, 52, 0},
      {{{4, 5}, {10, 5}, {10, 10}, {0, 10}, {0, 0}, {6, 0}, {6, 8}}, false, 45, 0},
      {{{5, 0}, {10, 0}, {10, 5}, {5, 5}, {5, -5}}, false, 25, 0},
      {{{0, 0}, {4, 0}, {4, 4}, {2, 0}, {0, 4}}, true, 12 + 2 * std::sqrt(20.0), 0},
  };
  for (const auto& c : cases) {
    curvePtrArray curves;
    chainSourceArray sources;
    chainThrough(c.points, c.closed, curves, &sources);
    // A source list of another count cuts nothing.
    chainSourceArray none;
    EXPECT_TRUE(removeChainLoops(curves, none));
    EXPECT_EQ(curves.count() + 1, static_cast<int>(c.points.size()) + (c.closed ? 1 : 0));
    EXPECT_TRUE(removeChainLoops(curves, sources));
    ASSERT_EQ(sources.count(), curves.count());
    double length = 0.0;
    std::vector<CurvePtr> copies;
    for (int i = 0; i < curves.count(); ++i) {
      length += curves[i]->length();
      copies.emplace_back(curves[i]->copy());
      // Each piece still lies on the curve it came from.
      const XtGeLineSeg2d source(c.points[sources[i]], c.points[(sources[i] + 1) % c.points.size()]);
      EXPECT_TRUE(source.isOn(curves[i]->xtEvalPoint(0.5), workTol));
    }
    EXPECT_NEAR(length, c.length, 1e-9);
    if (c.area > 0) {
      EXPECT_NEAR(closedArea(XtGeCompositeCurve2d(std::move(copies))), c.area, 1e-9);
    }
    if (!c.closed && c.length == 20) {
      expectChain(piecesOf(curves), {{0, 0}, {5, 0}, {5, -5}, {15, -5}});
      EXPECT_EQ(std::vector<std::int32_t>(sources.begin(), sources.end()), (std::vector<std::int32_t>{0, 3, 4}));
    }
    releasePtrArray(curves);
  }
  // Neighbouring arcs meeting at (0, 5) and again at (0, -5).
  curvePtrArray arcs;
  chainSourceArray sources;
  arcs.append(new XtGeCircArc2d({0, 0}, 5, -120 * kDegree, kPi / 2));
  arcs.append(new XtGeCircArc2d({4, 0}, std::sqrt(41.0), std::atan2(5.0, -4.0), 300 * kDegree));
  sources.append(0);
  sources.append(1);
  removeChainLoops(arcs, sources);
  const XtGePoint2d end(4 + std::sqrt(41.0) / 2, -std::sqrt(41.0) * std::sqrt(3.0) / 2);
  expectChain(piecesOf(arcs), {{-2.5, -2.5 * std::sqrt(3.0)}, {0, -5}, end});
  releasePtrArray(arcs);
}
