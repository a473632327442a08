#include "heating/dialogs/CFloorHeatingDlgComplex.h"

#include "heating/dialogs/CalculationPage.h"
#include "heating/dialogs/DialogPageSteps.h"

#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHJobs.h"
#include "heating/design/CFHModel.h"
#include "heating/design/CFHZoneEntry.h"

#include "host/HostExport.h"
#include "host/ModuleLog.h"

#include "platform/cadhost/HostStatus.h"
#include "platform/win/Utf8.h"
#include "platform/win/WindowMessages.h"

#include <chrono>
#include <exception>
#include <string>

namespace {

// How long one round of waiting listens to the window.
constexpr DWORD kWaitRoundMilliseconds = 20;

}  // namespace

CFloorHeatingDlgComplex::~CFloorHeatingDlgComplex() { closeWindow(); }

std::unique_ptr<CFHMainDialog> CFloorHeatingDlgComplex::create(CFHModel& model, HWND parent) {
  return std::make_unique<CFloorHeatingDlgComplex>(model, parent);
}

int CFloorHeatingDlgComplex::showModal() {
  window_ = hvCreateWindow([this](HWND, UINT message, WPARAM, LPARAM) { return onMessage(message); });
  model_.workerSync().setNotifyWnd(window_);
  redesigns_.reset();
  // Designs that ended before the window existed told no one.
  for (const auto& circuit : model_.circuits())
    if (!circuit->isWorkerRunning()) circuit->calculate();
  redesigns_.afterCalculation();
  const auto run = reinterpret_cast<HvRunScriptedDialogProc>(hostExecutableExport(hostScriptedDialogExport));
  int code = run != nullptr ? run(kDialogName, &CFloorHeatingDlgComplex::driver, this) : IDCANCEL;
  if (code == hostStatus::error) code = IDCANCEL;
  closeWindow();
  return code;
}

void CFloorHeatingDlgComplex::closeWindow() {
  if (window_ == nullptr) return;
  model_.workerSync().setNotifyWnd(nullptr);
  DestroyWindow(window_);
  window_ = nullptr;
}

int CFloorHeatingDlgComplex::driver(void* context, const HvDialogStep* step) {
  auto* dialog = static_cast<CFloorHeatingDlgComplex*>(context);
  if (dialog == nullptr || step == nullptr) return hostStatus::error;
  // No exception may cross into the host: a step that throws fails.
  try {
    dialog->redesigns_.newStep();
    // What the jobs posted meanwhile comes first.
    hvPumpMessages(dialog->window_, 0);
    return dialog->takeStep(*step);
  } catch (const std::exception& e) {
    hvLogFailure(hvUtf8ToWide(std::string("dialog step failed: ") + e.what()));
  } catch (...) {
    hvLogFailure(u"dialog step failed: an unknown exception");
  }
  return hostStatus::error;
}

LRESULT CFloorHeatingDlgComplex::onMessage(UINT message) {
  if (message == CFHWorkerSync::kDesignsChanged) {
    recalculateCircuits(model_);
    if (redesigns_.designsChanged()) warnZonesOverLimits(model_);
  } else if (message == CFHWorkerSync::kDesignRunEnded) {
    if (redesigns_.runEnded()) warnZonesOverLimits(model_);
  }
  return 0;
}

int CFloorHeatingDlgComplex::takeStep(const HvDialogStep& step) {
  switch (step.kind) {
    case hvDialogWait:
      return waitForDesigns(step.seconds > 0.0 ? step.seconds : kDefaultWaitSeconds) ? hostStatus::normal
                                                                                     : hostStatus::error;
    case hvDialogCalc:
      // The page warns itself: no run end kept before is due after it.
      redesigns_.reset();
      runCalculationPage(model_);
      redesigns_.afterCalculation();
      return hostStatus::normal;
    case hvDialogSet: return setStep(step);
    case hvDialogEnd: return endStep(step);
    case hvDialogPick: return pickStep(model_, step);
    case hvDialogNumber: return numberStep(model_, step);
    case hvDialogColors: return colorsStep(model_, step);
    case hvDialogShow: return showStep(model_, step);
    default: return hostStatus::error;
  }
}

bool CFloorHeatingDlgComplex::designsSettled() const {
  for (const auto& circuit : model_.circuits())
    if (circuit->isWorkerRunning()) return false;
  // A waiter posts before it stops counting as active: once none is, all
  // they posted waits in the queue.
  return model_.workerSync().activeWaiterCount() == 0 && hvPendingMessageCount(window_) == 0;
}

bool CFloorHeatingDlgComplex::waitForDesigns(double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!designsSettled()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    hvPumpMessages(window_, kWaitRoundMilliseconds);
  }
  return true;
}

int CFloorHeatingDlgComplex::setStep(const HvDialogStep& step) {
  if (step.setter == nullptr || step.value == nullptr) return hostStatus::error;
  const DialogSettingAnswer answer =
      applyDialogSetting(model_, step.setter, step.value, static_cast<HvDialogTarget>(step.target),
                         step.targetIndex, bodyOutputs_);
  if (answer == DialogSettingAnswer::kRefused) return hostStatus::error;
  if (answer == DialogSettingAnswer::kDesignInput) startDesignJobs(model_.workerSync(), model_.circuits());
  return hostStatus::normal;
}

int CFloorHeatingDlgComplex::endStep(const HvDialogStep& step) {
  if (step.endCode == kJoinAtPoint && step.first == 0 && step.second == 0) {
    // The zones the pages selected.
    if (!joinSelectedZones(model_)) return hostStatus::error;
  } else if (step.endCode == kJoinAtPoint) {
    CFHZoneEntry* inCircuit = model_.zoneByNumber(static_cast<std::uint32_t>(step.first));
    CFHZoneEntry* joining = model_.zoneByNumber(static_cast<std::uint32_t>(step.second));
    if (!canJoin(inCircuit, joining)) return hostStatus::error;
    model_.joinPair[0] = inCircuit;
    model_.joinPair[1] = joining;
  } else if (step.endCode == kPlaceHeatingBody) {
    CFHZoneEntry* zone = model_.zoneByNumber(static_cast<std::uint32_t>(step.first));
    if (zone == nullptr) return hostStatus::error;
    if (zone->heatingBody == nullptr) {
      zone->heatingBody = std::make_unique<CFHHeatingBody>();
      const auto output = bodyOutputs_.find(zone->number);
      if (output != bodyOutputs_.end()) zone->heatingBody->output = output->second;
    }
    model_.pendingHeatingBody = zone;
  } else if (step.endCode != IDOK && step.endCode != IDCANCEL && step.endCode != kChooseFloorStructure) {
    return hostStatus::error;
  }
  return hostStatus::normal;
}
