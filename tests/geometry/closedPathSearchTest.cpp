#include "geometry/closedPathSearch.h"

#include <gtest/gtest.h>

TEST(findClosedPaths, FindsTheLoopsThroughTheStartNode) {
  // Nodes 0-1-2-0 form a triangle, 2-3-0 a second way back, 4 is a dead end.
  const std::vector<pathStep> steps{{0, 1}, {1, 2}, {2, 0}, {2, 3}, {3, 0}, {1, 4}};
  const closedPathSearchResult r = findClosedPaths(steps, 0, 10, 1000, 10);
  ASSERT_EQ(r.paths.size(), 2u);
  EXPECT_EQ(r.paths[0], (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(r.paths[1], (std::vector<int>{0, 1, 3, 4}));
  EXPECT_FALSE(r.budgetExhausted);
  // The depth bound leaves the four-step loop out, the path bound stops after one.
  EXPECT_EQ(findClosedPaths(steps, 0, 3, 1000, 10).paths.size(), 1u);
  EXPECT_EQ(findClosedPaths(steps, 0, 10, 1000, 1).paths.size(), 1u);
  EXPECT_TRUE(findClosedPaths(steps, 4, 10, 1000, 10).paths.empty());
}

TEST(findClosedPaths, TheStepBudgetEndsTheSearchTheSameWayEveryTime) {
  // A complete graph of 12 nodes has far too many loops to list.
  std::vector<pathStep> steps;
  for (int a = 0; a < 12; ++a)
    for (int b = 0; b < 12; ++b)
      if (a != b) steps.push_back({a, b});
  const closedPathSearchResult first = findClosedPaths(steps, 0, 12, 20000, 1 << 30);
  const closedPathSearchResult second = findClosedPaths(steps, 0, 12, 20000, 1 << 30);
  EXPECT_TRUE(first.budgetExhausted);
  EXPECT_EQ(first.paths, second.paths);
  EXPECT_FALSE(first.paths.empty());
  const std::vector<pathStep> bad{{0, -1}};
  EXPECT_TRUE(findClosedPaths(bad, 0, 5, 100, 5).paths.empty());
}
