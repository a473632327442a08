// How a module's dialog runs without a screen: its stand-in asks the host to
// run the dialog from the script. The host export "HvRunScriptedDialog" of
// the host executable takes the `dialog` lines that follow in the running
// command's input block, hands each step to the module's driver, and answers
// the end code of the `dialog end` line (after handing that step over too, so
// that the driver can set the pending join or heating body first; an end
// step the driver refuses does not end the dialog, whose next line follows).
// The host logs every step, the driver's status and the end code.
#pragma once

#include <cstdint>

inline constexpr const char* hostScriptedDialogExport = "HvRunScriptedDialog";

enum HvDialogStepKind : std::int32_t {
  hvDialogWait = 1,  // wait until the dialog's background work has ended
  hvDialogCalc = 2,  // run the calculation
  hvDialogSet = 3,   // set a value through a named setter
  hvDialogEnd = 4,   // end the dialog with a code
};

enum HvDialogTarget : std::int32_t {
  hvDialogTargetNone = 0,
  hvDialogTargetZone = 1,
  hvDialogTargetCircuit = 2,
};

// One step; texts live until the driver returns.
struct HvDialogStep {
  std::int32_t kind;         // HvDialogStepKind
  std::int32_t line;         // the script line
  double seconds;            // wait: the time-out in seconds; 0 when the line gives none
  const char16_t* setter;    // set: the setter's name; else null
  const char16_t* value;     // set: the value as written; else null
  std::int32_t target;       // set: HvDialogTarget
  std::int32_t targetIndex;  // set: the zone or circuit number
  std::int32_t endCode;      // end: IDOK, IDCANCEL, 599, 600 or 601
  std::int32_t first;        // end 600: the zone in a circuit; end 601: the zone of the heating body
  std::int32_t second;       // end 600: the zone without a circuit
};

// The module's driver: applies one step and answers 5100, or another status
// when it cannot (the host logs it and counts the command as failed).
using HvDialogDriverProc = int (*)(void* context, const HvDialogStep* step);

// "HvRunScriptedDialog" (dialog name for the log, driver, its context) → the
// end code; -5001 when the input block holds no `dialog end` in order (the
// dialog should then end as cancelled).
using HvRunScriptedDialogProc = int (*)(const char16_t* dialogName, HvDialogDriverProc driver, void* context);
