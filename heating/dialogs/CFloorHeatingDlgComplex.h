// The main dialog of the heating design, as a stand-in without a screen: its
// pages' work on the model is driven by the host's script, one show of the
// dialog per call of the host's "HvRunScriptedDialog" (ScriptedDialog.h).
//
// A show makes the dialog's window, which hears the design jobs
// (CFHWorkerSync::kDesignsChanged: every circuit is calculated again without
// a warning; kDesignRunEnded: warning 9001 for zones over their limits), sets
// it as the model's notify window, and takes up the designs that ended
// before the window existed by calculating their circuits. A calculation
// that changes a zone's border width has the circuit laid out again at once
// (DialogRedesigns.h). Between the steps the window's waiting messages are
// handled. At its end the notify window is cleared and the window destroyed,
// so no job posts to a window that is gone.
//
// The steps:
//   wait [S]   until no design job runs and every message posted to this
//              show's window was handled (S seconds at most, 120 by default;
//              a time-out fails the step);
//   calc       the calculation page's action (CalculationPage.h);
//   set KEY VALUE [zone N | circuit N]
//              one setting (DialogSettings.h); after a design input the
//              design jobs are started again, so the change is designed;
//   end CODE   ends the show with IDOK, IDCANCEL or 599; "600 join A B" sets
//              the join pair (A the last zone of a circuit, B a zone without
//              one), "600" alone takes the pair from the selected zones
//              (joinSelectedZones), and "601 body Z" makes zone Z's heating
//              body pending (a zone without one gets one, with the output
//              BODY_OUTPUT set for it, else 0 W) before the show ends with 600
//              or 601;
//   pick, number, colors, show
//              the pages' picks, numbers, colours and lists, with a reply
//              (DialogPageSteps.h).
// A step that cannot be taken answers a failure, changes nothing and says
// why in its reply; a refused end leaves the dialog open. A host without the scripted dialog
// ends every show as cancelled.
//
// Threads: the command's thread; the window belongs to it.
#pragma once

#include "heating/dialogs/DialogRedesigns.h"
#include "heating/dialogs/DialogSettings.h"

#include "heating/design/commands/CFHMainDialog.h"

#include "platform/cadhost/ScriptedDialog.h"
#include "platform/win/WinTypes.h"

#include <memory>

class CFloorHeatingDlgComplex final : public CFHMainDialog {
 public:
  static constexpr const char16_t* kDialogName = u"CFloorHeatingDlgComplex";
  static constexpr double kDefaultWaitSeconds = 120.0;

  CFloorHeatingDlgComplex(CFHModel& model, HWND parent) : model_(model), parent_(parent) {}
  ~CFloorHeatingDlgComplex() override;
  CFloorHeatingDlgComplex(const CFloorHeatingDlgComplex&) = delete;
  CFloorHeatingDlgComplex& operator=(const CFloorHeatingDlgComplex&) = delete;

  // The factory the design command takes (CFHMainDialogFactory).
  static std::unique_ptr<CFHMainDialog> create(CFHModel& model, HWND parent);

  int showModal() override;

  // One step of a show: 5100, or a failure status.
  int takeStep(const HvDialogStep& step);
  // The window of the show that runs; null between shows.
  HWND window() const { return window_; }

 private:
  static int driver(void* context, const HvDialogStep* step);
  LRESULT onMessage(UINT message);
  // No job runs, no waiter watches one, no message waits for the window.
  bool designsSettled() const;
  bool waitForDesigns(double seconds);
  int setStep(const HvDialogStep& step);
  int endStep(const HvDialogStep& step);
  void closeWindow();

  CFHModel& model_;
  HWND parent_;
  HWND window_ = nullptr;
  PendingBodyOutputs bodyOutputs_;
  DialogRedesigns redesigns_{model_};
};
