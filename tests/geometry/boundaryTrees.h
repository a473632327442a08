// Measures and invariants of boundary trees for the tree tests.
#pragma once

#include "tests/geometry/curveShapes.h"
#include "geometry/Tolerances.h"
#include "geometry/boundaryTree.h"
#include "geometry/regionCombination.h"

#include <gtest/gtest.h>

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
    total += (depth % 2 == 0 ? 1.0 : -1.0) * curveShapes::closedArea(*node->curve) + netArea(node->children, depth + 1);
  return total;
}

// The number of nodes per depth.
inline std::vector<int> levelCounts(const bndLevel& level) {
  std::vector<int> counts;
  std::vector<const bndLevel*> current{&level};
  while (!current.empty()) {
    std::vector<const bndLevel*> next;
    int n = 0;
    for (const bndLevel* l : current)
      for (const bndNode* node : *l) {
        ++n;
        next.push_back(&node->children);
      }
    if (n == 0) break;
    counts.push_back(n);
    current.swap(next);
  }
  return counts;
}

// Every curve closed, siblings outside one another (1 or 5), children
// inside their parent (2 or 6).
inline void expectWellFormed(const bndLevel& level, const bndNode* parent = nullptr) {
  for (int i = 0; i < level.count(); ++i) {
    const bndNode* node = level[i];
    ASSERT_NE(node, nullptr);
    ASSERT_NE(node->curve, nullptr);
    EXPECT_TRUE(node->curve->xtIsClosed(workTol));
    for (int j = 0; j < level.count(); ++j) {
      if (j == i) continue;
      const int r = classifyCurveRelation(*node->curve, *level[j]->curve);
      EXPECT_TRUE(r == kRelationOutside || r == kRelationOutsideTouching) << "siblings " << r;
    }
    if (parent != nullptr) {
      const int r = classifyCurveRelation(*node->curve, *parent->curve);
      EXPECT_TRUE(r == kRelationInside || r == kRelationInsideTouching) << "child " << r;
    }
    expectWellFormed(node->children, node);
  }
}

}  // namespace boundaryTrees
