#include "heating/design/commands/CmdDozidEzezOvedo.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/drawing/CFHDistributorInOut.h"
#include "heating/design/drawing/CFHDrawingInOut.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneChaining.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/commands/HeatingCommandRun.h"
#include "heating/design/zones/ZoneBoundarySegmentPoints.h"
#include "heating/design/zones/ZoneCurvesOverlap.h"

#include "heating/layout/offsets/OffsetLevelSource.h"

#include "heating/curves/CFHZoneBoundary.h"
#include "heating/curves/HeatingCurvesFromDrawing.h"

#include "host/CodePageText.h"
#include "host/HostExport.h"
#include "host/HostSelection.h"
#include "host/MessageBoxRes.h"
#include "host/entities/ownedChain.h"
#include "host/ltListRef.h"

#include "geometry/Tolerances.h"

#include "platform/cadhost/HostStatus.h"

#include "resources/ModuleStrings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Word 19's code when the first selection fails.
constexpr std::uint32_t kEndSelectionFailed = 0xFFFFFFFFu;
// The selection's filter arguments of the two selections.
constexpr int kManifoldSelectionFilter = 4;
constexpr int kZoneSelectionFilter = 0x2003;
// Zone curves shorter than this many point tolerances are dropped.
constexpr double kShortPieceFactor = 5.0;

// One run of the command. Each stage answers whether the command goes on;
// a stage that stops has told the user and the host what they need.
class DesignRun {
 public:
  DesignRun(CFHModel& model, CFHMainDialogFactory makeDialog)
      : model_(model), io_(CFHDrawingInOut::instance()), makeDialog_(makeDialog) {}

  void run() {
    if (!selectManifold() || !selectZones() || !readPipes()) return;
    if (!buildZones() || !routePipes()) return;
    dialogLoop();
  }

 private:
  // ---- Messages and ends --------------------------------------------------------
  std::string caption() const { return heatingCaption(model_); }
  void refuse(UINT textId, std::uint32_t endCode) {
    messageBoxRes(caption().c_str(), textId, MB_ICONERROR);
    io_.clear();
    endCommand(endCode);
  }
  void endCommand(std::uint32_t code) const { endHeatingCommand(model_, code); }

  // ---- First selection: the manifold and its pipes ------------------------------
  bool selectManifold() {
    if (model_.hostTable == nullptr) return false;
    const std::optional<int> shown = showSelectionPrompt(moduleText(IDS_PROMPT_SELECT_MANIFOLD).view());
    if (!shown || *shown != hostStatus::normal) {
      io_.clear();
      if (shown != hostStatus::cancelled) endCommand(kEndSelectionFailed);
      return false;
    }
    if (applySelection(kManifoldSelectionFilter) != hostStatus::normal) {
      io_.clear();
      endCommand(kEndSelectionFailed);
      return false;
    }
    model_.loadProfileDefaults();
    holdSelection();
    if (const UINT refusal = readManifoldPass()) {
      refuse(refusal, kEndSelectionFailed);
      return false;
    }
    return true;
  }

  // Every selected entity, deep-copied into a holder the I/O object keeps.
  void holdSelection() {
    for (int n = 0; n < kMaxSelectedEntities; ++n) {
      const ownedChain list(nextSelectedEntity());
      if (list == nullptr) break;
      ltListRef* holder = ltListRef::create(copyResbufChain(list.get(), false));
      held_.push_back(holder->list);
      io_.holdEntity(holder);
    }
  }

  // The held entities in selection order, up to the first refusal: 0, or
  // the refusal.
  UINT readManifoldPass() {
    UINT refusal = 0;
    bool found = false;
    for (std::size_t i = 0; i < held_.size() && refusal == 0; ++i) {
      int status = kHeatingEntityNone;
      const char16_t* type = classifyEntityType(held_[i], status, true);
      if (status != kHeatingEntityCurve) {
        refusal = IDS_ERR_WRONG_ENTITIES;
        break;
      }
      CFHDrawingInOut::RecordPtr record = CFHDrawingInOut::createRecord(type, held_[i]);
      if (record == nullptr || !record->valid()) {
        refusal = IDS_ERR_ENTITY_FAILED;
        break;
      }
      if (record->kind() != CFHEntityInOut::kDistributor) {
        io_.pipeRecords.push_back(std::move(record));
        continue;
      }
      if (found) {
        refusal = IDS_ERR_SEVERAL_MANIFOLDS;
        break;
      }
      found = true;
      auto* manifold = static_cast<CFHDistributorInOut*>(record.release());
      manifold->heldIndex = static_cast<std::int32_t>(i);
      io_.setManifold(std::unique_ptr<CFHDistributorInOut>(manifold));
      CFHPipeNetwork trial;
      if (!trial.readManifold(*io_.manifold(), false)) refusal = IDS_ERR_UNSUPPORTED_MANIFOLD_BLOCK;
    }
    return found ? refusal : IDS_ERR_NO_MANIFOLD;
  }

  // ---- Second selection: the zone outlines ---------------------------------------
  bool selectZones() {
    const std::optional<int> shown = showSelectionPrompt(moduleText(IDS_PROMPT_SELECT_ZONES).view());
    if (shown != hostStatus::normal || applySelection(kZoneSelectionFilter) != hostStatus::normal) {
      io_.releaseHeldEntities(true);
      io_.clear();
      return false;
    }
    for (int n = 0; n < kMaxSelectedEntities; ++n) {
      const ownedChain list(nextSelectedEntity());
      if (list == nullptr) break;
      int status = kHeatingEntityNone;
      const char16_t* type = classifyEntityType(list.get(), status, false);
      if (status != kHeatingEntityCurve) {
        refuse(status == kHeatingEntityUnsupported ? IDS_ERR_SPLINE_OR_ELLIPSE : IDS_ERR_WRONG_ENTITIES,
               kEndWithoutDrawing);
        return false;
      }
      CFHDrawingInOut::RecordPtr record = CFHDrawingInOut::createRecord(type, list.get());
      if (record == nullptr || !record->valid()) {
        refuse(IDS_ERR_ENTITY_FAILED, kEndWithoutDrawing);
        return false;
      }
      io_.zoneCurveRecords.push_back(std::move(record));
    }
    return true;
  }

  // ---- Work frame, manifold and pipes ----------------------------------------------
  bool readPipes() {
    io_.updateUcs();
    io_.transformAllToWork();
    CFHPipeNetwork& network = model_.pipeNetwork();
    UINT refusal = 0;
    if (!network.readManifold(*io_.manifold(), false)) refusal = IDS_ERR_UNSUPPORTED_MANIFOLD_BLOCK;
    else if (io_.pipeRecords.empty()) refusal = IDS_ERR_NO_PIPES;
    else if (io_.zoneCurveRecords.empty()) refusal = IDS_ERR_NO_ZONES;
    if (refusal != 0) {
      refuse(refusal, kEndWithoutDrawing);
      return false;
    }
    for (const CFHDrawingInOut::RecordPtr& record : io_.pipeRecords) network.addPipe(curveFromEntityRecord(*record));
    network.buildWorkingGeometry();
    return true;
  }

  // ---- Zones ---------------------------------------------------------------------------
  bool buildZones() {
    CFHBoundaryChain::Results paths;
    {
      CFHZoneChaining chaining;
      if (const UINT refusal = chainZoneCurves(chaining)) {
        refuse(refusal, kEndWithoutDrawing);
        return false;
      }
      paths = chaining.takePaths();
    }
    CFHPipeNetwork& network = model_.pipeNetwork();
    network.distributorOutline();
    model_.deleteZoneEntries();
    XtGePoint2dArray pipePoints;
    zoneBoundarySegmentPoints(network, pipePoints);
    std::uint32_t number = 0;
    for (std::unique_ptr<CFHBoundaryChain>& path : paths) {
      CFHZoneEntry* zone = model_.addZone(++number);
      auto boundary = std::make_unique<CFHZoneBoundary>(&layoutOffsetLevelSource());
      for (CFloorHeatingCurve::Ptr& curve : path->takeChainCurves()) boundary->addBoundaryCurve(std::move(curve));
      boundary->prepareLoop(true);
      if (boundary->asDrawnLoop.classifyPoints(pipePoints, workTol) == CLoop::kInside) {
        zone->pipesRunInto = 1;
        boundary->pipeNetwork = &network;
      }
      boundary->workingLoop.copyFrom(boundary->asDrawnLoop);
      zone->design()->setBoundary(std::move(boundary));
    }
    return true;
  }

  // Offers every zone curve to the chaining: 0, or the refusal.
  UINT chainZoneCurves(CFHZoneChaining& chaining) const {
    const double shortest = kShortPieceFactor * workTol.equalPoint();
    for (const CFHDrawingInOut::RecordPtr& record : io_.zoneCurveRecords) {
      CFloorHeatingCurve::Ptr curve = curveFromEntityRecord(*record);
      if (curve == nullptr || curve->length() < shortest) continue;
      bool overlaps = curve->selfOverlaps(zoneBoundsTol, workTol);
      for (const auto& path : chaining.finishedPaths())
        overlaps = overlaps || zoneCurvesOverlap(path->chainCurves(), *curve);
      if (overlaps) return IDS_ERR_OVERLAPPING_CURVES;
      if (const UINT refusal = chaining.offer(std::move(curve))) return refusal;
    }
    return chaining.finish();
  }

  // ---- Circuits --------------------------------------------------------------------------
  bool routePipes() {
    model_.deleteCircuits();
    CFHPipeNetwork& network = model_.pipeNetwork();
    network.distributorOutline();
    switch (network.route()) {
      case CFHPipeNetwork::kNotAtManifold: refuse(IDS_ERR_PIPES_NOT_AT_MANIFOLD, kEndWithoutDrawing); return false;
      case CFHPipeNetwork::kReachesNoZone: refuse(IDS_ERR_PIPES_NOT_AT_ZONES, kEndWithoutDrawing); return false;
      case CFHPipeNetwork::kZoneFedTwice: refuse(IDS_ERR_ZONE_FED_TWICE, kEndWithoutDrawing); return false;
      default: break;
    }
    model_.selectCircuitByNumber(1);
    std::vector<CString> duplicates;
    model_.findDuplicateZones(duplicates);
    for (const CString& text : duplicates)
      messageBoxResFormat(caption().c_str(), IDS_WARN_DUPLICATE_ZONES, MB_ICONWARNING, text.GetString());
    model_.updateZoneAreas();
    return true;
  }

  // ---- The dialog loop ----------------------------------------------------------------------
  void dialogLoop() {
    runDialogLoop(model_, makeDialog_, {[this] { draw(); }, [this] { endCommand(kEndWithoutDrawing); }});
  }

  // IDOK with every circuit laid out: drawn, the picked zone curves handed
  // over and the held entities but the manifold given back; a failed output
  // leaves the drawing as it was.
  void draw() {
    if (!drawDesignOrRollBack(model_)) return;
    // The picked zone curves (and boundaries of a drawn design) go to the
    // host, which replaces them by the drawn outlines.
    std::vector<std::u16string> handles;
    io_.collectBoundaryHandles(handles);
    handOverHandles(model_, handles);
    io_.updateUcs();
    io_.transformAllToWork();
    io_.releaseHeldEntities(false);
  }

  CFHModel& model_;
  CFHDrawingInOut& io_;
  CFHMainDialogFactory makeDialog_;
  // The held lists in selection order (the I/O object's holders own them).
  std::vector<const resbuf*> held_;
};

}  // namespace

void runDozidEzezOvedo(CFHMainDialogFactory makeDialog) {
  runHeatingCommand([makeDialog](CFHModel& model) { DesignRun(model, makeDialog).run(); });
}
