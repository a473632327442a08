#include "heating/layout/LaidPipeLength.h"

#include "heating/layout/CFHCircuitLayout.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/OffsetEdgePath.h"

#include "heating/curves/CFHZoneBoundary.h"

#include <cmath>
#include <vector>

namespace {

// A quarter of the heated area over the spacing: less pipe is a stub.
constexpr double kStubShare = 0.25;

double edgeLength(const COffsetEdge* edge, CFloorHeatingCurve::PtrVector& pieces) {
  double sum = 0.0;
  if (edge == nullptr || !offsetEdgePathAlongLoop(edge, pieces)) return sum;
  for (const auto& piece : pieces) sum += piece->length();
  return sum;
}

// The edge that continues a lead from its bend at the wall: the other edge
// of the lead's inner node when that node lies on no loop and joins two
// edges; none otherwise.
const COffsetEdge* bentOn(const COffsetEdge* lead, const COffsetNode* inner) {
  if (lead == nullptr || inner == nullptr || inner->owner != nullptr || inner->edges.size() != 2) return nullptr;
  return inner->otherEdgeIfUnique(lead);
}

}  // namespace

double laidPipeLength(const CFHCircuitLayout& layout) {
  double sum = 0.0;
  CFloorHeatingCurve::PtrVector pieces;
  for (const COffsetEdge* edge : layout.edges) sum += edgeLength(edge, pieces);
  return sum;
}

double laidPipeLengthBeyondLeads(const CFHCircuitLayout& layout) {
  const COffsetEdge* in = layout.firstEdge;
  const COffsetEdge* out = layout.lastEdge;
  const COffsetEdge* leads[] = {in, out, bentOn(in, in != nullptr ? in->b : nullptr),
                                bentOn(out, out != nullptr ? out->a : nullptr)};
  double sum = 0.0;
  CFloorHeatingCurve::PtrVector pieces;
  for (const COffsetEdge* edge : layout.edges) {
    bool lead = false;
    for (const COffsetEdge* l : leads) lead = lead || (l != nullptr && l == edge);
    if (!lead) sum += edgeLength(edge, pieces);
  }
  return sum;
}

bool loopFitsZone(const CFHCircuitLayout& layout) {
  const double s = layout.spacing;
  if (layout.boundary == nullptr || !(s > 0.0) || !std::isfinite(s)) return true;
  std::vector<CFHBoundLoop*> loops;
  // Without an offset at the first offset itself nothing can be told.
  if (!layout.boundary->offsetLoops(layout.firstOffset, loops) || loops.empty()) return true;
  return layout.boundary->offsetLoops(layout.firstOffset + 0.5 * s, loops) && !loops.empty();
}

bool laysOnlyStub(const CFHCircuitLayout& layout) {
  const double s = layout.spacing;
  if (layout.firstEdge == nullptr || layout.boundary == nullptr || !(s > 0.0) || !std::isfinite(s)) return false;
  const double heated = layout.boundary->offsetArea(layout.firstOffset);
  if (!(heated > 0.0) || !std::isfinite(heated)) return false;
  return laidPipeLengthBeyondLeads(layout) < kStubShare * heated / s || !loopFitsZone(layout);
}
