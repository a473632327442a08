// The output driver: the confirmed design drawn into the drawing, in its
// fixed order, all through one output of the host. The writers are those of
// CFHPipeOutput.cpp, CFHLabelOutput.cpp, CFHOutlineOutput.cpp and
// CFHManifoldOutput.cpp; each answers false to stop the output, which the
// command then rolls back.
#include "heating/design/model/CFHModel.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/drawing/CFHDrawingInOut.h"
#include "heating/design/output/CFHOutputContext.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "host/CodePageText.h"
#include "host/HostExport.h"
#include "host/SiblingModules.h"

#include <cmath>

namespace {

// Points the model at the output context for the length of one output.
class OutputScope {
 public:
  OutputScope(CFHModel& model, CFHOutputContext& context) : model_(model) { model_.outputContext = &context; }
  ~OutputScope() { model_.outputContext = nullptr; }
  OutputScope(const OutputScope&) = delete;
  OutputScope& operator=(const OutputScope&) = delete;

 private:
  CFHModel& model_;
};

// The host's answer when it is a usable scale, else 1.
double scaleOr1(std::optional<double> scale) {
  return scale && std::isfinite(*scale) && *scale > 0.0 ? *scale : 1.0;
}

}  // namespace

void CFHModel::saveFloorStructures() {
  if (HvFloorSaveToDictProc save = hvSiblings.floorSaveToDict) {
    for (const auto& entry : usedFloorStructures.entries()) {
      const std::string name = hvWideToMb(entry->key.view());
      for (const CString& mark : entry->values) save(name.c_str(), hvWideToMb(mark.view()).c_str(), 0);
    }
  }
  floorCatalogue.clear();
  usedFloorStructures.clear();
  reloadFloorCatalogue();
}

double CFHModel::textScale(const HostExport2D* host) const {
  const double scale = descData_->annotative != 0 ? scaleOr1(callHostWordOf<216>(host))
                                                  : scaleOr1(callHostWordOf<32>(host, host, 0));
  return scale * unitFactor_ * 0.001;
}

bool CFHModel::drawDesign() {
  // The output reads what the design jobs laid out: they must have ended.
  for (const std::unique_ptr<CFHCircuit>& circuit : circuits_) circuit->waitForWorker();
  saveFloorStructures();

  const HostExport2D* host = hostTable != nullptr ? hostTable : getExport2D();
  if (!callHostWordOf<17>(host)) return false;

  // Work coordinates to the world: the inverted work frame. The held records
  // go back into the world with it.
  CFHDrawingInOut& io = CFHDrawingInOut::instance();
  io.updateUcs();
  io.invertWorkMatrix();
  io.transformAllToWork();
  const XtGeMatrix2d matrix = io.workMatrix();

  CFHOutputContext context;
  context.host = host;
  if (io.hasManifold() && io.manifold()->handle() != nullptr) context.manifoldHandles.emplace_back(io.manifold()->handle());
  context.keptHandles = keptAsDrawn.handles;
  OutputScope scope(*this, context);

  const bool colourCircuits = pipeNetwork_.colourCircuits != 0;
  for (const std::unique_ptr<CFHCircuit>& circuit : circuits_)
    if (!circuit->drawPipes(host, matrix, *pipeStyles_, colourCircuits, *descData_)) return false;
  if (!pipeNetwork_.drawManifoldLabel(host, matrix, *pipeStyles_, *descData_, io.auxRecord())) return false;
  for (const std::unique_ptr<CFHZoneEntry>& zone : zones_) {
    if (!zone->drawDescription(host, matrix, *pipeStyles_, pipeNetwork_, *descData_)) return false;
    if (!zone->drawOutline(host, matrix)) return false;
  }
  std::vector<XtGePoint2d> labelPoints;
  for (const std::unique_ptr<CFHCircuit>& circuit : circuits_)
    if (!circuit->drawLabel(host, matrix, *pipeStyles_, *descData_, labelPoints)) return false;
  if (!pipeNetwork_.drawManifold(host, matrix)) return false;
  return callHostWordOf<19>(host, 1u);
}
