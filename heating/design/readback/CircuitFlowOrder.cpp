// The order of the zones of a drawn circuit (CircuitFlowOrder.h).
#include "heating/design/readback/CircuitFlowOrder.h"

#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/curves/CFHZoneBoundary.h"
#include "heating/curves/CLoopPoint.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace {

// Where a zone lies in the flow: the leg (0 the supply, 1 the return, 2
// neither crosses the zone) and the place along it, smaller first.
using FlowKey = std::pair<int, double>;

// How far along the side from its manifold end the zone's first crossing
// beyond the lead lies: on the supply the nearest, on the return (whose flow
// runs towards that end) the farthest, negated. None when the side does not
// cross the zone beyond its lead.
std::optional<double> firstAlong(const CFHZoneBoundary& boundary, const DrawnCircuitSide& side, bool towardsEnd) {
  std::vector<CFHZoneCrossing> crossings;
  boundary.curveCrossings(*side.curve, crossings);
  std::optional<double> first;
  for (const CFHZoneCrossing& crossing : crossings) {
    const double along = std::abs(crossing.param - side.manifoldEnd);
    if (std::isnan(along) || along <= side.lead) continue;
    const double place = towardsEnd ? -along : along;
    if (!first || place < *first) first = place;
  }
  return first;
}

FlowKey flowKey(const CFHZoneEntry& zone, const DrawnCircuitSide& supply, const DrawnCircuitSide& returnSide) {
  const CFHZoneBoundary* boundary = zone.design() != nullptr ? zone.design()->boundary() : nullptr;
  if (boundary == nullptr) return {2, 0.0};
  if (const auto along = firstAlong(*boundary, supply, false)) return {0, *along};
  if (const auto back = firstAlong(*boundary, returnSide, true)) return {1, *back};
  return {2, 0.0};
}

}  // namespace

std::vector<CFHZoneEntry*> zonesInFlowOrder(std::vector<CFHZoneEntry*> zones, const DrawnCircuitSide& supply,
                                            const DrawnCircuitSide& returnSide) {
  std::vector<std::pair<FlowKey, CFHZoneEntry*>> keyed;
  for (CFHZoneEntry* zone : zones) keyed.emplace_back(flowKey(*zone, supply, returnSide), zone);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < zones.size(); ++i) zones[i] = keyed[i].second;
  return zones;
}

CFHZoneEntry* zoneAtConnection(const std::vector<CFHZoneEntry*>& flowOrdered, const XtGePoint2d& point) {
  const double equal = 100.0 * workTol.equalPoint();
  CFHZoneEntry* found = nullptr;
  double nearest = std::numeric_limits<double>::infinity();
  for (CFHZoneEntry* zone : flowOrdered) {
    const CFHZoneBoundary* boundary = zone->design() != nullptr ? zone->design()->boundary() : nullptr;
    CLoopPoint onWall;
    if (boundary == nullptr || !boundary->asDrawnLoop.closestPoint(point, onWall, workTol)) continue;
    const double distance = onWall.point.distanceTo(point);
    if (distance > manifoldConnectionTol.equalPoint() || distance > nearest + equal) continue;
    found = zone;
    nearest = std::min(nearest, distance);
  }
  return found;
}
