#include "heating/layout/record/EdgeChain.h"

#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/OffsetEdgePath.h"

#include <limits>

COffsetEdge* nextEdgeOnChain(const COffsetEdge* edge) {
  if (edge == nullptr || edge->b == nullptr) return nullptr;
  return edge->b->otherEdgeIfUnique(edge);
}

COffsetEdge* nearestPointAlongEdgeChain(const CFHCircuitLayout& layout, const XtGePoint2d& point, COffsetPoint& out,
                                        const XtGeTol& tol) {
  if (layout.firstOffsetLoop() == nullptr || layout.firstEdge == nullptr) return nullptr;
  EdgeSet passed{layout.firstEdge};
  COffsetEdge* best = nullptr;
  COffsetPoint bestPoint;
  double bestDistance = std::numeric_limits<double>::max();
  for (COffsetEdge* edge = nextEdgeOnChain(layout.firstEdge); edge != nullptr && edge != layout.lastEdge;
       edge = nextEdgeOnChain(edge)) {
    if (!passed.insert(edge).second) break;
    COffsetPoint candidate;
    if (!closestPointOnEdgePath(edge, point, candidate, tol)) continue;
    const double distance = candidate.point.distanceTo(point);
    if (distance + tol.equalPoint() < bestDistance) {
      bestDistance = distance;
      bestPoint = candidate;
      best = edge;
    }
  }
  if (best != nullptr) out.assignPointAndLinks(bestPoint);
  return best;
}

int edgeChainPosition(const CFHCircuitLayout& layout, const COffsetEdge* edge) {
  EdgeSet passed;
  int position = 0;
  for (const COffsetEdge* e = layout.firstEdge; e != nullptr && passed.insert(e).second; e = nextEdgeOnChain(e)) {
    if (e == edge) return position;
    ++position;
  }
  return -1;
}

bool passEdgesUntil(const COffsetEdge* from, const COffsetEdge* to, EdgeSet& passed) {
  for (const COffsetEdge* e = from; e != nullptr; e = nextEdgeOnChain(e)) {
    if (e == to) return true;
    if (!passed.insert(e).second) return false;
  }
  return false;
}
