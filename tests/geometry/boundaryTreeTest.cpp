#include "tests/geometry/boundaryTrees.h"
#include "geometry/FailureNotice.h"
#include "platform/win/MessageBox.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace curveShapes;
using namespace boundaryTrees;

namespace {

class boundaryTree : public WorkTolerances {};

std::shared_ptr<XtGeCircArc2d> circle(double r) { return std::make_shared<XtGeCircArc2d>(XtGePoint2d(0, 0), r); }

// The failure reports raised while `run` runs.
template <typename Run>
std::vector<std::u16string> reportsOf(Run run) {
  std::vector<std::u16string> reports;
  hvSetFailureNoticeSink([&](const hvFailureNotice& n) { return reports.push_back(n.text), IDOK; });
  run();
  hvSetFailureNoticeSink({});
  return reports;
}

bndNode* node(CompositePtr curve, std::vector<bndNode*> children = {}) {
  auto* n = new bndNode(curve.release());
  for (bndNode* c : children) n->children.append(c);
  return n;
}

}  // namespace

TEST_F(boundaryTree, EvenOddNestingTogglesWhatACurveEncloses) {
  tree t;
  build(t, {{circle(3), 3}, {circle(1), 3}, {circle(2), 3}});
  EXPECT_NEAR(netArea(t.root), 6 * XtGe::kPi, 1e-9);
  EXPECT_EQ(levelCounts(t.root), (std::vector<int>{1, 1, 1}));
  // The same circle again cancels out and lifts what it held.
  build(t, {{circle(2), 3}, {box(0, 0, 0.5, 0.5), 3}, {box(0, 0, 0.5, 0.5, true), 3}});
  EXPECT_NEAR(netArea(t.root), 8 * XtGe::kPi, 1e-9);
  EXPECT_EQ(levelCounts(t.root), (std::vector<int>{1, 1}));

  // Refusals leave the tree as it was; nesting only places a curve that
  // touches nothing, as even-odd would.
  const std::string before = shape(t.root);
  const auto open = outline({{0, 0}, {5, 0}, {5, 5}}, {}, false);
  EXPECT_EQ(boundBuilderAddBoundary(t.root, *box(-2, -2, 2, 0), kBoundaryNest), kBoundaryFailed);
  EXPECT_EQ(boundBuilderAddBoundary(t.root, *open, kBoundaryNest), kBoundaryOpen);
  EXPECT_EQ(boundBuilderAddBoundary(t.root, *box(0, 0, 0.1, 0.1), 4), kBoundaryFailed);
  EXPECT_EQ(boundBuilderAddBoundaryNoIntersect(t.root, *box(-2, -2, 2, 0), 3), kBoundaryNotPlaced);
  EXPECT_EQ(boundBuilderAddBoundaryNoIntersect(t.root, *open, 3), kBoundaryOpen);
  EXPECT_EQ(shape(t.root), before);
  EXPECT_EQ(boundBuilderAddBoundary(t.root, *box(-0.5, -0.5, 0.5, 0.5), kBoundaryNest), 0u);
  EXPECT_EQ(boundBuilderAddBoundaryNoIntersect(t.root, *box(-0.25, -0.25, 0.25, 0.25), 3), 0u);
  EXPECT_NEAR(netArea(t.root), 8 * XtGe::kPi + 1 - 0.25, 1e-9);
  EXPECT_EQ(levelCounts(t.root), (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(boundaryTree, AreasAndFormsOfUnionsSubtractionsAndEvenOdd) {
  const std::shared_ptr<const XtGeCurve2d> ring(outline({{0, 0}, {9, 0}, {9, 9}, {0, 9}, {0, 8}, {8, 8}, {8, 1}, {0, 1}}));
  const std::shared_ptr<const XtGeCurve2d> bar(box(-1, 0.5, 1, 8.5, true));
  struct sequence {
    std::vector<step> steps;
    double area;
    std::vector<int> levels;
  } cases[] = {
      {{{box(0, 0, 2, 2), 3}, {box(1, 1, 3, 3), 3}}, 6, {1, 1}},
      {{{box(0, 0, 2, 2), 0}, {box(1, 1, 3, 3, true), 0}}, 7, {1}},
      {{{box(0, 0, 10, 10), 0}, {box(2, 2, 8, 8), 1}}, 64, {1, 1}},
      {{{box(0, 0, 10, 10), 0}, {box(2, 2, 8, 8), 1}, {box(4, 4, 6, 6), 0}}, 68, {1, 1, 1}},
      {{{box(0, 0, 10, 10), 0}, {box(2, 2, 8, 8), 1}, {box(4, 4, 6, 6), 0}, {box(1, 1, 9, 9), 0}}, 100, {1}},
      {{{box(0, 0, 10, 10), 0}, {box(2, 2, 4, 4), 1}, {box(8, 4, 12, 6), 1}}, 92, {1, 1}},
      {{{box(0, 0, 10, 10), 0}, {box(2, 2, 4, 4), 1}, {box(-1, -1, 11, 11), 1}}, 0, {}},
      // Crossing holes merge.
      {{{box(0, 0, 10, 10), 0}, {box(2, 2, 5, 5), 1}, {box(4, 4, 7, 7, true), 1}}, 83, {1, 1}},
      // A hole reaching the region's edge becomes a notch [0,4] x [2,4].
      {{{box(0, 0, 10, 10), 0}, {box(2, 2, 4, 4), 1}, {box(0, 2, 3, 4), 1}}, 92, {1}},
      // A union along a hole's edges shrinks the hole.
      {{{box(0, 0, 10, 10), 0}, {box(2, 2, 8, 8), 1}, {box(2, 2, 4, 8), 0}}, 76, {1, 1}},
      // A ring closed round a region: the enclosed part is a hole with the
      // region as its island; by even-odd the overlaps are holes too.
      {{{box(4, 4, 5, 5), 0}, {ring, 0}, {bar, 0}}, 89 - 49 + 1, {1, 1, 1}},
      {{{ring, 3}, {bar, 3}}, 25 + 16 - 2, {1, 3}},
  };
  for (sequence& c : cases) {
    tree t;
    build(t, c.steps);
    EXPECT_NEAR(netArea(t.root), c.area, 1e-9) << shape(t.root);
    EXPECT_EQ(levelCounts(t.root), c.levels) << shape(t.root);
    if (c.area == 92 && c.levels.size() == 1) {  // the notch
      EXPECT_EQ(classifyPointInCurve(XtGePoint2d(3.5, 3), *t.root[0]->curve), kPositionOutside);
    }
  }
  // Union in any order of three crossing squares.
  std::shared_ptr<const XtGeCurve2d> squares[] = {box(0, 0, 2, 2), box(1, 0, 3, 2, true), box(0.5, 1, 2.5, 3)};
  for (int turn = 0; turn < 6; std::next_permutation(squares, squares + 3), ++turn) {
    tree t;
    build(t, {{squares[0], 0}, {squares[1], 0}, {squares[2], 0}});
    EXPECT_TRUE(std::abs(netArea(t.root) - 8) < 1e-9 && levelCounts(t.root) == std::vector<int>{1}) << shape(t.root);
  }
}

TEST_F(boundaryTree, AFailedAdditionLeavesTheTreeAsItWas) {
  // A placement meeting a node that crosses the curve, while the curve
  // seemed to touch nothing (a driven classifier): C holds A, crosses B.
  tree t;
  build(t, {{box(0, 0, 1, 1), 3}, {box(3, 0, 4, 1), 3}});
  const XtGeCurve2d* a = t.root[0]->curve;
  const XtGeCurve2d* b = t.root[1]->curve;
  const auto c = box(-1, -1, 2, 2);
  const bndBuilder::bndData driven([&](const XtGeCurve2d& curve, const XtGeCurve2d& closed) {
    return &closed != c.get() ? kRelationOutside : &curve == a ? kRelationInside : &curve == b ? kRelationCrossing : 1;
  });
  auto reports = reportsOf([&] { EXPECT_EQ(driven.addBoundary(t.root, *c, 3), kBoundaryFailed); });
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find(u"boundBuilder (861) bndBuilder::bndData::add_boundary_no_intersect"), std::u16string::npos);
  ASSERT_EQ(t.root.count(), 2);
  EXPECT_TRUE(t.root[0]->curve == a && t.root[1]->curve == b && t.root[0]->children.isEmpty());

  // A merge failing below the second region after it changed the first:
  // C toggles A's hole, then meets a forced crossing at B's hole (known by
  // where it lies: the builder works on a copy).
  tree u;
  build(u, {{box(0, 0, 4, 4), 3}, {box(2.5, 1, 3.5, 2), 3}, {box(6, 0, 10, 4), 3}, {box(6.5, 1, 7.5, 2), 3}});
  const XtGeCurve2d* holeOfA = u.root[0]->children[0]->curve;
  const std::string before = shape(u.root);
  const bndBuilder::bndData forced([](const XtGeCurve2d& curve, const XtGeCurve2d& closed) {
    return curve.orthoBoundBlock().minPoint() == XtGePoint2d(6.5, 1) ? kRelationCrossing
                                                                      : classifyCurveRelation(curve, closed);
  });
  reports = reportsOf([&] { EXPECT_EQ(forced.addBoundary(u.root, *box(2, 0.5, 8, 3), 3), kBoundaryFailed); });
  EXPECT_EQ(reports.size(), 1u);
  EXPECT_EQ(shape(u.root), before);
  EXPECT_EQ(u.root[0]->children[0]->curve, holeOfA);
}

TEST_F(boundaryTree, TouchingChildrenJoinOrLeaveTheirNode) {
  // A hole outside its region, touching it, leaves; its island stays as a
  // region of the level.
  tree t;
  t.root.append(node(box(0, 0, 10, 10), {node(box(10, 2, 12, 4), {node(box(10.5, 2.5, 11.5, 3.5))})}));
  bndLevel nodes(t.root);
  EXPECT_TRUE(absorbTouchingChildren(nodes, t.root, kBoundarySubtract, 0));
  EXPECT_EQ(levelCounts(t.root), (std::vector<int>{2}));
  // An island outside its hole, in the solid part round it, goes with its
  // own holes.
  tree u;
  u.root.append(node(box(2, 2, 8, 8), {node(box(8, 4, 9, 5), {node(box(8.2, 4.2, 8.8, 4.8))})}));
  bndLevel detached;
  EXPECT_TRUE(absorbTouchingChildren(u.root, detached, kBoundaryUnion, 1));
  EXPECT_TRUE(detached.isEmpty());
  EXPECT_EQ(levelCounts(u.root), (std::vector<int>{1}));
  // A hole from edge to edge splits its region; the other hole goes with
  // the piece holding it, the split hole's island becomes a region.
  tree v;
  v.root.append(node(box(0, 0, 10, 4), {node(box(4, 0, 6, 4, true), {node(box(4.5, 1, 5.5, 2))}), node(box(1, 1, 2, 2))}));
  EXPECT_TRUE(absorbTouchingChildren(v.root, v.root, kBoundarySubtract, 0));
  EXPECT_EQ(levelCounts(v.root), (std::vector<int>{3, 1}));
  EXPECT_NEAR(netArea(v.root), 32, 1e-9);
  expectWellFormed(v.root);
  // Levels whose nodes do not shrink are left alone.
  EXPECT_TRUE(absorbTouchingChildren(v.root, v.root, kBoundaryUnion, 0));
  EXPECT_EQ(levelCounts(v.root), (std::vector<int>{3, 1}));
}

TEST_F(boundaryTree, DeepTreesCopyAndReleaseWithoutRecursion) {
  tree t;
  bndLevel* level = &t.root;
  for (int i = 0; i < 100000; ++i, level = &(*level)[0]->children)
    level->append(new bndNode(new XtGeCircArc2d(XtGePoint2d(0, 0), 1e6 - i)));
  tree copy;
  ASSERT_TRUE(copyBoundaryLevel(t.root, copy.root));
  EXPECT_NE(copy.root[0]->curve, t.root[0]->curve);
  EXPECT_EQ(copy.root[0]->children[0]->children.count(), 1);
}
