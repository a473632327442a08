// The distribution pipes of a design model's circuits applied to its zones,
// and the check for zones drawn twice.
#include "heating/design/model/CFHModel.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

std::vector<std::unique_ptr<CFloorHeatingCurve>> CFHModel::circuitPipeCopies() const {
  std::vector<std::unique_ptr<CFloorHeatingCurve>> copies;
  for (const auto& circuit : circuits_) {
    for (const CFloorHeatingCurve* pipe : {circuit->supplyPipe(), circuit->returnPipe()})
      if (pipe != nullptr) copies.push_back(pipe->extendedCopyAt(pipe->midPoint(), 0.0));
  }
  return copies;
}

void CFHModel::applyPipesToZones() {
  stopDesignJobs();
  for (const auto& zone : zones_) {
    // The build destroys the copies it does not cut along; the rest go here.
    std::vector<std::unique_ptr<CFloorHeatingCurve>> pipes = circuitPipeCopies();
    zone->design()->applyPipes(pipes);
  }
}

bool CFHModel::findDuplicateZones(std::vector<CString>& texts) const {
  std::vector<bool> reported(zones_.size(), false);
  bool found = false;
  for (std::size_t i = 0; i < zones_.size(); ++i) {
    const CFHZoneBoundary* first = zones_[i]->design()->boundary();
    if (reported[i] || first == nullptr) continue;
    CString text;
    for (std::size_t j = i + 1; j < zones_.size(); ++j) {
      const CFHZoneBoundary* other = zones_[j]->design()->boundary();
      if (reported[j] || other == nullptr || !CFHBoundLoop::sharesEndPoint(first->asDrawnLoop, other->asDrawnLoop))
        continue;
      reported[i] = reported[j] = true;
      if (text.IsEmpty()) text.Format(u"%d", static_cast<int>(zones_[i]->number));
      text.AppendFormat(u", %d", static_cast<int>(zones_[j]->number));
    }
    if (text.IsEmpty()) continue;
    texts.push_back(text);
    found = true;
  }
  return found;
}
