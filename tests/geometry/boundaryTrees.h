// Measures and invariants of boundary trees for the tree tests.
#pragma once

#include "tests/geometry/curveShapes.h"
#include "geometry/boundaryTree.h"
#include "geometry/regionCombination.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace boundaryTrees {

// A tree that releases itself.
struct tree {
  tree() = default;
  tree(const tree&) = delete;
  tree& operator=(const tree&) = delete;
  ~tree() { releaseBoundaryLevel(root); }
  bndLevel root;
};

// Regions add their area, holes take theirs away: the net area of the tree.
inline double netArea(const bndLevel& level, int depth = 0) {
  double total = 0.0;
  for (const bndNode* node : level)
    total += (depth % 2 ? -1.0 : 1.0) * curveShapes::closedArea(*node->curve) + netArea(node->children, depth + 1);
  return total;
}

// The number of nodes per depth.
inline std::vector<int> levelCounts(const bndLevel& level, std::size_t depth = 0, std::vector<int> counts = {}) {
  for (const bndNode* node : level) {
    if (counts.size() <= depth) counts.push_back(0);
    ++counts[depth];
    counts = levelCounts(node->children, depth + 1, std::move(counts));
  }
  return counts;
}

// Each curve's area with its depth, in pre-order.
inline std::string shape(const bndLevel& level, int depth = 0) {
  std::string s;
  for (const bndNode* node : level) {
    char text[64];
    std::snprintf(text, sizeof text, "%d:%.6g ", depth, curveShapes::closedArea(*node->curve));
    s += text + shape(node->children, depth + 1);
  }
  return s;
}

// Every curve closed, siblings outside one another (1 or 5), children
// inside their parent (2 or 6).
inline void expectWellFormed(const bndLevel& level, const bndNode* parent = nullptr) {
  for (const bndNode* node : level) {
    EXPECT_TRUE(node->curve->xtIsClosed(workTol));
    for (const bndNode* other : level) {
      const int r = other == node ? kRelationOutside : classifyCurveRelation(*node->curve, *other->curve);
      EXPECT_TRUE(r == kRelationOutside || r == kRelationOutsideTouching) << "siblings " << r;
    }
    const int r = parent ? classifyCurveRelation(*node->curve, *parent->curve) : kRelationInside;
    EXPECT_TRUE(r == kRelationInside || r == kRelationInsideTouching) << "child " << r;
    expectWellFormed(node->children, node);
  }
}

struct step {
  std::shared_ptr<const XtGeCurve2d> curve;
  std::uint32_t mode;
};

// Adds the steps in order, each answering 0, and checks the tree's form.
inline void build(tree& t, const std::vector<step>& steps) {
  for (const step& s : steps) EXPECT_EQ(boundBuilderAddBoundary(t.root, *s.curve, s.mode), kBoundaryAdded);
  expectWellFormed(t.root);
}

}  // namespace boundaryTrees
