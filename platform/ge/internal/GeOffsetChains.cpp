#include "platform/ge/internal/GeOffsetChains.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace GeKernel {

namespace {

struct HalfEdge {
  double angle = 0.0;  // of the part leaving the node (an incoming part run backwards)
  int edge = 0;
  bool incoming = false;
};

class Linker {
public:
  Linker(const OffsetGraph& graph, const std::vector<OffsetPiece>& candidates,
         const ChainOptions& options)
      : m_graph(graph), m_candidates(candidates), m_options(options), m_next(graph.edges.size(), -1),
        m_pairedNode(graph.nodes.size(), false) {}

  void run(std::vector<OffsetChain>& chains) {
    m_alive.resize(m_graph.edges.size());
    for (size_t e = 0; e < m_graph.edges.size(); ++e) m_alive[e] = m_graph.edges[e].kept;
    if (m_options.closedPath) pruneDeadEnds();
    const size_t numNodes = m_graph.nodes.size();
    std::vector<std::vector<int>> ins(numNodes);
    std::vector<std::vector<int>> outs(numNodes);
    for (size_t e = 0; e < m_graph.edges.size(); ++e) {
      if (!m_alive[e]) continue;
      const OffsetEdge& edge = m_graph.edges[e];
      outs[edge.from].push_back(static_cast<int>(e));
      ins[edge.to].push_back(static_cast<int>(e));
    }
    for (size_t v = 0; v < numNodes; ++v) {
      if (ins[v].size() == 1 && outs[v].size() == 1) {
        m_next[ins[v][0]] = outs[v][0];
      } else if (!ins[v].empty() && !outs[v].empty()) {
        pairAt(static_cast<int>(v), ins[v], outs[v]);
        m_pairedNode[v] = true;
      }
    }
    walk(chains);
    if (m_options.closedPath) glue(chains);
    finish(chains);
  }

private:
  // Every part of a closed path's offset lies on a loop: parts that nothing
  // leads into or out of (leftovers of glancing meetings kept within the
  // tolerance) go, repeatedly.
  void pruneDeadEnds() {
    const size_t numNodes = m_graph.nodes.size();
    std::vector<int> inDegree(numNodes, 0);
    std::vector<int> outDegree(numNodes, 0);
    for (size_t e = 0; e < m_graph.edges.size(); ++e) {
      if (!m_alive[e]) continue;
      ++outDegree[m_graph.edges[e].from];
      ++inDegree[m_graph.edges[e].to];
    }
    // Each round removes at least one part, or stops.
    for (bool removed = true; removed;) {
      removed = false;
      for (size_t e = 0; e < m_graph.edges.size(); ++e) {
        const OffsetEdge& edge = m_graph.edges[e];
        if (!m_alive[e] || (inDegree[edge.from] > 0 && outDegree[edge.to] > 0)) continue;
        m_alive[e] = false;
        --outDegree[edge.from];
        --inDegree[edge.to];
        removed = true;
      }
    }
  }

  double edgeLength(const OffsetEdge& e) const {
    return (e.t1 - e.t0) * m_candidates[e.candidate].speed();
  }

  // Pairs each incoming part with an outgoing one such that no two pairs
  // interleave around the node: in counter-clockwise order of leaving
  // directions, an incoming part takes the next free outgoing one.
  void pairAt(int node, const std::vector<int>& ins, const std::vector<int>& outs) {
    double shortest = std::numeric_limits<double>::infinity();
    for (int e : ins) shortest = std::min(shortest, edgeLength(m_graph.edges[e]));
    for (int e : outs) shortest = std::min(shortest, edgeLength(m_graph.edges[e]));
    const double probe = std::min(m_options.probe, 0.25 * shortest);
    const XtGePoint2d centre = m_graph.nodes[node];
    std::vector<HalfEdge> around;
    around.reserve(ins.size() + outs.size());
    auto add = [&](int e, bool incoming) {
      const OffsetEdge& edge = m_graph.edges[e];
      const OffsetPiece& c = m_candidates[edge.candidate];
      const double step = probe / c.speed();
      const double t = incoming ? std::max(edge.t0, edge.t1 - step) : std::min(edge.t1, edge.t0 + step);
      const XtGeVector2d dir = c.eval(t) - centre;
      around.push_back({std::atan2(dir.y, dir.x), e, incoming});
    };
    for (int e : ins) add(e, true);
    for (int e : outs) add(e, false);
    std::sort(around.begin(), around.end(), [](const HalfEdge& a, const HalfEdge& b) {
      return a.angle < b.angle || (a.angle == b.angle && a.edge < b.edge);
    });
    // Start after the lowest running balance, so that every outgoing part
    // finds an incoming one before it where the counts allow.
    const int n = static_cast<int>(around.size());
    int balance = 0;
    int lowest = 0;
    int start = 0;
    for (int i = 0; i < n; ++i) {
      balance += around[i].incoming ? 1 : -1;
      if (balance < lowest) {
        lowest = balance;
        start = i + 1;
      }
    }
    std::vector<int> open;
    for (int k = 0; k < n; ++k) {
      const HalfEdge& h = around[(start + k) % n];
      if (h.incoming) {
        open.push_back(h.edge);
      } else if (!open.empty()) {
        m_next[open.back()] = h.edge;
        open.pop_back();
      }
    }
  }

  void walk(std::vector<OffsetChain>& chains) {
    const int numEdges = static_cast<int>(m_graph.edges.size());
    std::vector<bool> hasPrev(numEdges, false);
    for (int e = 0; e < numEdges; ++e)
      if (m_next[e] >= 0) hasPrev[m_next[e]] = true;
    m_visited.assign(numEdges, false);
    // Open chains from the parts nothing leads into, then the cycles.
    for (int e = 0; e < numEdges; ++e)
      if (m_alive[e] && !hasPrev[e]) chains.push_back(follow(e));
    for (int e = 0; e < numEdges; ++e)
      if (m_alive[e] && !m_visited[e]) chains.push_back(follow(e));
  }

  OffsetChain follow(int first) {
    OffsetChain chain;
    int e = first;
    // Each part is visited once, which bounds the walk.
    while (e >= 0 && !m_visited[e]) {
      m_visited[e] = true;
      chain.edges.push_back(e);
      e = m_next[e];
    }
    chain.closed = e == first;
    return chain;
  }

  XtGePoint2d startOf(const OffsetChain& c) const {
    return m_graph.nodes[m_graph.edges[c.edges.front()].from];
  }
  XtGePoint2d endOf(const OffsetChain& c) const {
    return m_graph.nodes[m_graph.edges[c.edges.back()].to];
  }

  // Joins open chains end to start across small gaps (numerical leftovers
  // where a meeting was found slightly apart); the rest is dropped.
  void glue(std::vector<OffsetChain>& chains) {
    std::vector<bool> gone(chains.size(), false);
    for (size_t i = 0; i < chains.size(); ++i) {
      if (gone[i]) continue;
      // Every round closes the chain, stops, or absorbs another chain.
      while (!chains[i].closed) {
        const XtGePoint2d end = endOf(chains[i]);
        size_t best = chains.size();
        double bestGap = m_options.glueGap;
        for (size_t j = 0; j < chains.size(); ++j) {
          if (gone[j] || chains[j].closed) continue;
          const double gap = end.distanceTo(startOf(chains[j]));
          if (gap <= bestGap && (best == chains.size() || gap < bestGap)) {
            best = j;
            bestGap = gap;
          }
        }
        if (best == chains.size()) break;
        if (best == i) {
          chains[i].closed = true;
          break;
        }
        chains[i].edges.insert(chains[i].edges.end(), chains[best].edges.begin(),
                               chains[best].edges.end());
        gone[best] = true;
      }
    }
    std::vector<OffsetChain> kept;
    for (size_t i = 0; i < chains.size(); ++i)
      if (!gone[i] && chains[i].closed) kept.push_back(std::move(chains[i]));
    chains = std::move(kept);
  }

  void finish(std::vector<OffsetChain>& chains) {
    for (OffsetChain& c : chains) {
      if (c.closed) {
        const auto lowest = std::min_element(c.edges.begin(), c.edges.end());
        std::rotate(c.edges.begin(), lowest, c.edges.end());
      }
      for (int e : c.edges)
        if (m_pairedNode[m_graph.edges[e].from] || m_pairedNode[m_graph.edges[e].to])
          c.passesPairedNode = true;
    }
    std::sort(chains.begin(), chains.end(), [](const OffsetChain& a, const OffsetChain& b) {
      return a.edges.front() < b.edges.front();
    });
  }

  const OffsetGraph& m_graph;
  const std::vector<OffsetPiece>& m_candidates;
  const ChainOptions& m_options;
  std::vector<int> m_next;
  std::vector<bool> m_pairedNode;
  std::vector<bool> m_visited;
  std::vector<bool> m_alive;  // kept and not pruned
};

}  // namespace

void linkKeptEdges(const OffsetGraph& graph, const std::vector<OffsetPiece>& candidates,
                   const ChainOptions& options, std::vector<OffsetChain>& chains) {
  chains.clear();
  Linker(graph, candidates, options).run(chains);
}

OffsetResult resultOfChain(const OffsetChain& chain, const OffsetGraph& graph,
                           const std::vector<OffsetPiece>& candidates, double res,
                           std::vector<int>* sources) {
  OffsetResult r;
  if (sources) sources->clear();
  r.closed = chain.closed;
  const size_t n = chain.edges.size();
  for (size_t i = 0; i < n;) {
    const OffsetEdge& first = graph.edges[chain.edges[i]];
    size_t j = i;
    while (j + 1 < n && chain.edges[j + 1] == chain.edges[j] + 1 &&
           graph.edges[chain.edges[j + 1]].candidate == first.candidate)
      ++j;
    const OffsetEdge& last = graph.edges[chain.edges[j]];
    OffsetPiece piece;
    if (partOfPiece(candidates[first.candidate], first.t0, last.t1, graph.nodes[first.from],
                    graph.nodes[last.to], piece) &&
        piece.length > res) {
      piece.closureOf = candidates[first.candidate].closureOf;
      r.pieces.push_back(std::move(piece));
      if (sources) sources->push_back(first.candidate);
    }
    i = j + 1;
  }
  return r;
}

}  // namespace GeKernel
