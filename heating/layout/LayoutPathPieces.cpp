#include "heating/layout/LayoutPathPieces.h"

#include "heating/layout/CFHCircuitLayout.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/OffsetEdgePath.h"

#include "heating/curves/CFloorHeatingCurve.h"

namespace {

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

}  // namespace

bool isLayoutLead(const CFHCircuitLayout& layout, const COffsetEdge* edge) {
  if (edge == layout.firstEdge || edge == layout.lastEdge) return true;
  const auto bent = [](const COffsetNode* n) { return n != nullptr && n->owner == nullptr && n->edges.size() == 2; };
  return (layout.firstEdge != nullptr && edge->a == layout.firstEdge->b && bent(edge->a)) ||
         (layout.lastEdge != nullptr && edge->b == layout.lastEdge->a && bent(edge->b));
}

bool appendLayoutPathPieces(const CFHCircuitLayout& layout, bool leads, std::size_t maxPieces,
                            std::vector<LayoutPathPiece>& pieces) {
  const COffsetEdge* edge = layout.firstEdge;
  CFloorHeatingCurve::PtrVector curves;
  for (std::size_t step = 0; edge != nullptr && step <= layout.edges.size(); ++step) {
    if (!offsetEdgePathAlongLoop(edge, curves)) return false;
    if (leads || !isLayoutLead(layout, edge)) {
      for (const auto& curve : curves) {
        LayoutPathPiece piece{PathPiece{}, edge};
        if (!pieceOf(*curve, piece.geometry) || !piece.geometry.isFinite() || pieces.size() >= maxPieces) return false;
        pieces.push_back(piece);
      }
    }
    if (edge == layout.lastEdge) return true;
    const COffsetNode* node = edge->b;
    const COffsetEdge* next = node != nullptr && node->edges.size() == 2 ? node->otherEdgeIfUnique(edge) : nullptr;
    if (next == nullptr || next->a != node) return false;
    edge = next;
  }
  return false;
}
