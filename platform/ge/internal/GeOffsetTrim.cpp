#include "platform/ge/internal/GeOffsetTrim.h"

#include "platform/ge/internal/GeSimpleIntersect.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace GeKernel {

namespace {

// Direction tolerance of the splitting intersections: near-parallel pieces
// that still cross must be split where they cross, whatever the caller's
// direction tolerance.
constexpr double kSplitEqualVector = 1e-12;
// Rounds in which split points pass along chains of overlapping candidates.
constexpr int kOverlapRounds = 2;

struct SplitPoint {
  double t = 0.0;
  int node = 0;
};

class NodeSet {
public:
  int add(const XtGePoint2d& p) {
    m_points.push_back(p);
    m_parent.push_back(static_cast<int>(m_parent.size()));
    return m_parent.back();
  }
  int find(int i) {
    while (m_parent[i] != i) {
      m_parent[i] = m_parent[m_parent[i]];
      i = m_parent[i];
    }
    return i;
  }
  // The smaller index stays the representative, so the result does not
  // depend on the order of the unions.
  void unite(int a, int b) {
    a = find(a);
    b = find(b);
    if (a == b) return;
    if (b < a) std::swap(a, b);
    m_parent[b] = a;
  }
  // Unites the nodes within res of each other.
  void uniteNear(double res) {
    std::vector<int> order(m_points.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
      return m_points[a].x < m_points[b].x || (m_points[a].x == m_points[b].x && a < b);
    });
    for (size_t i = 0; i < order.size(); ++i) {
      const XtGePoint2d& p = m_points[order[i]];
      for (size_t j = i + 1; j < order.size(); ++j) {
        const XtGePoint2d& q = m_points[order[j]];
        if (q.x - p.x > res) break;
        if (p.distanceTo(q) <= res) unite(order[i], order[j]);
      }
    }
  }
  // Renumbers the representatives densely (in index order); map[i] is the
  // new number of node i.
  std::vector<int> compact(std::vector<XtGePoint2d>& points) {
    std::vector<int> map(m_parent.size(), -1);
    for (size_t i = 0; i < m_parent.size(); ++i) {
      const int r = find(static_cast<int>(i));
      if (map[r] < 0) {
        map[r] = static_cast<int>(points.size());
        points.push_back(m_points[r]);
      }
      map[i] = map[r];
    }
    return map;
  }

private:
  std::vector<XtGePoint2d> m_points;
  std::vector<int> m_parent;
};

struct Item {
  const OffsetPiece* piece;
  int candidate;  // -1 for a cutter
};

class Splitter {
public:
  Splitter(const std::vector<OffsetPiece>& candidates, const std::vector<OffsetPiece>& cutters,
           double res, double snap)
      : m_candidates(candidates), m_cutters(cutters), m_res(res), m_snap(snap),
        m_splits(candidates.size()) {}

  void run(OffsetGraph& graph) {
    for (size_t k = 0; k < m_candidates.size(); ++k) {
      const OffsetPiece& c = m_candidates[k];
      m_splits[k].push_back({c.lo, m_nodes.add(c.start)});
      m_splits[k].push_back({c.hi, m_nodes.add(c.end)});
    }
    intersectAll();
    shareOverlapSplits();
    buildEdges(graph);
  }

private:
  void addSplit(const Item& item, double t, int node) {
    if (item.candidate >= 0)
      m_splits[item.candidate].push_back({item.piece->clampParam(t), node});
  }

  // Which end of a candidate (0 start, 1 end) lies within reach of p; -1
  // for none and for cutters.
  int endNear(const Item& item, const XtGePoint2d& p, double reach) const {
    if (item.candidate < 0) return -1;
    const double toStart = p.distanceTo(item.piece->start);
    const double toEnd = p.distanceTo(item.piece->end);
    if (toStart <= reach && toStart <= toEnd) return 0;
    return toEnd <= reach ? 1 : -1;
  }

  // A meeting within reach of a candidate's end is moved to that end, and
  // the other curve split at the point nearest to it.
  void addMeeting(const Item& a, const Item& b, const CurveHit& h) {
    const double reach = reachOf(a, b, h);
    XtGePoint2d p = h.point;
    double ta = a.piece->clampParam(h.t1);
    double tb = b.piece->clampParam(h.t2);
    const int endA = endNear(a, p, reach);
    if (endA >= 0) {
      p = endA == 0 ? a.piece->start : a.piece->end;
      ta = endA == 0 ? a.piece->lo : a.piece->hi;
      tb = b.piece->clampParam(b.piece->view.closestParam(p));
    }
    const int endB = endNear(b, p, reach);
    if (endB >= 0) {
      p = endB == 0 ? b.piece->start : b.piece->end;
      tb = endB == 0 ? b.piece->lo : b.piece->hi;
      if (endA < 0) ta = a.piece->clampParam(a.piece->view.closestParam(p));
    }
    const int node = m_nodes.add(p);
    if (endA >= 0) m_nodes.unite(m_splits[a.candidate][endA].node, node);  // lo and hi come first
    if (endB >= 0) m_nodes.unite(m_splits[b.candidate][endB].node, node);
    addSplit(a, ta, node);
    addSplit(b, tb, node);
  }

  // How far along the curves a meeting may lie from where it was found:
  // the resolution over the sine of the angle between the curves there (a
  // glancing meeting is found only roughly), at most the snap distance.
  double reachOf(const Item& a, const Item& b, const CurveHit& h) const {
    const XtGeVector2d ta = a.piece->view.unitTangent(a.piece->clampParam(h.t1));
    const XtGeVector2d tb = b.piece->view.unitTangent(b.piece->clampParam(h.t2));
    const double sine = std::fabs(ta.crossProduct(tb));
    return h.tangential || 4.0 * m_res >= m_snap * sine ? m_snap : 4.0 * m_res / sine;
  }

  void intersectPair(const Item& a, const Item& b) {
    const XtGeTol tol(m_res, kSplitEqualVector);
    SimpleIntersection hits;
    if (!intersectSimpleCurves(*a.piece->curve, *b.piece->curve, tol, hits)) return;
    for (int i = 0; i < hits.numHits; ++i) addMeeting(a, b, hits.hits[i]);
    for (int i = 0; i < hits.numOverlaps; ++i) {
      const CurveOverlap& o = hits.overlaps[i];
      const int n0 = m_nodes.add(a.piece->eval(a.piece->clampParam(o.t1Start)));
      const int n1 = m_nodes.add(a.piece->eval(a.piece->clampParam(o.t1End)));
      addSplit(a, o.t1Start, n0);
      addSplit(a, o.t1End, n1);
      addSplit(b, o.t2Start, n0);
      addSplit(b, o.t2End, n1);
      if (a.candidate >= 0 && b.candidate >= 0)
        m_overlaps.push_back({a.candidate, b.candidate, a.piece->clampParam(o.t1Start),
                              a.piece->clampParam(o.t1End), b.piece->clampParam(o.t2Start),
                              b.piece->clampParam(o.t2End)});
    }
  }

  // Candidates running together share their split points there, so that
  // their parts along the common stretch end at the same nodes.
  void shareOverlapSplits() {
    for (int round = 0; round < kOverlapRounds; ++round) {
      for (const Overlap& o : m_overlaps) {
        copySplits(o.a, o.a0, o.a1, o.b, o.b0, o.b1);
        copySplits(o.b, o.b0, o.b1, o.a, o.a0, o.a1);
      }
    }
  }

  // Split points of candidate from inside [f0, f1] mapped onto [g0, g1] of
  // candidate to (matching ends, linear in the parameters).
  void copySplits(int from, double f0, double f1, int to, double g0, double g1) {
    if (f1 == f0) return;
    const double lo = std::min(f0, f1);
    const double hi = std::max(f0, f1);
    const size_t n = m_splits[from].size();  // the points present before
    for (size_t i = 0; i < n; ++i) {
      const SplitPoint p = m_splits[from][i];
      if (p.t <= lo || p.t >= hi) continue;
      const double t = g0 + (p.t - f0) * (g1 - g0) / (f1 - f0);
      m_splits[to].push_back({m_candidates[to].clampParam(t), p.node});
    }
  }

  // Every candidate against every other candidate and every cutter whose
  // box it meets, found by a sweep along x.
  void intersectAll() {
    std::vector<Item> items;
    items.reserve(m_candidates.size() + m_cutters.size());
    for (size_t k = 0; k < m_candidates.size(); ++k)
      items.push_back({&m_candidates[k], static_cast<int>(k)});
    for (const OffsetPiece& c : m_cutters) items.push_back({&c, -1});
    std::vector<int> order(items.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
      const double xa = items[a].piece->box.lo.x;
      const double xb = items[b].piece->box.lo.x;
      return xa < xb || (xa == xb && a < b);
    });
    for (size_t i = 0; i < order.size(); ++i) {
      const CoarseBox& bi = items[order[i]].piece->box;
      for (size_t j = i + 1; j < order.size(); ++j) {
        const CoarseBox& bj = items[order[j]].piece->box;
        if (bj.lo.x > bi.hi.x + m_res) break;
        const int a = std::min(order[i], order[j]);
        const int b = std::max(order[i], order[j]);
        if (items[a].candidate < 0) continue;  // two cutters
        if (bi.apartFrom(bj, m_res)) continue;
        intersectPair(items[a], items[b]);
      }
    }
  }

  void buildEdges(OffsetGraph& graph) {
    std::vector<std::vector<SplitPoint>> bounds(m_splits.size());
    for (size_t k = 0; k < m_splits.size(); ++k) {
      std::vector<SplitPoint>& s = m_splits[k];
      const OffsetPiece& c = m_candidates[k];
      std::sort(s.begin(), s.end(), [](const SplitPoint& a, const SplitPoint& b) {
        return a.t < b.t || (a.t == b.t && a.node < b.node);
      });
      // Split points closer than the resolution along the piece are one.
      const double speed = c.speed();
      std::vector<SplitPoint>& kept = bounds[k];
      for (const SplitPoint& p : s) {
        if (!kept.empty() && (p.t - kept.back().t) * speed <= m_res) {
          m_nodes.unite(kept.back().node, p.node);
          continue;
        }
        kept.push_back(p);
      }
      // The ends stay the piece's ends.
      if (kept.size() >= 2) {
        kept.front().t = c.lo;
        kept.back().t = c.hi;
      } else {
        kept.clear();
      }
    }
    m_nodes.uniteNear(m_res);
    graph.nodes.clear();
    graph.edges.clear();
    const std::vector<int> map = m_nodes.compact(graph.nodes);
    for (size_t k = 0; k < bounds.size(); ++k) {
      const std::vector<SplitPoint>& b = bounds[k];
      for (size_t i = 0; i + 1 < b.size(); ++i) {
        OffsetEdge e;
        e.candidate = static_cast<int>(k);
        e.t0 = b[i].t;
        e.t1 = b[i + 1].t;
        e.from = map[b[i].node];
        e.to = map[b[i + 1].node];
        graph.edges.push_back(e);
      }
    }
  }

  const std::vector<OffsetPiece>& m_candidates;
  const std::vector<OffsetPiece>& m_cutters;
  double m_res;
  double m_snap;
  NodeSet m_nodes;
  struct Overlap {
    int a;
    int b;
    double a0, a1, b0, b1;  // matching parameter ranges
  };
  std::vector<Overlap> m_overlaps;
  std::vector<std::vector<SplitPoint>> m_splits;
};

}  // namespace

void splitCandidates(const std::vector<OffsetPiece>& candidates,
                     const std::vector<OffsetPiece>& cutters, double res, double snap,
                     OffsetGraph& graph) {
  Splitter(candidates, cutters, res, snap).run(graph);
}

void dropNearEdges(const OffsetPath& path, const std::vector<OffsetPiece>& candidates,
                   double minDistance, OffsetGraph& graph) {
  for (OffsetEdge& e : graph.edges) {
    const OffsetPiece& c = candidates[e.candidate];
    const XtGePoint2d mid = c.eval(0.5 * (e.t0 + e.t1));
    for (const OffsetPiece& p : path.pieces) {
      if (p.boxDistance(mid) >= minDistance) continue;
      if (p.view.distanceTo(mid) < minDistance) {
        e.kept = false;
        break;
      }
    }
  }
}

}  // namespace GeKernel
