#include "tests/geometry/boundaryTrees.h"
#include "tests/geometry/curveShapes.h"
#include "geometry/FailureNotice.h"
#include "geometry/curveCopying.h"
#include "platform/win/MessageBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

using namespace curveShapes;
using namespace boundaryTrees;

namespace {

constexpr double kPi = XtGe::kPi;

class boundaryTree : public WorkTolerances {};

CurvePtr circle(double r, double x = 0.0, double y = 0.0) {
  return std::make_unique<XtGeCircArc2d>(XtGePoint2d(x, y), r);
}

struct step {
  std::shared_ptr<const XtGeCurve2d> curve;
  std::uint32_t mode;
};

// Adds the steps in order, each answering 0, and checks the tree's form.
void build(tree& t, std::vector<step> steps) {
  for (const step& s : steps) EXPECT_EQ(boundBuilderAddBoundary(t.root, *s.curve, s.mode), kBoundaryAdded);
  expectWellFormed(t.root);
}

using steps = std::vector<step>;

// A printable form of the tree: each curve's area in pre-order with its depth.
std::string shape(const bndLevel& level, int depth = 0) {
  std::string s;
  for (const bndNode* node : level) {
    char text[64];
    std::snprintf(text, sizeof text, "%d:%.6g ", depth, closedArea(*node->curve));
    s += text + shape(node->children, depth + 1);
  }
  return s;
}

}  // namespace

TEST_F(boundaryTree, EvenOddNestingTogglesWhatACurveEncloses) {
  tree t;
  for (double r : {3.0, 1.0, 2.0}) EXPECT_EQ(boundBuilderAddBoundary(t.root, *circle(r), kBoundaryEvenOdd), 0u);
  EXPECT_NEAR(netArea(t.root), 6 * kPi, 1e-9);
  EXPECT_EQ(levelCounts(t.root), (std::vector<int>{1, 1, 1}));
  // The same circle again cancels out and lifts what it held.
  EXPECT_EQ(boundBuilderAddBoundary(t.root, *circle(2), kBoundaryEvenOdd), 0u);
  EXPECT_NEAR(netArea(t.root), 8 * kPi, 1e-9);
  EXPECT_EQ(levelCounts(t.root), (std::vector<int>{1, 1}));
  expectWellFormed(t.root);

  tree twice;
  for (int i = 0; i < 2; ++i) EXPECT_EQ(boundBuilderAddBoundary(twice.root, *box(0, 0, 1, 1, i == 1), 3), 0u);
  EXPECT_TRUE(twice.root.isEmpty());
}

TEST_F(boundaryTree, AreasAndFormsOfUnionsSubtractionsAndEvenOdd) {
  struct sequence {
    std::vector<step> steps;
    double area;
    std::vector<int> levels;
  };
  sequence cases[] = {
      {steps({{box(0, 0, 2, 2), 3}, {box(1, 1, 3, 3), 3}}), 6, {1, 1}},
      {steps({{box(0, 0, 2, 2), 0}, {box(1, 1, 3, 3, true), 0}}), 7, {1}},
      {steps({{box(0, 0, 10, 10), 0}, {box(2, 2, 8, 8), 1}}), 64, {1, 1}},
      {steps({{box(0, 0, 10, 10), 0}, {box(2, 2, 8, 8), 1}, {box(4, 4, 6, 6), 0}}), 68, {1, 1, 1}},
      {steps({{box(0, 0, 10, 10), 0}, {box(2, 2, 8, 8), 1}, {box(4, 4, 6, 6), 0}, {box(1, 1, 9, 9), 0}}), 100, {1}},
      {steps({{box(0, 0, 10, 10), 0}, {box(2, 2, 4, 4), 1}}), 96, {1, 1}},
      {steps({{box(0, 0, 10, 10), 0}, {box(2, 2, 4, 4), 1}, {box(8, 4, 12, 6), 1}}), 92, {1, 1}},
      {steps({{box(0, 0, 10, 10), 0}, {box(2, 2, 4, 4), 1}, {box(-1, -1, 11, 11), 1}}), 0, {}},
      // A hole crossing a hole merges with it.
      {steps({{box(0, 0, 10, 10), 0}, {box(2, 2, 5, 5), 1}, {box(4, 4, 7, 7, true), 1}}), 83, {1, 1}},
      // A hole reaching the region's edge becomes a notch.
      {steps({{box(0, 0, 10, 10), 0}, {box(2, 2, 4, 4), 1}, {box(0, 2, 3, 4), 1}}), 92, {1}},
      // A union touching a hole's edges from inside shrinks the hole.
      {steps({{box(0, 0, 10, 10), 0}, {box(2, 2, 8, 8), 1}, {box(2, 2, 4, 8), 0}}), 76, {1, 1}},
      // Union of a ring closing round a region: the enclosed part is a hole
      // holding the region as an island.
      {steps({{box(4, 4, 5, 5), 0},
              {outline({{0, 0}, {9, 0}, {9, 9}, {0, 9}, {0, 8}, {8, 8}, {8, 1}, {0, 1}}), 0},
              {box(-1, 0.5, 1, 8.5, true), 0}}),
       89 - 49 + 1, {1, 1, 1}},
      // Even-odd of the same ring: the overlaps become holes too.
      {steps({{outline({{0, 0}, {9, 0}, {9, 9}, {0, 9}, {0, 8}, {8, 8}, {8, 1}, {0, 1}}), 3},
              {box(-1, 0.5, 1, 8.5), 3}}),
       25 + 16 - 2, {1, 3}},
  };
  for (sequence& c : cases) {
    tree t;
    build(t, std::move(c.steps));
    EXPECT_NEAR(netArea(t.root), c.area, 1e-9) << shape(t.root);
    EXPECT_EQ(levelCounts(t.root), c.levels) << shape(t.root);
  }
  // The notch: the region's outline runs round [0,4] x [2,4].
  tree notch;
  build(notch, steps({{box(0, 0, 10, 10), 0}, {box(2, 2, 4, 4), 1}, {box(0, 2, 3, 4), 1}}));
  ASSERT_EQ(notch.root.count(), 1);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(3.5, 3), *notch.root[0]->curve), kPositionOutside);
  EXPECT_EQ(classifyPointInCurve(XtGePoint2d(4.5, 3), *notch.root[0]->curve), kPositionInside);
}

TEST_F(boundaryTree, UnionInAnyOrderGivesOneRegion) {
  std::vector<int> order{0, 1, 2};
  do {
    CurvePtr squares[] = {box(0, 0, 2, 2), box(1, 0, 3, 2, true), box(0.5, 1, 2.5, 3)};
    tree t;
    for (int i : order) EXPECT_EQ(boundBuilderAddBoundary(t.root, *squares[i], kBoundaryUnion), 0u);
    EXPECT_NEAR(netArea(t.root), 8, 1e-9);
    EXPECT_EQ(levelCounts(t.root), (std::vector<int>{1})) << shape(t.root);
    expectWellFormed(t.root);
  } while (std::next_permutation(order.begin(), order.end()));
}

TEST_F(boundaryTree, RefusalsLeaveTheTreeAsItWas) {
  tree t;
  build(t, steps({{box(0, 0, 10, 10), 3}, {box(2, 2, 8, 8), 3}}));
  const std::string before = shape(t.root);
  const auto open = outline({{0, 0}, {5, 0}, {5, 5}}, {}, false);
  // Nesting only: a curve touching nothing is placed as even-odd would be.
  EXPECT_EQ(boundBuilderAddBoundary(t.root, *box(1, 3, 9, 4), kBoundaryNest), kBoundaryFailed);
  EXPECT_EQ(boundBuilderAddBoundary(t.root, *open, kBoundaryNest), kBoundaryOpen);
  EXPECT_EQ(boundBuilderAddBoundary(t.root, *box(1, 1, 2, 2), 4), kBoundaryFailed);
  EXPECT_EQ(boundBuilderAddBoundaryNoIntersect(t.root, *box(1, 3, 9, 4), kBoundaryEvenOdd), kBoundaryNotPlaced);
  EXPECT_EQ(boundBuilderAddBoundaryNoIntersect(t.root, *open, kBoundaryEvenOdd), kBoundaryOpen);
  EXPECT_EQ(shape(t.root), before);
  EXPECT_EQ(boundBuilderAddBoundary(t.root, *box(3, 3, 7, 7), kBoundaryNest), 0u);
  EXPECT_EQ(levelCounts(t.root), (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(boundBuilderAddBoundaryNoIntersect(t.root, *box(4, 4, 6, 6), kBoundaryEvenOdd), 0u);
  EXPECT_NEAR(netArea(t.root), 100 - 36 + 16 - 4, 1e-9);
}

TEST_F(boundaryTree, AMergeThatFailsDeepDownLeavesTheTreeAsItWas) {
  // C crosses both regions; below the first its part toggles the hole
  // (a change), below the second the placement meets a forced crossing.
  tree t;
  build(t, {{box(0, 0, 4, 4), 3}, {box(2.5, 1, 3.5, 2), 3}, {box(6, 0, 10, 4), 3}, {box(6.5, 1, 7.5, 2), 3}});
  const std::string before = shape(t.root);
  const bndNode* a = t.root[0];
  const bndNode* b = t.root[1];
  const XtGeCurve2d* holeOfA = a->children[0]->curve;
  const XtGeCurve2d* holeOfB = b->children[0]->curve;
  // The builder works on a copy: the hole is known by where it lies.
  bndBuilder::bndData data([](const XtGeCurve2d& curve, const XtGeCurve2d& closed) {
    return curve.orthoBoundBlock().minPoint() == XtGePoint2d(6.5, 1) ? kRelationCrossing
                                                                      : classifyCurveRelation(curve, closed);
  });
  int reports = 0;
  hvSetFailureNoticeSink([&](const hvFailureNotice&) { return ++reports, IDOK; });
  EXPECT_EQ(data.addBoundary(t.root, *box(2, 0.5, 8, 3), kBoundaryEvenOdd), kBoundaryFailed);
  hvSetFailureNoticeSink({});
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(shape(t.root), before);
  ASSERT_EQ(t.root.count(), 2);
  EXPECT_EQ(t.root[0], a);
  EXPECT_EQ(a->children[0]->curve, holeOfA);
  EXPECT_EQ(b->children[0]->curve, holeOfB);
}

TEST_F(boundaryTree, APlacementThatMeetsACrossingNodeFailsWhole) {
  // The classifier is driven to an impossible state: C holds the first node
  // of the top level and crosses the second, while C seems to touch nothing.
  tree t;
  build(t, steps({{box(0, 0, 1, 1), 3}, {box(3, 0, 4, 1), 3}}));
  const XtGeCurve2d* first = t.root[0]->curve;
  const XtGeCurve2d* second = t.root[1]->curve;
  const auto c = box(-1, -1, 2, 2);
  bndBuilder::bndData data([&](const XtGeCurve2d& a, const XtGeCurve2d& b) {
    if (&b == c.get()) return &a == first ? kRelationInside : &a == second ? kRelationCrossing : 1;
    return kRelationOutside;
  });
  std::vector<std::u16string> reports;
  hvSetFailureNoticeSink([&](const hvFailureNotice& n) {
    reports.push_back(n.text);
    return IDOK;
  });
  EXPECT_EQ(data.addBoundary(t.root, *c, kBoundaryEvenOdd), kBoundaryFailed);
  hvSetFailureNoticeSink({});
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find(u"boundBuilder (861) bndBuilder::bndData::add_boundary_no_intersect"), std::u16string::npos);
  ASSERT_EQ(t.root.count(), 2);
  EXPECT_EQ(t.root[0]->curve, first);
  EXPECT_EQ(t.root[1]->curve, second);
  EXPECT_TRUE(t.root[0]->children.isEmpty());
}

namespace {

bndNode* node(CompositePtr curve, std::vector<bndNode*> children = {}) {
  auto* n = new bndNode(curve.release());
  for (bndNode* c : children) n->children.append(c);
  return n;
}

}  // namespace

TEST_F(boundaryTree, TouchingChildrenJoinOrLeaveTheirNode) {
  // A hole outside its region, touching it, leaves; its island stays a
  // region of the level.
  {
    tree t;
    t.root.append(node(box(0, 0, 10, 10), {node(box(10, 2, 12, 4), {node(box(10.5, 2.5, 11.5, 3.5))})}));
    bndLevel nodes;
    nodes.append(t.root[0]);
    EXPECT_TRUE(absorbTouchingChildren(nodes, t.root, kBoundarySubtract, 0));
    EXPECT_EQ(levelCounts(t.root), (std::vector<int>{2}));
    EXPECT_NEAR(netArea(t.root), 101, 1e-9);
  }
  // An island outside its hole, in the solid part around it, goes with its
  // own holes.
  {
    tree t;
    t.root.append(node(box(2, 2, 8, 8), {node(box(8, 4, 9, 5), {node(box(8.2, 4.2, 8.8, 4.8))})}));
    bndLevel detached;
    EXPECT_TRUE(absorbTouchingChildren(t.root, detached, kBoundaryUnion, 1));
    EXPECT_TRUE(detached.isEmpty());
    EXPECT_EQ(levelCounts(t.root), (std::vector<int>{1}));
  }
  // A hole spanning the region from edge to edge splits it; the other hole
  // goes with the piece it lies in, the split hole's island becomes a region.
  {
    tree t;
    t.root.append(node(box(0, 0, 10, 4), {node(box(4, 0, 6, 4, true), {node(box(4.5, 1, 5.5, 2))}),
                                          node(box(1, 1, 2, 2))}));
    EXPECT_TRUE(absorbTouchingChildren(t.root, t.root, kBoundarySubtract, 0));
    EXPECT_EQ(levelCounts(t.root), (std::vector<int>{3, 1}));
    EXPECT_NEAR(netArea(t.root), 16 - 1 + 16 + 1, 1e-9);
    expectWellFormed(t.root);
  }
  // Levels whose nodes do not shrink are left alone.
  {
    tree t;
    t.root.append(node(box(0, 0, 10, 10), {node(box(0, 2, 3, 4))}));
    EXPECT_TRUE(absorbTouchingChildren(t.root, t.root, kBoundaryUnion, 0));
    EXPECT_EQ(levelCounts(t.root), (std::vector<int>{1, 1}));
  }
}

TEST_F(boundaryTree, DeepTreesCopyAndReleaseWithoutRecursion) {
  tree t;
  bndLevel* level = &t.root;
  for (int i = 0; i < 100000; ++i) {
    level->append(new bndNode(new XtGeCircArc2d(XtGePoint2d(0, 0), 1e6 - i)));
    level = &(*level)[0]->children;
  }
  tree copy;
  ASSERT_TRUE(copyBoundaryLevel(t.root, copy.root));
  ASSERT_EQ(copy.root.count(), 1);
  EXPECT_NE(copy.root[0]->curve, t.root[0]->curve);
  EXPECT_EQ(copy.root[0]->children[0]->children.count(), 1);
}
