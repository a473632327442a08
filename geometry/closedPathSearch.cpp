#include "geometry/closedPathSearch.h"

#include <algorithm>

namespace {

// Paths are searched recursively, one level per step: a depth asked for
// beyond this is cut to it.
constexpr int kMaxSearchDepth = 4096;

class pathSearch {
 public:
  pathSearch(std::span<const pathStep> steps, int startNode, int maxDepth, long budget, int maxPaths)
      : m_steps(steps), m_start(startNode), m_maxDepth(std::min(maxDepth, kMaxSearchDepth)), m_budget(budget), m_maxPaths(maxPaths) {
    for (int i = 0; i < static_cast<int>(steps.size()); ++i) {
      m_maxNode = std::max({m_maxNode, steps[i].from, steps[i].to});
    }
    m_stepUsed.assign(steps.size(), 0);
    m_nodeVisited.assign(static_cast<std::size_t>(std::max(m_maxNode, startNode) + 1), 0);
  }

  closedPathSearchResult run() {
    if (m_start >= 0 && m_maxDepth > 0 && m_maxPaths > 0) {
      m_nodeVisited[m_start] = 1;
      visit(m_start);
    }
    return std::move(m_result);
  }

 private:
  // Recursion depth is bounded by maxDepth.
  void visit(int node) {
    for (int i = 0; i < static_cast<int>(m_steps.size()); ++i) {
      if (done()) return;
      const pathStep& step = m_steps[i];
      if (m_stepUsed[i] || step.from != node) continue;
      if (--m_budget < 0) {
        m_result.budgetExhausted = true;
        return;
      }
      if (step.to == m_start) {
        m_path.push_back(i);
        m_result.paths.push_back(m_path);
        m_path.pop_back();
        continue;
      }
      if (step.to < 0 || m_nodeVisited[step.to] || static_cast<int>(m_path.size()) + 1 >= m_maxDepth)
        continue;
      m_stepUsed[i] = 1;
      m_nodeVisited[step.to] = 1;
      m_path.push_back(i);
      visit(step.to);
      m_path.pop_back();
      m_nodeVisited[step.to] = 0;
      m_stepUsed[i] = 0;
    }
  }

  bool done() const {
    return m_result.budgetExhausted || static_cast<int>(m_result.paths.size()) >= m_maxPaths;
  }

  std::span<const pathStep> m_steps;
  int m_start;
  int m_maxDepth;
  long m_budget;
  int m_maxPaths;
  std::int32_t m_maxNode = 0;
  std::vector<char> m_stepUsed;
  std::vector<char> m_nodeVisited;
  std::vector<int> m_path;
  closedPathSearchResult m_result;
};

}  // namespace

closedPathSearchResult findClosedPaths(std::span<const pathStep> steps, int startNode, int maxDepth,
                                       long stepBudget, int maxPaths) {
  for (const pathStep& s : steps)
    if (s.from < 0 || s.to < 0) return {};
  return pathSearch(steps, startNode, maxDepth, stepBudget, maxPaths).run();
}
