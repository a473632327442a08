// What the two heating commands, the design (CmdDozidEzezOvedo.h) and the
// edit (CmdDozidEzezOvedoEdit.h), share: the frame of a run, the dialog loop
// and the first steps of a confirmation.
//
// The frame (runHeatingCommand): the process-wide settings of a heating
// command (HeatingCommandScope), the floor-structure library started
// ("HV_FLOOR_LIB_INIT" with the host's main window; it is closed after the
// dialog loop only, so a refusal leaves it started), the drawing I/O object
// cleared, the model built and its settings read; then the command's body.
// On every way out the model goes first (it stops every design job, which
// may read the I/O object's records), then the I/O object is cleared and
// the settings are put back.
//
// The dialog loop (runDialogLoop): the main dialog made over the model with
// the host's main window as parent, the design jobs of every circuit
// started, then the dialog shown until an end code leaves it:
//   599  the floor-structure choice of the library, shown again;
//   600  a joining point (string 296, word 118, converted by word 35 into
//        the world and by the I/O object's work matrix into the work frame)
//        joins the model's join pair there; no point joins nothing; shown
//        again;
//   601  the insertion point of the pending heating body (string 313); no
//        point drops the body; shown again;
//   IDOK every job waited for and every circuit calculated, circuits laid
//        out again while the calculation changes a zone's free border width
//        (calculateForDrawing, OutdatedLayouts.h); while a zone of a circuit
//        has no laid pipe, warning 9002 names the zones, and while a laid
//        pipe crosses or overlaps itself or leaves its zone
//        (LaidPipeSoundness.h), warning 9005 names those (after 9002 when
//        both apply), and the dialog is shown again; else the command's
//        drawing (`draw`) and the loop ends;
//   any other code: the command's `leave`, and the loop ends.
// After the loop the jobs are stopped, "HV_FLOOR_LIB_DONE" is called and the
// I/O object is cleared; the dialog is destroyed.
//
// Threads: the host's thread; only the design jobs run elsewhere.
#pragma once

#include "heating/design/commands/CFHMainDialog.h"

#include "platform/win/CString.h"
#include "platform/win/WinTypes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CFHModel;

// Word 19's code after a refusal, or when a command ends without drawing.
inline constexpr std::uint32_t kEndWithoutDrawing = 0x80000020u;
// More selected entities than this end the reading (the rest is not looked at).
inline constexpr int kMaxSelectedEntities = 1000000;

// Runs the body in the frame of a heating command.
void runHeatingCommand(const std::function<void(CFHModel&)>& body);

// A text of the module's string table (empty for an unknown id).
CString moduleText(UINT id);
// The caption of the command's message boxes (the model's host caption), as
// narrow text for messageBoxRes.
std::string heatingCaption(const CFHModel& model);
// Appends the number to a list of numbers in a message ("1, 3").
void appendListedNumber(CString& list, std::int64_t number);
// Word 19 with the code.
void endHeatingCommand(const CFHModel& model, std::uint32_t code);
// Word 142 with the handles (a null-terminated list, its count, 1): the
// entities the command's drawn design replaces.
void handOverHandles(const CFHModel& model, const std::vector<std::u16string>& handles);

// What a command does when the dialog loop ends.
struct DialogLoopEnds {
  // IDOK with every zone of a circuit laid out: the design drawn.
  std::function<void()> draw;
  // Any other end code (and a loop that never ends, left after its bound).
  std::function<void()> leave;
};
void runDialogLoop(CFHModel& model, CFHMainDialogFactory makeDialog, const DialogLoopEnds& ends);

// The design drawn (CFHModel::drawDesign). On failure error 9003 is shown and
// the output is closed with word 19 (kEndWithoutDrawing), which takes back
// whatever it had made. Answers whether it was drawn.
bool drawDesignOrRollBack(CFHModel& model);
