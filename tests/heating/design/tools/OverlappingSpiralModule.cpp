// A test build of the heating module for the end-to-end tests of warning
// 9005: the same two heating commands, whose main dialog, whenever it is
// confirmed, lays the first run of every circuit that starts in a double
// spiral a second time, over itself, at the end of the circuit's path, as a
// faulty layout would. The commands then check the design as they always
// do; a circuit laid out again (another shape, another spacing) carries its
// own path again, and a meander is left as it is.
#include "heating/design/module/ExportedCommand.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/commands/CmdDozidEzezOvedo.h"
#include "heating/design/commands/CmdDozidEzezOvedoEdit.h"

#include "heating/dialogs/CFloorHeatingDlgComplex.h"

#include "heating/layout/record/CFHCircuitSegment.h"

#include "heating/curves/CFloorHeatingLine.h"

namespace {

// The first straight run of the circuit's path laid again at its end.
void layFirstRunTwice(CFHCircuit& circuit) {
  circuit.waitForWorker();
  if (circuit.zones().empty() || circuit.zones().front()->design() == nullptr) return;
  CFHZoneDesign& design = *circuit.zones().front()->design();
  if (design.circuitShape() != CFHCircuitLayout::kSpiral) return;
  const CFHZoneDesign::BusyScope busy(design);
  CFHCircuitLayout* layout = design.displayType() == 0 ? busy.mainLayout() : busy.secondLayout();
  if (layout == nullptr) return;
  for (const CFHCircuitSegment* segment : layout->segments) {
    if (segment->part != CFHCircuitSegment::Part::kRun || segment->curve->kind() != CFloorHeatingCurve::kLine) continue;
    auto copy = std::make_unique<CFloorHeatingLine>(segment->curve->startPoint(), segment->curve->endPoint(), nullptr,
                                                    segment->curve->tag());
    layout->segments.push_back(new CFHCircuitSegment(nullptr, nullptr, std::move(copy), 0));
    return;
  }
}

class OverlappingSpiralDialog : public CFHMainDialog {
 public:
  OverlappingSpiralDialog(CFHModel& model, std::unique_ptr<CFHMainDialog> dialog)
      : model_(model), dialog_(std::move(dialog)) {}
  int showModal() override {
    const int code = dialog_->showModal();
    if (code == IDOK)
      for (const auto& circuit : model_.circuits()) layFirstRunTwice(*circuit);
    return code;
  }

 private:
  CFHModel& model_;
  std::unique_ptr<CFHMainDialog> dialog_;
};

std::unique_ptr<CFHMainDialog> makeDialog(CFHModel& model, HWND parent) {
  return std::make_unique<OverlappingSpiralDialog>(model, CFloorHeatingDlgComplex::create(model, parent));
}

void runDesignCommand() { runDozidEzezOvedo(&makeDialog); }
void runEditCommand() { runDozidEzezOvedoEdit(&makeDialog); }

}  // namespace

HV_EXPORTED_COMMAND(dozidEzezOvedo, runDesignCommand)
HV_EXPORTED_COMMAND(dozidEzezOvedoEdit, runEditCommand)
