#include "tests/geometry/boundaryTrees.h"
#include "geometry/boundaryTreeQueries.h"

#include <gtest/gtest.h>

using namespace curveShapes;
using namespace boundaryTrees;

namespace {

class boundaryTreeQueries : public WorkTolerances {};

// Region [0,10]^2 with hole [2,8]^2 holding island [4,6]^2.
void nestedSquares(tree& t) { build(t, {{box(0, 0, 10, 10), 3}, {box(2, 2, 8, 8), 3}, {box(4, 4, 6, 6), 3}}); }

}  // namespace

TEST_F(boundaryTreeQueries, ClippingKeepsWhatLiesInsideTheClip) {
  tree source;
  nestedSquares(source);
  struct clipCase {
    CompositePtr clip;
    double area;
    std::vector<int> levels;
  } cases[] = {{box(1, -5, 15, 15), 58, {1, 1, 1}}, {box(5, -5, 15, 15, true), 34, {2}}, {box(20, 20, 30, 30), 0, {}}};
  for (clipCase& c : cases) {
    tree clipped;
    build(clipped, {{box(0, 0, 1, 1), 0}});  // replaced on success
    ASSERT_EQ(buildBoundaryTree(source.root, *c.clip, clipped.root), 0u);
    EXPECT_NEAR(netArea(clipped.root), c.area, 1e-9);
    EXPECT_EQ(levelCounts(clipped.root), c.levels);
    expectWellFormed(clipped.root);
  }
  bndLevel none;
  EXPECT_EQ(buildBoundaryTree(source.root, *outline({{0, 0}, {5, 0}, {5, 5}}, {}, false), none), kBoundaryOpen);
  EXPECT_TRUE(none.isEmpty());
  EXPECT_EQ(levelCounts(source.root), (std::vector<int>{1, 1, 1}));
}

TEST_F(boundaryTreeQueries, CurvesAreCollectedByDepthOrWhole) {
  tree t;
  nestedSquares(t);
  curvePtrArray borrowed;  // the tree owns these
  curveFlagArray flags;
  collectBoundaryCurves(t.root, borrowed, flags, 1, false);
  ASSERT_EQ(borrowed.count(), 1);
  EXPECT_EQ(borrowed[0], t.root[0]->children[0]->curve);
  EXPECT_EQ(flags[0], kCurveBorrowed);

  ownedCurveList copies;
  flags.removeAll();
  collectAllBoundaryCurves(t.root, copies.list, flags, true);
  ASSERT_EQ(copies.list.count(), 3);
  for (int i = 0; i < 3; ++i)  // in pre-order
    EXPECT_TRUE(flags[i] == kCurveOwned && std::abs(closedArea(*copies.list[i]) - std::pow(10.0 - 4 * i, 2)) < 1e-9);
}

TEST_F(boundaryTreeQueries, TransformsMoveTheWholeTreeOrNothing) {
  tree t;
  nestedSquares(t);
  EXPECT_TRUE(transformBoundaryTree(t.root, XtGeMatrix2d::rotation(XtGe::kPi / 6, XtGePoint2d(5, 5))));
  EXPECT_NEAR(netArea(t.root), 68, 1e-9);
  EXPECT_EQ(levelCounts(t.root), (std::vector<int>{1, 1, 1}));
  expectWellFormed(t.root);
  XtGePoint2d start;
  const double turned = XtGe::kPi * 17 / 12, r = 5 * std::sqrt(2.0);  // (0,0) was at 225 degrees
  EXPECT_TRUE(t.root[0]->curve->hasStartPoint(start) &&
              start.isEqualTo(XtGePoint2d(5 + r * std::cos(turned), 5 + r * std::sin(turned)), workTol));

  // A circle cannot follow a non-uniform scale: the squares stay too.
  build(t, {{std::make_shared<XtGeCircArc2d>(XtGePoint2d(5, 5), 0.5), 3}});
  const std::string before = shape(t.root);
  const XtGeCurve2d* outer = t.root[0]->curve;
  EXPECT_FALSE(transformBoundaryTree(t.root, XtGeMatrix2d::scaling(2.0, 1.0)));
  EXPECT_EQ(t.root[0]->curve, outer);
  EXPECT_EQ(shape(t.root), before);
  EXPECT_TRUE(transformBoundaryTree(t.root, XtGeMatrix2d::scaling(2.0)));
  EXPECT_NEAR(netArea(t.root), 4 * (68 - XtGe::kPi / 4), 1e-8);
}
