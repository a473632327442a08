#include "heating/design/commands/CmdDozidEzezOvedoEdit.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/drawing/CFHDrawingInOut.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/readback/CFHZoneGroup.h"
#include "heating/design/commands/HeatingCommandRun.h"

#include "heating/curves/HeatingCurvesFromDrawing.h"

#include "host/HostExport.h"
#include "host/HostSelection.h"
#include "host/MessageBoxRes.h"
#include "host/entities/ownedChain.h"

#include "platform/cadhost/HostStatus.h"

#include "resources/ModuleStrings.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// The selection word's arguments: the prompt shown with mode 1, then the
// selection with the filter.
constexpr int kPromptMode = 1;
constexpr int kSelectionFilter = 0x20003;
// The layer whose state the description settings keep.
constexpr const char16_t* kHeatingLayer = u"HV_QEVHEATING";

// One run of the command. Each stage answers whether the command goes on;
// a stage that stops has told the user what they need.
class EditRun {
 public:
  EditRun(CFHModel& model, CFHMainDialogFactory makeDialog)
      : model_(model), io_(CFHDrawingInOut::instance()), makeDialog_(makeDialog) {}

  void run() {
    model_.editFlag = 1;
    if (!select() || !fileSelection() || !readManifold() || !readDesign()) return;
    runDialogLoop(model_, makeDialog_, {[this] { draw(); }, [] {}});
  }

 private:
  // A refusal: the I/O object cleared, the error shown; nothing was opened,
  // so word 19 is not called.
  bool refuse(UINT textId) {
    io_.clear();
    messageBoxRes(heatingCaption(model_).c_str(), textId, MB_ICONERROR);
    return false;
  }

  // ---- The selection ------------------------------------------------------------------
  bool select() {
    const CString prompt = moduleText(IDS_PROMPT_SELECT_MANIFOLD_TO_EDIT);
    if (showSelectionPrompt(prompt.view(), kPromptMode) != hostStatus::normal) {
      io_.clear();
      return false;
    }
    // An empty or failed selection fetches nothing: no manifold, 325.
    applySelection(kSelectionFilter, prompt.view());
    model_.loadProfileDefaults();
    return true;
  }

  // Every selected entity made a record and filed.
  bool fileSelection() {
    for (int n = 0; n < kMaxSelectedEntities; ++n) {
      const ownedChain list(nextSelectedEntity());
      if (list == nullptr) break;
      int status = kHeatingEntityNone;
      const char16_t* type = classifyEntityType(list.get(), status, true);
      if (status == kHeatingEntityNone || status == kHeatingEntityUnsupported) return refuse(IDS_ERR_EDIT_ONE_MANIFOLD);
      CFHDrawingInOut::RecordPtr record = CFHDrawingInOut::createRecord(type, list.get());
      if (record == nullptr || !record->valid()) return refuse(IDS_ERR_WRONG_ENTITIES);
      if (record->kind() == CFHEntityInOut::kDistributor && io_.hasManifold()) return refuse(IDS_ERR_EDIT_ONE_MANIFOLD);
      io_.fileRecord(std::move(record));
    }
    if (!io_.hasManifold()) return refuse(IDS_ERR_EDIT_ONE_MANIFOLD);
    if (!io_.hasHeatingRecords() || !io_.groupZonesByCircuit(groups_)) return refuse(IDS_ERR_DRAWN_DESIGN_INCOMPLETE);
    return true;
  }

  // ---- The manifold and the model values -------------------------------------------------
  bool readManifold() {
    io_.updateUcs();
    io_.transformAllToWork();
    CFHPipeNetwork& network = model_.pipeNetwork();
    // Any block is filed as the manifold: one the design does not know
    // would give it no outline to read the circuits against.
    if (!network.readManifold(*io_.manifold(), true)) return refuse(IDS_ERR_UNSUPPORTED_MANIFOLD_BLOCK);
    network.distributorOutline();
    io_.readModelValues(model_);
    return true;
  }

  // ---- Zones and circuits -------------------------------------------------------------------
  bool readDesign() {
    std::vector<std::unique_ptr<CFHZoneEntry>> zones;
    for (CFHZoneGroup& group : groups_) {
      for (const std::int32_t number : group.zoneNumbers) {
        auto zone = std::make_unique<CFHZoneEntry>(&model_, static_cast<std::uint32_t>(number));
        if (!io_.readZone(*zone, number)) continue;
        group.zonePositions.push_back(static_cast<std::int32_t>(zones.size()));
        zones.push_back(std::move(zone));
      }
    }
    if (zones.empty()) return refuse(IDS_ERR_DRAWN_DESIGN_INCOMPLETE);

    std::vector<std::unique_ptr<CFHCircuit>> circuits;
    std::set<std::int32_t> dropped;
    CFHKeptAsDrawn& kept = model_.keptAsDrawn;
    for (const CFHZoneGroup& group : groups_) {
      if (group.circuitNumber == -1) continue;
      auto circuit = std::make_unique<CFHCircuit>(&model_, static_cast<std::uint32_t>(group.circuitNumber));
      for (const std::int32_t position : group.zonePositions) circuit->addZone(zones[static_cast<std::size_t>(position)].get());
      if (circuit->zones().empty()) continue;
      if (io_.readCircuit(*circuit, group.circuitNumber)) {
        circuits.push_back(std::move(circuit));
        continue;
      }
      // The circuit stays as drawn with its zones, which count in the
      // manifold's totals as drawn; none may point to it meanwhile.
      io_.keepCircuit(group.circuitNumber, kept);
      for (const std::int32_t position : group.zonePositions) {
        CFHZoneEntry& zone = *zones[static_cast<std::size_t>(position)];
        zone.circuit = nullptr;
        kept.zones.addZone(zone);
        kept.zoneNumbers.insert(zone.number);
        if (zone.heatingBody != nullptr) kept.bodyNumbers.insert(zone.heatingBody->number);
        dropped.insert(position);
      }
    }
    for (auto position = dropped.rbegin(); position != dropped.rend(); ++position)
      zones.erase(zones.begin() + *position);
    if (circuits.empty()) {
      model_.deleteZoneVector(zones);
      return refuse(IDS_ERR_DRAWN_DESIGN_INCOMPLETE);
    }
    for (std::unique_ptr<CFHZoneEntry>& zone : zones) model_.appendZone(std::move(zone));
    for (std::unique_ptr<CFHCircuit>& circuit : circuits) model_.appendCircuit(std::move(circuit));

    io_.collectEditHandles(model_, handles_);
    io_.collectKeptHandles(handles_, kept);
    model_.sortCircuitsByNumber();
    model_.sortZonesByNumber();
    CFHDrawingInOut::finishCircuits(model_);
    model_.applyPipesToZones();
    model_.recalculateZones();
    nameCircuitsLeftAsDrawn();
    return true;
  }

  // Warning 9004 with the numbers of the circuits that were drawn but not
  // read: the edit leaves them as they are.
  void nameCircuitsLeftAsDrawn() const {
    std::set<std::int32_t> left;
    for (const CFHZoneGroup& group : groups_)
      if (group.circuitNumber != -1 && model_.circuitByNumber(static_cast<std::uint32_t>(group.circuitNumber)) == nullptr)
        left.insert(group.circuitNumber);
    if (left.empty()) return;
    CString numbers;
    for (const std::int32_t number : left) appendListedNumber(numbers, number);
    messageBoxResFormat(heatingCaption(model_).c_str(), IDS_WARN_CIRCUITS_LEFT_AS_DRAWN, MB_ICONWARNING,
                        numbers.GetString());
  }

  // ---- IDOK -------------------------------------------------------------------------------------
  // The old design handed to the host before the new one is drawn: the
  // output's commit erases it, a failed output's word 19 keeps it.
  void draw() {
    handOverHandles(model_, handles_);
    if (drawDesignOrRollBack(model_)) {
      io_.updateUcs();
      io_.transformAllToWork();
      io_.releaseHeldEntities(false);
    }
    const std::uint8_t* state = model_.descData().layerState;
    callHostWordOf<217>(model_.hostTable, kHeatingLayer, state[0], state[1]);
  }

  CFHModel& model_;
  CFHDrawingInOut& io_;
  CFHMainDialogFactory makeDialog_;
  std::vector<CFHZoneGroup> groups_;
  // The handles of the old design's entities that the new one replaces.
  std::vector<std::u16string> handles_;
};

}  // namespace

void runDozidEzezOvedoEdit(CFHMainDialogFactory makeDialog) {
  runHeatingCommand([makeDialog](CFHModel& model) { EditRun(model, makeDialog).run(); });
}
