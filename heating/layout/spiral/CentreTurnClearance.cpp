#include "heating/layout/spiral/CentreTurnClearance.h"

#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/checks/LayoutPathPieces.h"
#include "heating/layout/checks/LayoutSpacingRules.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct AlongPiece {
  PathPiece geometry;
  double along = 0.0;  // the path's length before the piece
  double length = 0.0;
  bool flagged = false;
  double box[4] = {0.0, 0.0, 0.0, 0.0};
};

// The path from firstEdge to lastEdge, piece by piece, the leads left out
// (lengths along it counted from the first piece after the lead in). False
// when it is not one path or passes the bound.
bool readPath(const CFHCircuitLayout& layout, std::uint32_t flag, std::vector<AlongPiece>& pieces) {
  std::vector<LayoutPathPiece> path;
  if (!appendLayoutPathPieces(layout, false, kTurnClearanceMaxPieces, path)) return false;
  pieces.reserve(path.size());
  double along = 0.0;
  for (const LayoutPathPiece& piece : path) {
    AlongPiece p;
    p.geometry = piece.geometry;
    p.along = along;
    p.length = p.geometry.length();
    p.flagged = (piece.edge->flags & flag) != 0;
    p.geometry.box(0.0, p.box);
    along += p.length;
    pieces.push_back(p);
  }
  return true;
}

double boxDistance(const double (&b)[4], const XtGePoint2d& p) {
  const double dx = std::max({b[0] - p.x, 0.0, p.x - b[2]});
  const double dy = std::max({b[1] - p.y, 0.0, p.y - b[3]});
  return std::hypot(dx, dy);
}

// The worst ratio for the pieces of the edges flagged `flag` against the
// pipe more than `reach` s along it; within them the pipe may come down to
// s/2 when `halfWithin`.
TurnClearance flaggedClearance(const CFHCircuitLayout& layout, double s, std::uint32_t flag, bool halfWithin,
                               double reach) {
  TurnClearance out;
  if (!(s > 0.0) || !std::isfinite(s)) return out;
  std::vector<AlongPiece> pieces;
  if (!readPath(layout, flag, pieces)) return out;
  out.pathLength = pieces.empty() ? 0.0 : pieces.back().along + pieces.back().length;
  // The pieces that may come within s of the turn.
  double near[4] = {1e300, 1e300, -1e300, -1e300};
  std::size_t samples = 0;
  const double step = 0.125 * s;
  for (const AlongPiece& p : pieces) {
    if (!p.flagged) continue;
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
    if (!t.flagged) continue;
    const int n = static_cast<int>(std::ceil(t.length / step));
    for (int k = 0; k <= n; ++k) {
      const double at = n > 0 ? t.length * k / n : 0.0;
      const XtGePoint2d p = t.geometry.at(at);
      const double a = t.along + at;
      const double end = spacing_rules::kEndSpacings * s;
      const bool head = a <= end;
      const bool tail = a >= out.pathLength - end;
      for (const AlongPiece* q : candidates) {
        const double need = halfWithin && q->flagged ? spacing_rules::kNarrowedSpacing * s : s;
        if (boxDistance(q->box, p) >= need * worst) continue;
        // The parts of q more than `reach` s along the path from the point.
        // Supply and return leave the pipe ends at the ends' own pitch: the
        // first and the last s are not held to each other.
        const double near = reach * s;
        const double ranges[2][2] = {{tail ? end : 0.0, a - near}, {a + near, head ? out.pathLength - end : 1e300}};
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

}  // namespace

TurnClearance centreTurnClearance(const CFHCircuitLayout& layout, double s) {
  return flaggedClearance(layout, s, kEdgeCentreTurn, true, spacing_rules::kNeighbourSpacings);
}

TurnClearance levelStepClearance(const CFHCircuitLayout& layout, double s) {
  return flaggedClearance(layout, s, kEdgeLevelStep, false, kLevelStepReach);
}
