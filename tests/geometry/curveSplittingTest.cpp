#include "tests/geometry/curveShapes.h"
#include "geometry/curveSplitting.h"
#include "geometry/savedTolerance.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

using namespace curveShapes;

namespace {
class curveSplitting : public WorkTolerances {};
const double kNo = std::numeric_limits<double>::quiet_NaN();  // no such end
}  // namespace

TEST_F(curveSplitting, PiecesRunFromTheStartAndAreNeverCutAtTheirEnds) {
  const XtGeCircArc2d circle(XtGePoint2d(5, 0), 2.0);
  auto reversed = std::make_unique<XtGeRay2d>(XtGePoint2d(0, 0), XtGeVector2d(1, 0));
  reversed->reverseParam();
  const XtGePoint2d no(kNo, kNo);
  struct {
    CurvePtr curve, cutter;
    std::vector<XtGePoint2d> chain;  // piece i runs from point i to point i + 1
  } cases[] = {
      {piece({0, 0}, {10, 0}), CurvePtr(circle.copy()), {{0, 0}, {3, 0}, {7, 0}, {10, 0}}},
      {std::make_unique<XtGeRay2d>(XtGePoint2d(0, 0), XtGeVector2d(1, 0)), CurvePtr(circle.copy()),
       {{0, 0}, {3, 0}, {7, 0}, no}},
      {std::make_unique<XtGeLine2d>(XtGePoint2d(0, 0), XtGeVector2d(1, 0)), CurvePtr(circle.copy()),
       {no, {3, 0}, {7, 0}, no}},
      {std::move(reversed), CurvePtr(circle.copy()), {no, {7, 0}, {3, 0}, {0, 0}}},
      {std::make_unique<XtGeCircArc2d>(XtGePoint2d(0, 0), 1.0), piece({0, -2}, {0, 2}), {{1, 0}, {0, 1}, {0, -1}, {1, 0}}},
      // The tip of a V touching it; hits at its own ends; hits 1/2 workTol apart.
      {piece({0, 0}, {10, 0}), outline({{4, 3}, {5, 0}, {6, 3}}, {}, false), {{0, 0}, {5, 0}, {10, 0}}},
      {piece({0, 0}, {10, 0}), box(0, -1, 10, 1), {{0, 0}, {10, 0}}},
      {piece({0, 0}, {10, 0}), outline({{5, -1}, {5, 1}, {5 + 5e-7, 1}, {5 + 5e-7, -1}}, {}, false),
       {{0, 0}, {5, 0}, {10, 0}}},
      // Part of a side shared: cut at both ends of the common stretch.
      {box(0, 0, 2, 2), box(2, 0.5, 3, 1.5), {{0, 0}, {2, 0}, {2, 0.5}, {2, 1.5}, {2, 2}, {0, 2}, {0, 0}}},
      {piece({5, 0}, {5, 0}), piece({5, -1}, {5, 1}), {{5, 0}, {5, 0}}}};
  for (const auto& c : cases) {
    ownedCurveList pieces;
    splitCurveAtCurve(*c.curve, *c.cutter, pieces.list);
    ASSERT_EQ(pieces.list.count() + 1, static_cast<int>(c.chain.size()));
    for (int i = 0; i < pieces.list.count(); ++i) {
      XtGePoint2d p;
      XtGePoint2d q;
      ASSERT_EQ(pieces.list[i]->hasStartPoint(p), !std::isnan(c.chain[i].x));
      ASSERT_EQ(pieces.list[i]->hasEndPoint(q), !std::isnan(c.chain[i + 1].x));
      EXPECT_TRUE(std::isnan(c.chain[i].x) || p.distanceTo(c.chain[i]) < 1e-9);
      EXPECT_TRUE(std::isnan(c.chain[i + 1].x) || q.distanceTo(c.chain[i + 1]) < 1e-9);
    }
  }
}

TEST_F(curveSplitting, ClosedCurveCutIntoTwoSidesAlongAPathThatCrossesItTwice) {
  const CompositePtr square = box(0, 0, 1, 1);
  const std::pair<CompositePtr, double> cases[] = {  // path, smaller side (0: refused)
      {outline({{0.3, -1}, {0.3, 2}}, {}, false), 0.3},
      {outline({{0.5, -1}, {0.5, 0.5}, {0.2, 0.5}, {0.2, 2}}, {}, false), 0.35},
      {outline({{0.2, 2}, {0.2, 0.5}, {0.5, 0.5}, {0.5, -1}}, {}, false), 0.35},
      {outline({{0.5, -1}, {0.5, 2}, {0.7, 2}, {0.7, 0.5}}, {}, false), 0.0},  // three crossings
      {outline({{0.5, -1}, {0.5, 0.5}}, {}, false), 0.0},                      // one
      {box(0.5, -1, 0.7, 2), 0.0}};                                             // a closed path
  for (const auto& [path, smaller] : cases) {
    ownedCurveList out;
    ASSERT_EQ(intersectAndSplitPair(*path, *square, out.list), smaller > 0 ? 1 : 0);
    ASSERT_EQ(out.list.count(), smaller > 0 ? 2 : 0);
    if (smaller == 0) continue;
    EXPECT_NEAR(std::min(closedArea(*out.list[0]), closedArea(*out.list[1])), smaller, 1e-9);
    EXPECT_NEAR(closedArea(*out.list[0]) + closedArea(*out.list[1]), 1.0, 1e-9);
  }
}

TEST_F(curveSplitting, PairSplitRefusesPathsThatStrand) {
  // The outline closes but its side from one crossing never reaches the other.
  std::vector<CurvePtr> gapped;
  for (const auto& [p, q] : {std::pair<XtGePoint2d, XtGePoint2d>{{0, 0}, {1, 0}}, {{1, 0}, {1, 1}},
                             {{1, 1.5}, {0, 1.5}}, {{0, 1.5}, {0, 0}}})
    gapped.push_back(piece(p, q));
  ownedCurveList out;
  EXPECT_EQ(intersectAndSplitPair(*piece({0.5, -1}, {0.5, 2}), XtGeCompositeCurve2d(std::move(gapped)), out.list), 0);
  EXPECT_EQ(out.list.count(), 0);

  // Crossings found under a tolerance 1000 times coarser than the pieces are
  // cut with: 0 and nothing, or two closed sides.
  const savedTolerance restore;
  XtGeContext::gTol = XtGeTol(1e-3, 1e-5);
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> u(-0.5, 1.5);
  const CompositePtr square = box(0, 0, 1, 1);
  for (int k = 0; k < 500; ++k) {
    std::vector<XtGePoint2d> points;
    for (int i = 0; i < 2 + k % 5; ++i) points.emplace_back(u(rng), u(rng));
    ownedCurveList sides;
    const int result = intersectAndSplitPair(*outline(points, {}, false), *square, sides.list);
    ASSERT_EQ(sides.list.count(), 2 * result);
    for (const XtGeCurve2d* side : sides.list) EXPECT_TRUE(side->xtIsClosed(workTol));
  }
}

TEST_F(curveSplitting, CommonRegionOrPiecesInsideAFrame) {
  const CompositePtr frame = box(0, 0, 2, 2);
  ownedCurveList out;
  splitCurvesAtIntersections(XtGeLine2d(XtGePoint2d(0, 1), XtGeVector2d(1, 1)), *frame, out.list, true);
  ASSERT_EQ(out.list.count(), 1);
  EXPECT_NEAR(out.list[0]->length(), std::sqrt(2.0), 1e-9);
  splitCurvesAtIntersections(*box(1, 1, 3, 3), *frame, out.list, false);
  splitCurvesAtIntersections(*outline({{1, 1}, {3, 1}, {3, 3}}, {}, false), *frame, out.list, false);
  ASSERT_EQ(out.list.count(), 2);
  EXPECT_NEAR(closedArea(*out.list[1]), 1.0, 1e-9);
}
