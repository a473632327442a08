#include "platform/ge/internal/GeOffsetKites.h"

#include "platform/ge/internal/GeOffsetChains.h"

#include <algorithm>
#include <cmath>

namespace GeKernel {

namespace {

// Sine of the angle below which neighbouring segments count as one line.
constexpr double kCollinearSine = 1e-10;
// Distance between the middles of edges along the same curve, in units of
// the resolution.
constexpr double kCoincidence = 16.0;

CoarseBox boxOfPieces(const std::vector<OffsetPiece>& pieces) {
  CoarseBox b;
  for (const OffsetPiece& p : pieces) {
    if (!p.box.bounded) continue;
    if (!b.bounded) {
      b = p.box;
      continue;
    }
    b.lo = XtGePoint2d(std::min(b.lo.x, p.box.lo.x), std::min(b.lo.y, p.box.lo.y));
    b.hi = XtGePoint2d(std::max(b.hi.x, p.box.hi.x), std::max(b.hi.y, p.box.hi.y));
  }
  return b;
}

struct Loop {
  const std::vector<OffsetPiece>* pieces = nullptr;
  CoarseBox box;
  bool counterClockwise = true;
};

Loop loopOf(const std::vector<OffsetPiece>& pieces) {
  return {&pieces, boxOfPieces(pieces), signedAreaOf(pieces) > 0.0};
}

// A loop's piece.
struct Source {
  int loop = 0;
  int piece = 0;
};

bool boxHolds(const CoarseBox& b, const XtGePoint2d& p) {
  return b.bounded && p.x >= b.lo.x && p.x <= b.hi.x && p.y >= b.lo.y && p.y <= b.hi.y;
}

class KiteMerger {
public:
  KiteMerger(const std::vector<OffsetResult>& filletLoops, const RawOffset& raw, double d,
             int orientation, double res)
      : m_d(d), m_orientation(orientation), m_res(res) {
    for (const OffsetResult& r : filletLoops) {
      const int loop = static_cast<int>(m_loops.size());
      m_loops.push_back(loopOf(r.pieces));
      // The fillets never bound the result: each is cancelled by its kite.
      for (size_t i = 0; i < r.pieces.size(); ++i)
        if (r.pieces[i].closureOf < 0) addCandidate(r.pieces[i], {loop, static_cast<int>(i)}, false);
    }
    m_kites.reserve(raw.parting.size());
    for (const PartingJoint& j : raw.parting) addKite(j, static_cast<int>(filletLoops.size()));
    for (const std::vector<OffsetPiece>& kite : m_kites)
      m_loops.push_back(loopOf(kite));
  }

  void run(std::vector<OffsetResult>& results) {
    OffsetGraph graph;
    splitCandidates(m_candidates, m_cutters, m_res, snapOf(m_res, m_d), graph);
    classify(graph);
    ChainOptions options;
    options.probe = kProbeShare * std::fabs(m_d);
    options.closedPath = true;
    options.glueGap = snapOf(m_res, m_d);
    std::vector<OffsetChain> chains;
    linkKeptEdges(graph, m_candidates, options, chains);
    for (const OffsetChain& chain : chains) {
      std::vector<int> sources;
      OffsetResult r = resultOfChain(chain, graph, m_candidates, m_res, &sources);
      mergeExtensions(r, sources);
      if (!r.pieces.empty()) results.push_back(std::move(r));
    }
  }

private:
  void addCandidate(const OffsetPiece& p, const Source& source, bool extension) {
    OffsetPiece copy;
    if (!makeOffsetPiece(std::unique_ptr<XtGeCurve2d>(p.curve->copy()), copy)) return;
    m_candidates.push_back(std::move(copy));
    m_sources.push_back(source);
    m_extension.push_back(extension);
  }

  // The kite of a joint: the extensions from a1 to b0, and the fillet back.
  // Its extensions are candidates; its fillet cuts them.
  void addKite(const PartingJoint& j, int firstKiteLoop) {
    std::vector<OffsetPiece> kite;
    const int loop = firstKiteLoop + static_cast<int>(m_kites.size());
    auto addPath = [&](const XtGePoint2d& from, const XtGePoint2d& to) {
      if (from.distanceTo(to) <= m_res) return;
      kite.push_back(segmentPiece(from, to));
      addCandidate(kite.back(), {loop, static_cast<int>(kite.size()) - 1}, true);
    };
    addPath(j.a1, j.meet);
    addPath(j.meet, j.b0);
    if (kite.empty()) return;
    kite.push_back(filletOf(j, m_d, true));
    OffsetPiece cutter;
    if (makeOffsetPiece(std::unique_ptr<XtGeCurve2d>(kite.back().curve->copy()), cutter))
      m_cutters.push_back(std::move(cutter));
    m_kites.push_back(std::move(kite));
  }

  // Whether two edges between the same nodes run along the same curve.
  bool coincide(const OffsetEdge& a, const OffsetEdge& b) const {
    const OffsetPiece& ca = m_candidates[a.candidate];
    const OffsetPiece& cb = m_candidates[b.candidate];
    if (ca.isArc() != cb.isArc()) return false;
    const XtGePoint2d ma = ca.eval(0.5 * (a.t0 + a.t1));
    const XtGePoint2d mb = cb.eval(0.5 * (b.t0 + b.t1));
    return ma.distanceTo(mb) <= kCoincidence * m_res;
  }

  // Decides which edges bound the region. Edges along one curve (kites and
  // loops sharing a stretch) are decided together: at most one of them is
  // kept.
  void classify(OffsetGraph& graph) const {
    std::vector<int> order(graph.edges.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    auto key = [&](int i) {
      const OffsetEdge& e = graph.edges[i];
      return std::make_pair(std::min(e.from, e.to), std::max(e.from, e.to));
    };
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return key(a) < key(b) || (key(a) == key(b) && a < b); });
    std::vector<int> group;
    std::vector<bool> grouped(graph.edges.size(), false);
    for (size_t i = 0; i < order.size(); ++i) {
      if (grouped[order[i]]) continue;
      group.assign(1, order[i]);
      const OffsetEdge& first = graph.edges[order[i]];
      for (size_t j = i + 1; j < order.size() && key(order[j]) == key(order[i]); ++j) {
        const OffsetEdge& other = graph.edges[order[j]];
        if (!grouped[order[j]] && first.from != first.to && coincide(first, other)) {
          group.push_back(order[j]);
          grouped[order[j]] = true;
        }
      }
      classifyGroup(graph, group);
    }
  }

  // The windings just left and right of the first edge's middle: a loop
  // holding an edge of the group (the loops do not cross themselves) winds
  // once just left of its own travel when counter-clockwise, else just right;
  // the others wind about the middle itself, which lies off them.
  void classifyGroup(OffsetGraph& graph, const std::vector<int>& group) const {
    const OffsetEdge& lead = graph.edges[group.front()];
    const XtGePoint2d mid = m_candidates[lead.candidate].eval(0.5 * (lead.t0 + lead.t1));
    int wl = 0;
    int wr = 0;
    for (size_t k = 0; k < m_loops.size(); ++k) {
      const OffsetEdge* member = nullptr;
      for (int e : group)
        if (m_sources[graph.edges[e].candidate].loop == static_cast<int>(k)) member = &graph.edges[e];
      if (member) {
        const int ownLeft = m_loops[k].counterClockwise ? 1 : 0;
        const bool along = member->from == lead.from;  // runs the lead's way
        wl += along ? ownLeft : ownLeft - 1;
        wr += along ? ownLeft - 1 : ownLeft;
      } else if (boxHolds(m_loops[k].box, mid)) {
        const int w = windingNumberOf(*m_loops[k].pieces, mid);
        wl += w;
        wr += w;
      }
    }
    const bool forward = m_orientation > 0 ? wl >= 1 && wr <= 0 : wr <= -1 && wl >= 0;
    const bool backward = m_orientation > 0 ? wr >= 1 && wl <= 0 : wl <= -1 && wr >= 0;
    for (int e : group) graph.edges[e].kept = false;
    if (forward) {
      graph.edges[group.front()].kept = true;
    } else if (backward) {
      for (int e : group) {
        if (graph.edges[e].from != lead.from) {
          graph.edges[e].kept = true;
          break;
        }
      }
    }
  }

  // An extension segment that continues a segment along the same line
  // becomes part of it.
  void mergeExtensions(OffsetResult& r, const std::vector<int>& sources) const {
    std::vector<OffsetPiece> merged;
    std::vector<bool> extension;
    for (size_t i = 0; i < r.pieces.size(); ++i) {
      OffsetPiece& p = r.pieces[i];
      const bool ext = m_extension[sources[i]];
      if (!merged.empty() && (ext || extension.back()) && continuesLine(merged.back(), p)) {
        merged.back() = segmentPiece(merged.back().start, p.end);
        extension.back() = false;
        continue;
      }
      merged.push_back(std::move(p));
      extension.push_back(ext);
    }
    // The last piece may continue into the first across the start of a loop.
    if (r.closed && merged.size() > 1 && (extension.back() || extension.front()) &&
        continuesLine(merged.back(), merged.front())) {
      merged.front() = segmentPiece(merged.back().start, merged.front().end);
      merged.pop_back();
    }
    r.pieces = std::move(merged);
  }

  static bool continuesLine(const OffsetPiece& a, const OffsetPiece& b) {
    if (a.isArc() || b.isArc()) return false;
    const XtGeVector2d ta = a.startTangent();
    const XtGeVector2d tb = b.startTangent();
    return std::fabs(ta.crossProduct(tb)) <= kCollinearSine && ta.dotProduct(tb) > 0.0;
  }

  double m_d;
  int m_orientation;
  double m_res;
  std::vector<OffsetPiece> m_candidates;
  std::vector<Source> m_sources;  // per candidate: the loop piece it copies
  std::vector<bool> m_extension;  // per candidate: an extension segment
  std::vector<OffsetPiece> m_cutters;
  std::vector<std::vector<OffsetPiece>> m_kites;
  std::vector<Loop> m_loops;  // the fillet loops, then the kites
};

}  // namespace

void replaceFilletsByKites(const std::vector<OffsetResult>& filletLoops, const RawOffset& raw,
                           double d, int orientation, double res,
                           std::vector<OffsetResult>& results) {
  KiteMerger(filletLoops, raw, d, orientation, res).run(results);
}

}  // namespace GeKernel
