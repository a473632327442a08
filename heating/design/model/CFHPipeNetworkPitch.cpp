// A new distribution-pipe pitch: every circuit's supply and return pipes are
// laid again beside its centre line, all or none.
#include "heating/design/model/CFHPipeNetwork.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include <algorithm>
#include <cmath>

namespace {

// What a circuit's connection was before the new pitch: its pipes and its
// first zone's pipe ends.
struct SavedConnection {
  CFHCircuit* circuit = nullptr;
  CFHZoneDesign* design = nullptr;
  std::pair<CFloorHeatingCurve::Ptr, CFloorHeatingCurve::Ptr> pipes;
  std::unique_ptr<CFHPipeEnd> ends[2];

  void restore() {
    circuit->setPipes(std::move(pipes.first), std::move(pipes.second));
    for (int i = 0; i < 2; ++i) design->setPipeEnd(i, std::move(ends[i]));
  }
};

}  // namespace

bool CFHPipeNetwork::setPipePitch(double value) {
  if (!std::isfinite(value) || !(value > 0.0)) return false;
  const double pitch = std::min(value, pipePitchLimit);
  if (pitch == pipePitch) return true;
  if (owner_ == nullptr) {
    pipePitch = pitch;
    return true;
  }
  CFHModel& model = *owner_;
  // The jobs read the pitch, the pipes and the pipe ends (T2).
  model.stopDesignJobs();
  std::vector<SavedConnection> saved;
  saved.reserve(model.circuits().size());
  bool connected = true;
  for (const auto& circuit : model.circuits()) {
    if (circuit->zones().empty() || circuit->centreLine == nullptr) continue;
    CFHZoneDesign& design = *circuit->zones().front()->design();
    SavedConnection& before = saved.emplace_back();
    before.circuit = circuit.get();
    before.design = &design;
    before.pipes = circuit->takePipes();
    for (int i = 0; i < 2; ++i)
      if (design.pipeEnd(i) != nullptr) before.ends[i] = std::make_unique<CFHPipeEnd>(*design.pipeEnd(i));
    // Where the centre line ends on the zone's outline (the stored point
    // stays): the pipes are cut there; a line that ends inside a zone round
    // the manifold is connected without cutting.
    XtGePoint2d onOutline = circuit->connectionPoints[0];
    const bool trim = design.boundary() != nullptr && design.boundary()->isOnLoop(onOutline, true);
    if (!circuit->connectPipe(*circuit->centreLine, pitch, outlineSegments, design, onOutline, trim)) {
      connected = false;
      break;
    }
  }
  if (!connected) {
    for (SavedConnection& before : saved) before.restore();
    return false;
  }
  pipePitch = pitch;
  model.applyPipesToZones();
  return true;
}
