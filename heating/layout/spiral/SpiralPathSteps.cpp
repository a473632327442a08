// The spiral's steps of one run: two levels inward at once, and over to the
// neighbouring loops at the centre.
#include "heating/layout/record/CFHCircuitLayout.h"

#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/LayoutTolerances.h"
#include "heating/layout/offsets/OffsetEdgePath.h"
#include "heating/layout/record/OffsetGraphQueries.h"
#include "heating/layout/offsets/OffsetLoopQueries.h"

#include "geometry/Tolerances.h"

namespace {

// The run end extended through the level-step points: appended with d (the
// in-run) or prepended with !d (the out-run).
COffsetNode* stepAcross(CFHCircuitLayout& layout, COffsetNode* end, COffsetLoop* loopB, COffsetLoop* loopC,
                        const COffsetLoop* avoidLoop, bool& d, bool prepend) {
  COffsetPoint p1;
  COffsetPoint p2;
  COffsetPoint p3;
  if (end == nullptr || !layout.findLevelStepPoints(*end, loopB, loopC, avoidLoop, d, p1, p2, p3)) return end;
  const std::uint8_t direction = d ? 1 : 0;
  const std::size_t edgesBefore = layout.edges.size();
  COffsetNode* node = layout.extendRunEndAt(end, p1, end->owner, direction, prepend);
  node = layout.extendRunEndAt(node, p2, loopB, direction, prepend);
  node = layout.extendRunEndAt(node, p3, loopC, direction, prepend);
  // The step's edges (P1 -> P2 -> P3, across the loops) are flagged for the
  // attempt's check of how near the step comes to the other run.
  for (std::size_t i = edgesBefore; i < layout.edges.size(); ++i) {
    COffsetEdge* edge = layout.edges[i];
    if (edge != nullptr && edge->a != nullptr && edge->b != nullptr && edge->a->owner != edge->b->owner)
      edge->flags |= kEdgeLevelStep;
  }
  return node;
}

// The last path piece of the node's unique incoming edge (the outgoing one
// first when `outgoingFirst`, each standing in for the other), moved
// sideways by s and met with the loop.
bool shiftedEdgeHit(const COffsetNode& node, bool outgoingFirst, const COffsetLoop& loop, double s, bool d,
                    CLoopPoint& hit) {
  const COffsetEdge* first = outgoingFirst ? outgoingEdgeIfUnique(node) : incomingEdgeIfUnique(node);
  const COffsetEdge* edge = first != nullptr ? first
                                             : (outgoingFirst ? incomingEdgeIfUnique(node) : outgoingEdgeIfUnique(node));
  CFloorHeatingCurve::PtrVector pieces;
  return edge != nullptr && offsetEdgePathAlongLoop(edge, pieces) && !pieces.empty() &&
         shiftedCurveHit(loop, *pieces.back(), s, d, hit, heatingTolCoarse);
}

}  // namespace

COffsetNode* CFHCircuitLayout::extendRunEndAt(COffsetNode* end, const CLoopPoint& at, COffsetLoop* loop,
                                              std::uint8_t direction, bool prepend) {
  return prepend ? prependNodeOnLoopAt(end, at, loop, direction != 0 ? 0 : 1)
                 : appendNodeOnLoopAt(end, at, loop, direction);
}

COffsetNode* CFHCircuitLayout::stepPathAcrossLoops(COffsetNode* end, COffsetLoop* loopB, COffsetLoop* loopC,
                                                   const COffsetLoop* avoidLoop, bool& d) {
  return stepAcross(*this, end, loopB, loopC, avoidLoop, d, true);
}

COffsetNode* CFHCircuitLayout::stepPathAcrossLoopsOut(COffsetNode* end, COffsetLoop* loopB, COffsetLoop* loopC,
                                                      const COffsetLoop* avoidLoop, bool& d) {
  return stepAcross(*this, end, loopB, loopC, avoidLoop, d, false);
}

COffsetNode* CFHCircuitLayout::joinPathToNeighbour(COffsetLoop* x, COffsetNode* a, COffsetNode* b,
                                                   std::uint8_t direction) {
  if (a == nullptr || a->owner == nullptr) return a;
  const COffsetNode* m = nextNodeOnLoop(*a->owner, *a, direction, workTol);
  CLoopPoint p;
  if (m == nullptr || !shiftedEdgeHit(*m, false, *a->owner, spacing, direction != 0, p)) return a;
  COffsetNode* n1 = p.point.isEqualTo(a->point, workTol) ? a : appendNodeOnLoopAt(a, p, a->owner, direction);
  CLoopPoint q;
  if (b == nullptr || b->owner == nullptr ||
      (!b->owner->closestPoint(p.point, q, workTol) &&
       !shiftedEdgeHit(*b, true, *b->owner, spacing, direction != 0, q)))
    return n1;
  COffsetNode* n2 = appendNodeOnLoopAt(n1, q, b->owner, direction);
  CLoopPoint r;
  if (x == nullptr || !x->closestPoint(n2->point, r, workTol)) return n2;
  return appendNodeOnLoopAt(n2, r, x, direction);
}
