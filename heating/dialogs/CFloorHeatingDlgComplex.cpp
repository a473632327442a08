#include "heating/dialogs/CFloorHeatingDlgComplex.h"

#include "heating/dialogs/CalculationPage.h"
#include "heating/dialogs/DialogPageSteps.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/jobs/CFHJobs.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "host/HostExport.h"
#include "host/ModuleLog.h"

#include "platform/cadhost/HostStatus.h"
#include "platform/win/Utf8.h"
#include "platform/win/WindowMessages.h"

#include <chrono>
#include <cstdio>
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
    const std::u16string why = hvUtf8ToWide(std::string("the step failed: ") + e.what());
    hvLogFailure(u"dialog " + why);
    writeDialogReply(*step, why);
  } catch (...) {
    hvLogFailure(u"dialog step failed: an unknown exception");
    writeDialogReply(*step, u"the step failed: an unknown exception");
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
    case hvDialogWait: {
      const double seconds = step.seconds > 0.0 ? step.seconds : kDefaultWaitSeconds;
      if (waitForDesigns(seconds)) return hostStatus::normal;
      char text[96];
      std::snprintf(text, sizeof text, "the design jobs still ran after %g s", seconds);
      writeDialogReply(step, hvUtf8ToWide(text));
      return hostStatus::error;
    }
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
    default:
      writeDialogReply(step, u"the dialog has no step of kind " + hvUtf8ToWide(std::to_string(step.kind)));
      return hostStatus::error;
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
  if (step.setter == nullptr || step.value == nullptr) {
    writeDialogReply(step, u"the step names no setting or no value");
    return hostStatus::error;
  }
  std::u16string refusal;
  const DialogSettingAnswer answer =
      applyDialogSetting(model_, step.setter, step.value, static_cast<HvDialogTarget>(step.target),
                         step.targetIndex, bodyOutputs_, &refusal);
  if (answer == DialogSettingAnswer::kRefused) {
    writeDialogReply(step, refusal);
    return hostStatus::error;
  }
  if (answer == DialogSettingAnswer::kDesignInput) startDesignJobs(model_.workerSync(), model_.circuits());
  return hostStatus::normal;
}

int CFloorHeatingDlgComplex::endStep(const HvDialogStep& step) {
  const auto refuse = [&step](std::u16string_view why) {
    writeDialogReply(step, why);
    return hostStatus::error;
  };
  if (step.endCode == kJoinAtPoint && step.first == 0 && step.second == 0) {
    // The zones the pages selected.
    if (!joinSelectedZones(model_))
      return refuse(u"the selected zones are not one zone that ends its circuit and one without a circuit");
  } else if (step.endCode == kJoinAtPoint) {
    CFHZoneEntry* inCircuit = model_.zoneByNumber(static_cast<std::uint32_t>(step.first));
    CFHZoneEntry* joining = model_.zoneByNumber(static_cast<std::uint32_t>(step.second));
    if (!canJoin(inCircuit, joining))
      return refuse(u"zone " + hvUtf8ToWide(std::to_string(step.first)) +
                    u" is not the last zone of a circuit, or zone " + hvUtf8ToWide(std::to_string(step.second)) +
                    u" is not a zone without a circuit");
    model_.joinPair[0] = inCircuit;
    model_.joinPair[1] = joining;
  } else if (step.endCode == kPlaceHeatingBody) {
    CFHZoneEntry* zone = model_.zoneByNumber(static_cast<std::uint32_t>(step.first));
    if (zone == nullptr) return refuse(u"there is no zone " + hvUtf8ToWide(std::to_string(step.first)));
    if (zone->heatingBody == nullptr) {
      zone->heatingBody = std::make_unique<CFHHeatingBody>();
      const auto output = bodyOutputs_.find(zone->number);
      if (output != bodyOutputs_.end()) zone->heatingBody->output = output->second;
    }
    model_.pendingHeatingBody = zone;
  } else if (step.endCode != IDOK && step.endCode != IDCANCEL && step.endCode != kChooseFloorStructure) {
    return refuse(u"the dialog does not end with code " + hvUtf8ToWide(std::to_string(step.endCode)));
  }
  return hostStatus::normal;
}
