#include "heating/curves/CFHZoneBoundary.h"

#include "host/HostExport.h"

void CFHZoneBoundary::addBoundaryCurve(CFloorHeatingCurve::Ptr curve) {
  asDrawnLoop.append(std::move(curve));
  invalidateCachedPoint(true);
  invalidateCachedPoint(false);
}

double CFHZoneBoundary::arcSplitStep() {
  const std::optional<int> unitFactor = hostUnitFactor();
  return unitFactor ? 0.4 * *unitFactor : 0.0;
}

double CFHZoneBoundary::arcChordSagitta() {
  const std::optional<int> unitFactor = hostUnitFactor();
  return unitFactor ? 0.001 * *unitFactor : 0.0;
}

bool CFHZoneBoundary::prepareLoop(bool asDrawn) {
  CFHBoundLoop& chosen = loop(asDrawn);
  const bool whole = chosen.chainItems();
  chosen.closeGaps();
  chosen.mergeCollinear();
  chosen.orient(false);
  if (!asDrawn) chosen.splitArcs(arcSplitStep(), arcChordSagitta());
  invalidateCachedPoint(asDrawn);
  return whole;
}
