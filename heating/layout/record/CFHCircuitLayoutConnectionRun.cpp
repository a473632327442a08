// The single run of connection mode 1 (see CFHCircuitLayout.h).
#include "heating/layout/record/CFHCircuitLayout.h"

#include "heating/layout/record/CFHPipeEnd.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNode.h"

#include "heating/curves/CFHZoneBoundary.h"

#include "geometry/Tolerances.h"

#include <memory>

namespace {

// The first loop of the level; null when the level is missing or empty.
COffsetLoop* firstLoopOf(const std::vector<CFHCircuitLayout::Level*>& levels, std::size_t k) {
  if (k >= levels.size() || levels[k] == nullptr || levels[k]->empty()) return nullptr;
  return levels[k]->front();
}

// The edge just made gets the flag bits.
void flagLast(std::vector<COffsetEdge*>& edges, std::uint32_t bits) { edges.back()->setFlags(bits); }

}  // namespace

bool CFHCircuitLayout::layoutConnectionRun() {
  COffsetLoop* l1 = firstLoopOf(levels, 0);
  COffsetLoop* l2 = firstLoopOf(levels, 1);
  if (l1 == nullptr || l2 == nullptr) {
    outcome = LayoutOutcome::kNoLevel;
    return false;
  }
  CLoopPoint p1;
  CLoopPoint p2;
  if (boundary == nullptr || startEnd == nullptr || endEnd == nullptr ||
      !l1->closestPoint(startEnd->point, p1, workTol) || !l1->closestPoint(endEnd->point, p2, workTol)) {
    outcome = LayoutOutcome::kNoPipeEndProjection;
    return false;
  }
  const bool dir = boundary->isForwardShorter(false, endEnd->point, startEnd->point, workTol);
  const std::uint8_t along = dir ? 1 : 0;
  const std::uint8_t against = dir ? 0 : 1;
  const double r = runDistance;

  // Pipe ends that meet on L1 are pulled half a spacing apart.
  if (p1.point.isEqualTo(p2.point, workTol)) {
    CLoopPoint moved;
    if (l1->walkFrom(p1, dir, 0.5 * spacing, moved, workTol)) p1 = moved;
    if (l1->walkFrom(p2, !dir, 0.5 * spacing, moved, workTol)) p2 = moved;
  }

  // The lead in: firstEdge, from a free node at the start to P1 on L1.
  nodes.reserve(nodes.size() + 2);
  edges.reserve(edges.size() + 1);
  firstEdge = new COffsetEdge(startEnd->point, p1, l1, nodes);
  edges.push_back(firstEdge);
  firstEdge->setFlags(kEdgeSupplyRun);

  // The supply: from P1 round L1 to N, r short of P2.
  CLoopPoint reached;
  if (l1->walkFrom(p2, !dir, r, reached, workTol)) {
    appendNodeOnLoopAt(firstEdge->b, reached, l1, along);
    flagLast(edges, kEdgeSupplyRun);
  }

  // The jump to L2 and the return round L2 to Q, beside P2.
  CLoopPoint q;
  if (l2->closestPoint(p2.point, q, workTol)) {
    if (l2->walkFrom(q, !dir, r, reached, workTol)) {
      appendNodeOnLoopAt(edges.back()->b, reached, l2, 1);
      flagLast(edges, kEdgeNotDrawn);
    }
    COffsetNode* k = appendNodeOnLoopAt(edges.back()->b, q, l2, against);
    flagLast(edges, kEdgeReturnRun);
    appendNodeOnLoopAt(k, p2, l1, 1);
    flagLast(edges, kEdgeReturnRun);
  }

  // The lead out.
  appendNodeOnLoop(edges.back()->b, endEnd->point, {}, nullptr, 1, true);
  flagLast(edges, kEdgeReturnRun);
  lastEdge = edges.back();
  outcome = LayoutOutcome::kLaid;
  return true;
}
