#include "tests/geometry/boundaryTrees.h"
#include "tests/geometry/curveShapes.h"
#include "geometry/boundaryTreeQueries.h"

#include <gtest/gtest.h>

using namespace curveShapes;
using namespace boundaryTrees;

namespace {

constexpr double kPi = XtGe::kPi;

class boundaryTreeQueries : public WorkTolerances {};

// Region [0,10]^2 with hole [2,8]^2 holding island [4,6]^2.
void nestedSquares(tree& t) {
  for (double a : {0.0, 2.0, 4.0}) ASSERT_EQ(boundBuilderAddBoundary(t.root, *box(a, a, 10 - a, 10 - a), 3), 0u);
}

void concentricCircles(tree& t) {
  for (double r : {3.0, 2.0, 1.0})
    ASSERT_EQ(boundBuilderAddBoundary(t.root, XtGeCircArc2d(XtGePoint2d(0, 0), r), kBoundaryEvenOdd), 0u);
}

}  // namespace

TEST_F(boundaryTreeQueries, ClippingKeepsWhatLiesInsideTheClip) {
  tree source;
  nestedSquares(source);
  struct clipCase {
    CompositePtr clip;
    double area;
    std::vector<int> levels;
  };
  clipCase cases[] = {{box(1, -5, 15, 15), 58, {1, 1, 1}},
                      {box(5, -5, 15, 15, true), 34, {2}},
                      {box(20, 20, 30, 30), 0, {}}};
  for (clipCase& c : cases) {
    tree clipped;
    clipped.root.append(new bndNode(box(0, 0, 1, 1).release()));  // replaced on success
    ASSERT_EQ(buildBoundaryTree(source.root, *c.clip, clipped.root), 0u);
    EXPECT_NEAR(netArea(clipped.root), c.area, 1e-9);
    EXPECT_EQ(levelCounts(clipped.root), c.levels);
    expectWellFormed(clipped.root);
  }
  tree untouched;
  untouched.root.append(new bndNode(box(0, 0, 1, 1).release()));
  EXPECT_EQ(buildBoundaryTree(source.root, *outline({{0, 0}, {5, 0}, {5, 5}}, {}, false), untouched.root),
            kBoundaryOpen);
  EXPECT_EQ(levelCounts(untouched.root), (std::vector<int>{1}));
  EXPECT_EQ(levelCounts(source.root), (std::vector<int>{1, 1, 1}));
}

TEST_F(boundaryTreeQueries, CurvesAreCollectedByDepthOrWhole) {
  tree t;
  nestedSquares(t);
  ownedCurveList borrowed;  // emptied by hand: the tree owns these
  curveFlagArray flags;
  collectBoundaryCurves(t.root, borrowed.list, flags, 1, false);
  ASSERT_EQ(borrowed.list.count(), 1);
  EXPECT_EQ(borrowed.list[0], t.root[0]->children[0]->curve);
  EXPECT_EQ(flags[0], kCurveBorrowed);
  borrowed.list.removeAll();

  ownedCurveList copies;
  curveFlagArray copyFlags;
  collectAllBoundaryCurves(t.root, copies.list, copyFlags, true);
  ASSERT_EQ(copies.list.count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(copyFlags[i], kCurveOwned);
    EXPECT_NEAR(closedArea(*copies.list[i]), std::pow(10.0 - 4 * i, 2), 1e-9);  // pre-order
  }
}

TEST_F(boundaryTreeQueries, LengthsSumTheWholeTreeOrItsTopLevel) {
  tree t;
  concentricCircles(t);
  double total = -1.0;
  EXPECT_EQ(curveListLengthCheckOpen(t.root, total), 0u);
  EXPECT_NEAR(total, 12 * kPi, 1e-9);
  EXPECT_TRUE(sumCurveLengths(total, t.root, 0, true));
  EXPECT_NEAR(total, 6 * kPi, 1e-9);
  tree empty;
  EXPECT_EQ(curveListLengthCheckOpen(empty.root, total), 0u);
  EXPECT_EQ(total, 0.0);
}

TEST_F(boundaryTreeQueries, TransformsMoveTheWholeTreeOrNothing) {
  tree t;
  nestedSquares(t);
  EXPECT_TRUE(transformBoundaryTree(t.root, XtGeMatrix2d::rotation(kPi / 6, XtGePoint2d(5, 5))));
  EXPECT_NEAR(netArea(t.root), 68, 1e-9);
  EXPECT_EQ(levelCounts(t.root), (std::vector<int>{1, 1, 1}));
  expectWellFormed(t.root);
  XtGePoint2d start;
  t.root[0]->curve->hasStartPoint(start);
  EXPECT_NEAR(start.distanceTo(XtGePoint2d(5, 5)), std::sqrt(50.0), 1e-9);
  EXPECT_GT(std::abs(start.y), 1e-3);

  // A circle cannot follow a non-uniform scale: the squares stay too.
  tree mixed;
  nestedSquares(mixed);
  ASSERT_EQ(boundBuilderAddBoundary(mixed.root, XtGeCircArc2d(XtGePoint2d(5, 5), 0.5), 3), 0u);
  const XtGeCurve2d* outer = mixed.root[0]->curve;
  EXPECT_FALSE(transformBoundaryTree(mixed.root, XtGeMatrix2d::scaling(2.0, 1.0)));
  EXPECT_EQ(mixed.root[0]->curve, outer);
  EXPECT_NEAR(netArea(mixed.root), 68 - kPi / 4, 1e-9);
  EXPECT_TRUE(transformBoundaryTree(mixed.root, XtGeMatrix2d::scaling(2.0)));
  EXPECT_NEAR(netArea(mixed.root), 4 * (68 - kPi / 4), 1e-8);
}
