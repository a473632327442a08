#include "heating/layout/LaidPipeLength.h"

#include "heating/layout/CFHCircuitLayout.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/OffsetEdgePath.h"

#include "heating/curves/CFHZoneBoundary.h"

#include <cmath>

double laidPipeLength(const CFHCircuitLayout& layout) {
  double sum = 0.0;
  CFloorHeatingCurve::PtrVector pieces;
  for (const COffsetEdge* edge : layout.edges) {
    if (edge == nullptr || !offsetEdgePathAlongLoop(edge, pieces)) continue;
    for (const auto& piece : pieces) sum += piece->length();
  }
  return sum;
}

bool laysOnlyStub(const CFHCircuitLayout& layout) {
  const double s = layout.spacing;
  if (layout.firstEdge == nullptr || layout.boundary == nullptr || !(s > 0.0) || !std::isfinite(s)) return false;
  const double heated = layout.boundary->offsetArea(layout.firstOffset);
  if (!(heated > 0.0) || !std::isfinite(heated)) return false;
  return laidPipeLength(layout) < 0.25 * heated / s;
}
