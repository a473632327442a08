#include "tests/geometry/curveShapes.h"
#include "tests/geometry/regionAreas.h"
#include "geometry/curveSplitting.h"
#include "geometry/savedTolerance.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

using namespace curveShapes;
using regionAreas::areaOf;

namespace {
class curveSplitting : public WorkTolerances {};
const double kNo = std::numeric_limits<double>::quiet_NaN();  // no such end
}  // namespace

TEST_F(curveSplitting, PiecesRunFromTheStartAndAreNeverCutAtTheirEnds) {
  const XtGeCircArc2d circle(XtGePoint2d(5, 0), 2.0);
  auto reversed = std::make_unique<XtGeRay2d>(XtGePoint2d(0, 0), XtGeVector2d(1, 0));
  reversed->reverseParam();
  struct cutCase {
    CurvePtr curve;
    CurvePtr cutter;
    std::vector<XtGePoint2d> ends;  // start and end of each piece
  };
  std::vector<cutCase> cases;
  cases.push_back({piece({0, 0}, {10, 0}), CurvePtr(circle.copy()), {{0, 0}, {3, 0}, {3, 0}, {7, 0}, {7, 0}, {10, 0}}});
  cases.push_back({std::make_unique<XtGeRay2d>(XtGePoint2d(0, 0), XtGeVector2d(1, 0)), CurvePtr(circle.copy()),
                   {{0, 0}, {3, 0}, {3, 0}, {7, 0}, {7, 0}, {kNo, kNo}}});
  cases.push_back({std::make_unique<XtGeLine2d>(XtGePoint2d(0, 0), XtGeVector2d(1, 0)), CurvePtr(circle.copy()),
                   {{kNo, kNo}, {3, 0}, {3, 0}, {7, 0}, {7, 0}, {kNo, kNo}}});
  cases.push_back({std::move(reversed), CurvePtr(circle.copy()), {{kNo, kNo}, {7, 0}, {7, 0}, {3, 0}, {3, 0}, {0, 0}}});
  cases.push_back({std::make_unique<XtGeCircArc2d>(XtGePoint2d(0, 0), 1.0), piece({0, -2}, {0, 2}),
                   {{1, 0}, {0, 1}, {0, 1}, {0, -1}, {0, -1}, {1, 0}}});
  // The tip of a V touching it; hits at its own ends; hits 1/2 workTol apart.
  cases.push_back({piece({0, 0}, {10, 0}), outline({{4, 3}, {5, 0}, {6, 3}}, {}, false), {{0, 0}, {5, 0}, {5, 0}, {10, 0}}});
  cases.push_back({piece({0, 0}, {10, 0}), box(0, -1, 10, 1), {{0, 0}, {10, 0}}});
  cases.push_back({piece({0, 0}, {10, 0}), outline({{5, -1}, {5, 1}, {5 + 5e-7, 1}, {5 + 5e-7, -1}}, {}, false),
                   {{0, 0}, {5, 0}, {5, 0}, {10, 0}}});
  // Part of a side shared: cut at both ends of the common stretch.
  cases.push_back({box(0, 0, 2, 2), box(2, 0.5, 3, 1.5),
                   {{0, 0}, {2, 0}, {2, 0}, {2, 0.5}, {2, 0.5}, {2, 1.5}, {2, 1.5}, {2, 2}, {2, 2}, {0, 2}, {0, 2}, {0, 0}}});
  cases.push_back({piece({5, 0}, {5, 0}), piece({5, -1}, {5, 1}), {{5, 0}, {5, 0}}});
  for (std::size_t k = 0; k < cases.size(); ++k) {
    SCOPED_TRACE(k);
    ownedCurveList pieces;
    splitCurveAtCurve(*cases[k].curve, *cases[k].cutter, pieces.list);
    ASSERT_EQ(2 * pieces.list.count(), static_cast<int>(cases[k].ends.size()));
    for (int i = 0; i < pieces.list.count(); ++i) {
      for (const bool atEnd : {false, true}) {
        const XtGePoint2d& want = cases[k].ends[2 * i + atEnd];
        XtGePoint2d p;
        ASSERT_EQ(atEnd ? pieces.list[i]->hasEndPoint(p) : pieces.list[i]->hasStartPoint(p), !std::isnan(want.x));
        EXPECT_TRUE(std::isnan(want.x) || p.distanceTo(want) < 1e-9);
      }
    }
  }
}

// Random bulged outlines, either way round, near the origin and at 1e7 in
// millimetres, cut at each other: pieces run on, keep the length, none short.
TEST_F(curveSplitting, PiecesOfRandomOutlinesRunOnAndKeepTheirLength) {
  std::mt19937 rng(5);
  for (int k = 0; k < 60; ++k) {
    const double s = k % 2 ? 1000.0 : 1.0;
    const XtGePoint2d o = k % 2 ? XtGePoint2d(1e7, -1e7) : XtGePoint2d(0, 0);
    workTol = XtGeTol(s * 1e-6, s * 1e-8);
    CompositePtr a = randomOutline(rng, o, 4 + k % 9, 3 * s, 9 * s, 0.4);
    CompositePtr b = randomOutline(rng, XtGePoint2d(o.x + 4 * s, o.y), 4 + k % 7, 3 * s, 9 * s, 0.4);
    if (k % 3 == 0) b->reverseParam();
    ownedCurveList pieces;
    splitCurveAtCurve(*a, *b, pieces.list);
    double total = 0.0;
    for (int i = 0; i < pieces.list.count(); ++i) {
      EXPECT_GT(pieces.list[i]->length(), workTol.equalPoint());
      total += pieces.list[i]->length();
      XtGePoint2d end;
      XtGePoint2d next;
      pieces.list[i]->hasEndPoint(end);
      pieces.list[(i + 1) % pieces.list.count()]->hasStartPoint(next);
      EXPECT_LT(end.distanceTo(next), 1e-5 * s);
    }
    EXPECT_NEAR(total, a->totalLength(), 1e-9 * a->totalLength());
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
    EXPECT_NEAR(std::min(areaOf(*out.list[0]), areaOf(*out.list[1])), smaller, 1e-9);
    EXPECT_NEAR(areaOf(*out.list[0]) + areaOf(*out.list[1]), 1.0, 1e-9);
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
  EXPECT_NEAR(areaOf(*out.list[1]), 1.0, 1e-9);
}
