// A depth-first search for closed paths through a graph of curve pieces:
// each step leads from one node (a piece end, a vertex) to another, and a
// path closes when it comes back to its first node. The search is bounded
// by a depth (steps per path) and by a budget of steps looked at in all,
// never by a clock, so its result does not depend on the machine's speed.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct pathStep {
  std::int32_t from = 0;
  std::int32_t to = 0;
};

struct closedPathSearchResult {
  // Each path as the indices of its steps, in order.
  std::vector<std::vector<int>> paths;
  // True when the step budget ran out before the search was complete.
  bool budgetExhausted = false;
};

// Closed paths from startNode: no step is used twice and no node but the
// first is visited twice in one path. At most maxPaths paths, each of at
// most maxDepth steps; at most stepBudget steps are looked at.
closedPathSearchResult findClosedPaths(std::span<const pathStep> steps, int startNode, int maxDepth,
                                       long stepBudget, int maxPaths);
