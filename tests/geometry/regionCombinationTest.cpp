#include "tests/geometry/curveShapes.h"
#include "geometry/regionCombination.h"
#include "geometry/forEachSimplePiece.h"
#include "platform/ge/XtGeLine2d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

using namespace curveShapes;

namespace {

class regionCombination : public WorkTolerances {};

constexpr double kPi = XtGe::kPi;
// keepA, dropB of the union, the intersection, A - B and B - A.
constexpr bool kSelectors[4][2] = {{false, true}, {true, false}, {false, false}, {true, true}};

bool passesAVertexTwice(const XtGeCurve2d& curve) {
  std::vector<XtGePoint2d> starts;
  forEachSimplePiece(curve, [&](const XtGeCurve2d& piece) { return piece.hasStartPoint(starts.emplace_back()); });
  for (std::size_t i = 0; i < starts.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (starts[i].isEqualTo(starts[j], workTol)) return true;
  return false;
}

// The net area (-1 for no curve) of each combination; the results must be
// closed, simple and not cross, and the calling thread's tolerance stay.
std::array<double, 4> combineAll(const XtGeCurve2d& a, const XtGeCurve2d& b, int* counts = nullptr) {
  std::array<double, 4> areas{};
  const double before = XtGeContext::gTol.equalPoint();
  for (int op = 0; op < 4; ++op) {
    ownedCurveList out;
    combineClosedCurves(a, b, out.list, kSelectors[op][0], nullptr, kSelectors[op][1]);
    EXPECT_EQ(XtGeContext::gTol.equalPoint(), before);
    for (int i = 0; i < out.list.count(); ++i) {
      EXPECT_TRUE(out.list[i]->xtIsClosed(workTol));
      EXPECT_FALSE(passesAVertexTwice(*out.list[i]));
      for (int j = 0; j < i; ++j) EXPECT_NE(classifyCurveRelation(*out.list[i], *out.list[j]), kRelationCrossing);
    }
    if (counts != nullptr) counts[op] = out.list.count();
    areas[op] = out.list.isEmpty() ? -1.0 : netArea(out.list);
  }
  return areas;
}

// |A u B| + |A n B| = |A| + |B|, |A - B| = |A| - |A n B|, |B - A| likewise.
void expectAreasAddUp(const XtGeCurve2d& a, const XtGeCurve2d& b) {
  std::array<double, 4> r = combineAll(a, b);
  for (double& area : r) area = std::max(area, 0.0);
  const double tol = 1e-6 * (closedArea(a) + closedArea(b));
  EXPECT_NEAR(r[0] + r[1], closedArea(a) + closedArea(b), tol);
  EXPECT_NEAR(r[2], closedArea(a) - r[1], tol);
  EXPECT_NEAR(r[3], closedArea(b) - r[1], tol);
}

}  // namespace

TEST_F(regionCombination, RelationsAndAreasOfShapesPeopleDraw) {
  struct pairCase {
    CurvePtr a, b;
    int relation;                  // of B to A
    std::array<double, 4> areas;   // union, intersection, A - B, B - A
    std::array<int, 4> curves;
  };
  const auto circle = [](double x, double y, double r) { return std::make_unique<XtGeCircArc2d>(XtGePoint2d(x, y), r); };
  pairCase cases[] = {
      {box(0, 0, 2, 2), box(1, 1, 3, 3), 8, {7, 1, 3, 3}, {1, 1, 1, 1}},
      {circle(4, 4, 3), circle(4, 4, 1), 2, {9 * kPi, kPi, 8 * kPi, -1}, {1, 1, 2, 0}},
      {box(0, 0, 2, 2), box(0, 0, 2, 2, true), 4, {4, 4, -1, -1}, {1, 1, 0, 0}},
      {box(0, 0, 1, 1), box(1, 0, 2, 1), 5, {2, -1, 1, 1}, {1, 0, 1, 1}},
      {box(0, 0, 2, 2), box(2, 0.5, 3, 1.5), 5, {5, -1, 4, 1}, {1, 0, 1, 1}},
      {box(0, 0, 2, 2), circle(2, 1, 0.5), 8, {4 + kPi / 8, kPi / 8, 4 - kPi / 8, kPi / 8}, {1, 1, 1, 1}},
      // Through two corners, tangent to two sides there.
      {box(0, 0, 2, 2, true), circle(2, 1, 1), 8, {4 + kPi / 2, kPi / 2, 4 - kPi / 2, kPi / 2}, {1, 1, 1, 1}},
      {box(0, 0, 4, 4), box(0, 0, 1, 1, true), 6, {16, 1, 15, -1}, {1, 1, 1, 0}},
      // Results that touch themselves at a point come apart there: two lobes
      // of A meet at (2, 1); the union closes round the hole [1, 2]^2, which
      // touches it at (1, 3).
      {box(0, 0, 2, 2), outline({{1, 0}, {3, 0}, {3, 2}, {1, 2}, {1, 1.5}, {2, 1}, {1, 0.5}}), 8,
       {6, 1.5, 2.5, 2}, {1, 2, 1, 1}},
      {outline({{0, 0}, {3, 0}, {3, 1}, {1, 1}, {1, 3}, {0, 3}}),
       outline({{2, 3}, {1, 3}, {1, 4}, {3.5, 4}, {3.5, 0.5}, {2, 0.5}}), 8, {10.75, 0.5, 4.5, 5.75}, {2, 1, 1, 1}}};
  for (const pairCase& c : cases) {
    EXPECT_EQ(classifyCurveRelation(*c.b, *c.a), c.relation);
    int counts[4];
    const std::array<double, 4> areas = combineAll(*c.a, *c.b, counts);
    for (int op = 0; op < 4; ++op) {
      EXPECT_EQ(counts[op], c.curves[op]) << c.relation << " " << op;
      EXPECT_NEAR(areas[op], c.areas[op], 1e-9) << c.relation << " " << op;
    }
  }
  // Loops split apart run counter-clockwise round regions, clockwise round holes.
  for (auto [c, keepA, dropB, first, second] : {std::tuple(&cases[8], true, false, 0.75, 0.75),
                                                std::tuple(&cases[9], false, true, -2.0, 12.75)}) {
    ownedCurveList loops;
    combineClosedCurves(*c->a, *c->b, loops.list, keepA, nullptr, dropB);
    double areas[2] = {};
    for (int i = 0; i < std::min(loops.list.count(), 2); ++i) getCurveSignedArea(*loops.list[i], areas[i]);
    EXPECT_NEAR(std::min(areas[0], areas[1]), first, 1e-9);
    EXPECT_NEAR(std::max(areas[0], areas[1]), second, 1e-9);
  }
  // A dropped piece of A's boundary marks a change.
  bool changed[2] = {false, true};
  ownedCurveList out;
  combineClosedCurves(*circle(0, 0, 1), *circle(0, 0, 5), out.list, false, &changed[0], true);
  combineClosedCurves(*circle(0, 0, 5), *circle(0, 0, 1), out.list, false, &changed[1], true);
  EXPECT_TRUE(changed[0]);
  EXPECT_FALSE(changed[1]);
}

TEST_F(regionCombination, RelationsOfOpenCurvesAndComposites) {
  std::vector<CurvePtr> apart;  // one piece inside, one outside
  apart.push_back(piece({0.5, 0.5}, {1.5, 0.5}));
  apart.push_back(piece({3, 0.5}, {4, 0.5}));
  const std::pair<CurvePtr, int> cases[] = {
      {std::make_unique<XtGeCompositeCurve2d>(std::move(apart)), kRelationCrossing},
      {piece({0.5, 0.5}, {1.5, 1.5}), kRelationInside},        {piece({0, 0.5}, {1.5, 1.5}), kRelationInsideTouching},
      {piece({2, 0.5}, {3, 0.5}), kRelationOutsideTouching},  {piece({2, 0.5}, {2, 1.5}), kRelationOn},
      {piece({3, 3}, {4, 4}, 0.5), kRelationOutside},          {piece({1, 1}, {3, 1}), kRelationCrossing},
      {std::make_unique<XtGeLine2d>(XtGePoint2d(5, 0), XtGeVector2d(0, 1)), kRelationOutside},
      {std::make_unique<XtGeCompositeCurve2d>(), kRelationOutside}};
  for (const auto& [curve, relation] : cases) EXPECT_EQ(classifyCurveRelation(*curve, *box(0, 0, 2, 2)), relation);
}

// Seeded pairs: bulged outlines, an L and a U, a rounded rectangle, and
// rectangles and Ls on a coarse grid (sides along sides, corners on
// corners); either way round; in drawing units near the origin and in
// millimetres at 1e7 (unit factor 1000).
TEST_F(regionCombination, AreasOfRandomPairsAddUp) {
  std::mt19937 rng(23);
  std::uniform_real_distribution<double> shift(-6.0, 6.0);
  std::uniform_int_distribution<int> grid(0, 4);
  for (int k = 0; k < 400; ++k) {
    SCOPED_TRACE(k);
    const double s = k % 2 ? 1000.0 : 1.0;
    const XtGePoint2d o = k % 2 ? XtGePoint2d(1e7, 1e7) : XtGePoint2d(0, 0);
    workTol = XtGeTol(s * 1e-6, s * 1e-8);
    auto at = [&](double x, double y) { return XtGePoint2d(o.x + s * x, o.y + s * y); };
    auto gridShape = [&] {
      const int x0 = grid(rng), y0 = grid(rng), x1 = x0 + 1 + grid(rng), y1 = y0 + 1 + grid(rng);
      if (x1 - x0 < 2 || y1 - y0 < 2 || grid(rng) % 2) return outline({at(x0, y0), at(x1, y0), at(x1, y1), at(x0, y1)});
      return outline({at(x0, y0), at(x1, y0), at(x1, y0 + 1), at(x0 + 1, y0 + 1), at(x0 + 1, y1), at(x0, y1)});
    };
    CompositePtr a;
    CompositePtr b;
    if (k % 4 == 0) {
      a = randomOutline(rng, o, 5 + k % 7, 3 * s, 8 * s, 0.5);
      b = randomOutline(rng, at(shift(rng), shift(rng)), 4 + k % 5, 3 * s, 8 * s, 0.5);
    } else if (k % 4 == 1) {
      a = outline({at(0, 0), at(8, 0), at(8, 3), at(3, 3), at(3, 9), at(0, 9)});
      b = outline({at(-2, 1), at(10, 1), at(10, 7), at(7, 7), at(7, 4), at(1, 4), at(1, 7), at(-2, 7)}, {0, 0, 0.3});
      b->translateBy(XtGeVector2d(s * shift(rng) * 0.2, s * shift(rng) * 0.2));
    } else if (k % 4 == 2) {
      a = roundedRectangle(o.x, o.y, 10 * s, 6 * s, s);
      b = randomOutline(rng, at(5 + shift(rng), 3), 6, 2 * s, 6 * s, 0.4);
    } else {
      a = gridShape();
      b = gridShape();
    }
    if (!isSimpleOutline(*a, workTol) || !isSimpleOutline(*b, workTol)) continue;
    if (k % 3 == 1) a->reverseParam();
    if (k % 5 == 2) b->reverseParam();
    expectAreasAddUp(*a, *b);
  }
}

TEST_F(regionCombination, BadInputDoesNoHarm) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  CurvePtr bad[] = {std::make_unique<XtGeCompositeCurve2d>(), piece({1, 1}, {1, 1}),
                    outline({{0, 0}, {3, 0}, {3, 3}}, {}, false), outline({{nan, 0}, {3, 0}, {3, 3}}),
                    std::make_unique<XtGeCircArc2d>(XtGePoint2d(1, 1), 0.0)};
  const CompositePtr square = box(0, 0, 2, 2);
  for (const CurvePtr& curve : bad) {  // results, if any, are closed and do not cross
    combineAll(*curve, *square);
    combineAll(*square, *curve);
    classifyCurveRelation(*curve, *square);
    classifyCurveRelation(*square, *curve);
  }
}
