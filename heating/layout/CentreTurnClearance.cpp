#include "heating/layout/CentreTurnClearance.h"

#include "heating/layout/CFHCircuitLayout.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/OffsetEdgePath.h"
#include "heating/layout/PathPiece.h"

#include "heating/curves/CFloorHeatingCurve.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct AlongPiece {
  PathPiece geometry;
  double along = 0.0;  // the path's length before the piece
  double length = 0.0;
  bool turn = false;
  double box[4] = {0.0, 0.0, 0.0, 0.0};
};

// The piece in the heating curve's own direction (an arc may run against
// its geometry).
bool pieceOf(const CFloorHeatingCurve& curve, PathPiece& piece) {
  if (curve.kind() == CFloorHeatingCurve::kLine) {
    piece = PathPiece::line(curve.startPoint(), curve.endPoint());
    return true;
  }
  if (!PathPiece::fromCurve(curve.geCurve(), piece)) return false;
  if (curve.startPoint().distanceTo(piece.end) < curve.startPoint().distanceTo(piece.start))
    piece = PathPiece::arc(piece.centre, piece.radius, piece.startAngle + piece.sweep, -piece.sweep);
  return true;
}

// Whether the edge is a lead: firstEdge, lastEdge, or the piece of a lead
// bent where it leaves the zone (between a node on no loop and the loop).
bool isLead(const CFHCircuitLayout& layout, const COffsetEdge* edge) {
  if (edge == layout.firstEdge || edge == layout.lastEdge) return true;
  const auto bent = [](const COffsetNode* n) { return n != nullptr && n->owner == nullptr && n->edges.size() == 2; };
  return (layout.firstEdge != nullptr && edge->a == layout.firstEdge->b && bent(edge->a)) ||
         (layout.lastEdge != nullptr && edge->b == layout.lastEdge->a && bent(edge->b));
}

// The path from firstEdge to lastEdge, piece by piece, the leads left out
// (lengths along it counted from the first piece after the lead in). False
// when it is not one path or passes the bound.
bool readPath(const CFHCircuitLayout& layout, std::vector<AlongPiece>& pieces) {
  const COffsetEdge* edge = layout.firstEdge;
  double along = 0.0;
  CFloorHeatingCurve::PtrVector curves;
  for (std::size_t step = 0; edge != nullptr && step <= layout.edges.size(); ++step) {
    if (!offsetEdgePathAlongLoop(edge, curves)) return false;
    const bool turn = (edge->flags & kEdgeCentreTurn) != 0;
    for (const auto& curve : curves) {
      if (isLead(layout, edge)) break;
      AlongPiece p;
      if (!pieceOf(*curve, p.geometry) || !p.geometry.isFinite()) return false;
      p.along = along;
      p.length = p.geometry.length();
      p.turn = turn;
      p.geometry.box(0.0, p.box);
      along += p.length;
      if (pieces.size() >= kTurnClearanceMaxPieces) return false;
      pieces.push_back(p);
    }
    if (edge == layout.lastEdge) return true;
    const COffsetNode* node = edge->b;
    const COffsetEdge* next = node != nullptr && node->edges.size() == 2 ? node->otherEdgeIfUnique(edge) : nullptr;
    if (next == nullptr || next->a != node) return false;
    edge = next;
  }
  return false;
}

double boxDistance(const double (&b)[4], const XtGePoint2d& p) {
  const double dx = std::max({b[0] - p.x, 0.0, p.x - b[2]});
  const double dy = std::max({b[1] - p.y, 0.0, p.y - b[3]});
  return std::hypot(dx, dy);
}

}  // namespace

TurnClearance centreTurnClearance(const CFHCircuitLayout& layout, double s) {
  TurnClearance out;
  if (!(s > 0.0) || !std::isfinite(s)) return out;
  std::vector<AlongPiece> pieces;
  if (!readPath(layout, pieces)) return out;
  out.pathLength = pieces.empty() ? 0.0 : pieces.back().along + pieces.back().length;
  // The pieces that may come within s of the turn.
  double near[4] = {1e300, 1e300, -1e300, -1e300};
  std::size_t samples = 0;
  const double step = 0.125 * s;
  for (const AlongPiece& p : pieces) {
    if (!p.turn) continue;
    near[0] = std::min(near[0], p.box[0] - s), near[1] = std::min(near[1], p.box[1] - s);
    near[2] = std::max(near[2], p.box[2] + s), near[3] = std::max(near[3], p.box[3] + s);
    samples += static_cast<std::size_t>(std::ceil(p.length / step)) + 1;
  }
  if (samples == 0 || samples > kTurnClearanceMaxSamples) return out;
  std::vector<const AlongPiece*> candidates;
  for (const AlongPiece& p : pieces)
    if (p.box[0] <= near[2] && p.box[2] >= near[0] && p.box[1] <= near[3] && p.box[3] >= near[1])
      candidates.push_back(&p);

  // Ratios above 2 do not matter: the search starts there.
  double worst = 2.0;
  for (const AlongPiece& t : pieces) {
    if (!t.turn) continue;
    const int n = static_cast<int>(std::ceil(t.length / step));
    for (int k = 0; k <= n; ++k) {
      const double at = n > 0 ? t.length * k / n : 0.0;
      const XtGePoint2d p = t.geometry.at(at);
      const double a = t.along + at;
      const bool head = a <= s;
      const bool tail = a >= out.pathLength - s;
      for (const AlongPiece* q : candidates) {
        const double need = q->turn ? 0.5 * s : s;
        if (boxDistance(q->box, p) >= need * worst) continue;
        // The parts of q more than 2 s along the path from the point. Supply
        // and return leave the pipe ends at the ends' own pitch: the first
        // and the last s are not held to each other.
        const double ranges[2][2] = {{tail ? s : 0.0, a - 2.0 * s}, {a + 2.0 * s, head ? out.pathLength - s : 1e300}};
        for (const auto& range : ranges) {
          const double from = std::max(0.0, range[0] - q->along);
          const double to = std::min(q->length, range[1] - q->along);
          if (to > from) worst = std::min(worst, q->geometry.part(from, to).distanceTo(p) / need);
        }
      }
    }
  }
  out.ratio = worst;
  return out;
}
