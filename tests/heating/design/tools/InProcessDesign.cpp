#include "tests/heating/design/tools/InProcessDesign.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/zones/ZoneBoundarySegmentPoints.h"

#include "tests/heating/design/ZoneDesignTestSupport.h"

#include "heating/layout/offsets/OffsetLevelSource.h"

#include "heating/curves/HeatingCurvesFromDrawing.h"

#include "host/HostExport.h"
#include "host/HostSelection.h"
#include "host/HvHostApi.h"
#include "host/SiblingModules.h"
#include "host/items/productConnection.h"

#include "resources/ModuleStrings.h"

#include "platform/win/Modules.h"

#include "geometry/Tolerances.h"

namespace in_process_design {

CommandScope::CommandScope() : scope_(CString()) {
  hvInitHostApi(GetModuleHandleW(hostApiModuleName));
  hvRegisterModuleStrings();
  bindSiblingModules();
  resetProductConnections();
}

CommandScope::~CommandScope() {
  CFHDrawingInOut::instance().clear();
  hvReleaseHostApi(false);
}

void pickInputs(CFHDrawingInOut& io) {
  io.clear();
  selectWithPrompt(u"", 4);
  while (resbuf* list = nextSelectedEntity()) {
    const std::int32_t held = io.holdEntity(ltListRef::create(list));
    int status = 0;
    auto record = CFHDrawingInOut::createRecord(classifyEntityType(list, status, true), list);
    if (record->kind() != CFHEntityInOut::kDistributor) {
      io.pipeRecords.push_back(std::move(record));
      continue;
    }
    io.setManifold(std::unique_ptr<CFHDistributorInOut>(static_cast<CFHDistributorInOut*>(record.release())));
    io.manifold()->heldIndex = held;
  }
  selectWithPrompt(u"", 0x2003);
  while (resbuf* given = nextSelectedEntity()) {
    const ownedChain list(given);
    int status = 0;
    io.zoneCurveRecords.push_back(
        CFHDrawingInOut::createRecord(classifyEntityType(list.get(), status, false), list.get()));
  }
  io.updateUcs();
  io.transformAllToWork();
}

bool buildModel(CFHModel& model, const CFHDrawingInOut& io) {
  CFHPipeNetwork& network = model.pipeNetwork();
  const bool manifoldRead = io.hasManifold() && network.readManifold(*io.manifold(), false);
  for (const auto& record : io.pipeRecords) network.addPipe(curveFromEntityRecord(*record));
  network.buildWorkingGeometry();
  network.distributorOutline();
  XtGePoint2dArray pipePoints;
  zoneBoundarySegmentPoints(network, pipePoints);
  std::uint32_t number = 0;
  for (const auto& record : io.zoneCurveRecords) {
    CFHZoneEntry& zone = *model.addZone(++number);
    auto boundary = std::make_unique<CFHZoneBoundary>(&layoutOffsetLevelSource());
    boundary->addBoundaryCurve(curveFromEntityRecord(*record));
    boundary->prepareLoop(true);
    if (boundary->asDrawnLoop.classifyPoints(pipePoints, workTol) == CLoop::kInside) {
      zone.pipesRunInto = 1;
      boundary->pipeNetwork = &network;
    }
    boundary->workingLoop.copyFrom(boundary->asDrawnLoop);
    zone.design()->setBoundary(std::move(boundary));
  }
  return manifoldRead;
}

void designCircuits(CFHModel& model) {
  for (const auto& circuit : model.circuits()) {
    circuit->prepareDesignSpacing();
    for (std::size_t i = 0; i < circuit->zones().size(); ++i) {
      CFHZoneDesign& design = *circuit->zones()[i]->design();
      if (i > 0) circuit->linkToPreviousZone(circuit->zones()[i]);
      // A zone without a meander base lays its meander across the wall its
      // pipe enters by, as the command's jobs choose.
      const CFHPipeEnd* entry = design.pipeEnd(1) != nullptr ? design.pipeEnd(1) : design.pipeEnd(0);
      if (entry != nullptr && design.boundary()->workingLoop.itemById(static_cast<int>(design.meanderBaseId())) == nullptr)
        design.setMeanderBaseId(zone_design_test::sideIdNear(design, entry->point));
      design.design();
    }
    circuit->buildPath();
    circuit->calculate();
  }
}

void handOver(CFHDrawingInOut& io) {
  std::vector<std::u16string> picked;
  CFHDrawingInOut::collectHandles(io.zoneCurveRecords, picked);
  std::vector<const char16_t*> handles;
  for (const std::u16string& h : picked) handles.push_back(h.c_str());
  handles.push_back(nullptr);
  callHostWord<142>(handles.data(), static_cast<int>(picked.size()), 1);
  io.updateUcs();
  io.transformAllToWork();
  io.releaseHeldEntities(false);
}

}  // namespace in_process_design
