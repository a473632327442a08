#include "heating/design/LaidPipeSoundness.h"

#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHModel.h"
#include "heating/design/CFHZoneDesign.h"
#include "heating/design/CFHZoneEntry.h"

#include "heating/layout/LaidPipeLength.h"
#include "heating/layout/PathContainmentCheck.h"
#include "heating/layout/PathSpacingCheck.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace {

// A path of more pieces than this is not checked piece by piece: its zones
// are named.
constexpr std::size_t kMaxPathPieces = PathSpacingCheck::kMaxChunks / 2;

// Whether the zone's full layout laid a path that its layout step found
// crossing itself.
bool layoutReportsCrossing(const CFHZoneEntry& zone) {
  const CFHZoneDesign* design = zone.design();
  if (design == nullptr) return false;
  const CFHZoneDesign::IdleAccess access(*design);
  const CFHCircuitLayout* layout = access.fullLayoutIfIdle();
  return layout != nullptr && layout->firstEdge != nullptr && layout->outcome == LayoutOutcome::kPathsCross;
}

// The circuit's path as it is drawn: the segments of its first zone's main
// layout for display types 0 and 1 (the connection run), else of the second
// (the main one then holds levels only), in path order. False when the path
// has more than kMaxPathPieces pieces.
bool readPath(const CFHCircuit& circuit, std::vector<LaidPathPiece>& pieces) {
  const CFHZoneDesign* design = circuit.zones().front()->design();
  if (design == nullptr) return true;
  const CFHZoneDesign::IdleAccess access(*design);
  const CFHCircuitLayout* layout = design->displayType() <= 1 ? access.layoutIfIdle() : access.secondLayoutIfIdle();
  return layout == nullptr || appendLaidPieces(layout->segments, kMaxPathPieces, pieces);
}

void mark(std::vector<std::uint8_t>& faults, std::size_t position) {
  if (faults.size() <= position) faults.resize(position + 1, 0);
  faults[position] = 1;
}

// What the checks of one circuit after another reuse.
struct Workspace {
  std::vector<LaidPathPiece> pieces;
  std::vector<double> diameters;
  PathSpacingCheck spacing;
  PathContainmentCheck containment;
};

void markUnsoundZones(const CFHCircuit& circuit, std::vector<std::uint8_t>& faults, Workspace& work) {
  const std::vector<CFHZoneEntry*>& zones = circuit.zones();
  if (zones.empty()) return;
  if (faults.size() < zones.size()) faults.resize(zones.size(), 0);
  for (std::size_t i = 0; i < zones.size(); ++i)
    if (zones[i] != nullptr && layoutReportsCrossing(*zones[i])) mark(faults, i);
  if (zones.front() == nullptr) return;

  work.pieces.clear();
  if (!readPath(circuit, work.pieces)) {
    for (std::size_t i = 0; i < zones.size(); ++i) mark(faults, i);
    return;
  }
  if (work.pieces.empty()) return;

  const double unit = zones.front()->model() != nullptr ? zones.front()->model()->unitFactor() : 1.0;
  work.diameters.clear();
  for (const CFHZoneEntry* zone : zones) {
    const double d = zone != nullptr ? zone->calc.pipeDiameter : 0.0;
    work.diameters.push_back((std::isfinite(d) && d > 0.0 ? d : spacing_rules::kDefaultPipeDiameterMetres) * unit);
  }
  work.spacing.check(work.pieces, work.diameters, spacing_rules::kDefaultPipeDiameterMetres * unit, faults);

  for (std::size_t i = 0; i < zones.size(); ++i) {
    if (faults[i] != 0 || zones[i] == nullptr || zones[i]->design() == nullptr) continue;
    const CFHZoneBoundary* boundary = zones[i]->design()->boundary();
    if (boundary == nullptr) continue;
    work.containment.setLoop(boundary->asDrawnLoop, workTol);
    if (work.containment.leaves(work.pieces, static_cast<std::uint32_t>(i))) mark(faults, i);
  }
}

}  // namespace

void markUnsoundZones(const CFHCircuit& circuit, std::vector<std::uint8_t>& faults) {
  Workspace work;
  markUnsoundZones(circuit, faults, work);
}

bool zoneHasLaidPipe(const CFHZoneEntry& zone) {
  const CFHZoneDesign* design = zone.design();
  if (design == nullptr) return false;
  const CFHZoneDesign::IdleAccess access(*design);
  const CFHCircuitLayout* layout = access.fullLayoutIfIdle();
  return layout != nullptr && layout->firstEdge != nullptr &&
         (layout->outcome == LayoutOutcome::kLaid || layout->outcome == LayoutOutcome::kRegionsLeftOut ||
          layout->outcome == LayoutOutcome::kPathsCross) &&
         !laysOnlyStub(*layout);
}

std::vector<const CFHZoneEntry*> zonesWithUnsoundPipe(const CFHModel& model) {
  std::unordered_set<const CFHZoneEntry*> unsound;
  std::vector<std::uint8_t> faults;
  Workspace work;
  for (const auto& circuit : model.circuits()) {
    faults.clear();
    markUnsoundZones(*circuit, faults, work);
    for (std::size_t i = 0; i < faults.size() && i < circuit->zones().size(); ++i)
      if (faults[i] != 0) unsound.insert(circuit->zones()[i]);
  }
  std::vector<const CFHZoneEntry*> named;
  for (const auto& zone : model.zones())
    if (unsound.contains(zone.get()) && zoneHasLaidPipe(*zone)) named.push_back(zone.get());
  return named;
}
