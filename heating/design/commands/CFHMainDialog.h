// The main dialog of the heating design as the command sees it: shown
// modally again and again on the command's thread, each show ending with a
// code that tells the command what to do next. The dialogs live above the
// design (heating/dialogs); the command gets one through a factory that the
// module hands it, so that the design never reaches up to them.
//
// While a show lasts the dialog may change the model through its operations
// (following rules T1-T3 of CFHModel.h) and restart the design jobs; it sets
// the model's notify window for its show and clears it at the end, so that
// no job posts to a window that is gone.
#pragma once

#include "platform/win/WinTypes.h"

#include <memory>

class CFHModel;

class CFHMainDialog {
 public:
  // The end codes besides IDOK (draw the design); any other code leaves the
  // command without drawing.
  static constexpr int kChooseFloorStructure = 599;
  static constexpr int kJoinAtPoint = 600;
  static constexpr int kPlaceHeatingBody = 601;

  virtual ~CFHMainDialog() = default;
  // Shows the dialog once and answers its end code.
  virtual int showModal() = 0;
};

// Makes the main dialog over the model, with the parent window (may be null).
using CFHMainDialogFactory = std::unique_ptr<CFHMainDialog> (*)(CFHModel& model, HWND parent);
