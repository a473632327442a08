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
  hvDialogPick = 5,    // pick keys in the preview (zones, circuits, edges)
  hvDialogNumber = 6,  // give the current zone or circuit a number
  hvDialogColors = 7,  // give circuits colours
  hvDialogShow = 8,    // report what the pages show for the selection
};

// What a pick names: a zone, a circuit, the P-th edge of a zone's outline,
// or everything.
enum HvDialogItemKind : std::int32_t {
  hvDialogItemZone = 0,     // first: the zone number
  hvDialogItemCircuit = 1,  // first: the circuit number
  hvDialogItemEdge = 2,     // first: the zone number, second: the edge's position from 1
  hvDialogItemAll = 3,      // every zone and every circuit
  hvDialogItemField = 4,    // show: first is a field id
};

// One key of a pick, one circuit = colour pair (hvDialogItemCircuit, second
// the colour index) or one field of a show.
struct HvDialogStepItem {
  std::int32_t kind;  // HvDialogItemKind
  std::int32_t first;
  std::int32_t second;
};

// The size of the reply buffer the host hands to every step, in UTF-16 units
// with the terminator.
inline constexpr std::int32_t hvDialogReplyCapacity = 65536;

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
  std::int32_t target;       // set, number: HvDialogTarget
  std::int32_t targetIndex;  // set, number: the zone or circuit number
  std::int32_t endCode;      // end: IDOK, IDCANCEL, 599, 600 or 601
  // end 600 join A B: A, the zone in a circuit (0 for end 600 alone: the
  // selection decides); end 601: the zone of the heating body
  std::int32_t first;
  std::int32_t second;       // end 600: the zone without a circuit
  // pick: the mode (0 to 3) and its option (0 when the line gives none)
  std::int32_t mode;
  std::int32_t option;
  // pick: the keys; colors: the pairs; show: the fields (none: every field)
  std::int32_t itemCount;
  const HvDialogStepItem* items;
  // What the dialog answers, a terminated text the driver writes (cut to the
  // capacity, the cut text ending with "[cut]"); the host logs it.
  char16_t* reply;
  std::int32_t replyCapacity;
};

// The module's driver: applies one step and answers 5100, or another status
// when it cannot (the host logs it and counts the command as failed).
using HvDialogDriverProc = int (*)(void* context, const HvDialogStep* step);

// "HvRunScriptedDialog" (dialog name for the log, driver, its context) → the
// end code; -5001 when the input block holds no `dialog end` in order (the
// dialog should then end as cancelled).
using HvRunScriptedDialogProc = int (*)(const char16_t* dialogName, HvDialogDriverProc driver, void* context);
