// The heating edit command `dozidEzezOvedoEdit`: the user picks a design
// drawn earlier (its manifold with the entities drawn around it); the command
// reads the design back from the heating extended data of the picked
// entities, runs the design command's dialog loop and design jobs over it,
// and on confirmation replaces the old design by the new one in one output,
// or leaves the drawing as it was.
//
// Steps:
//   1. the frame of a heating command (HeatingCommandRun.h), the model's
//      edit flag set;
//   2. prompt 324 through the selection word with mode 1, then the selection
//      with the prompt and the filter 0x20003 (its answer is not looked at:
//      an empty selection fetches nothing); a prompt cancelled or failed, or
//      no selection word, ends silently; then the profile's defaults;
//   3. each selected entity classified with block references allowed (none
//      known, a heavy polyline or an ellipse: 325), made a record (none, or
//      not valid: 274), filed by its record identifier (a second manifold,
//      which every block reference is: 325);
//   4. no manifold: 325; no heating record, or no circuit among the zone
//      labels: 326; the records brought into the work frame; the manifold
//      read with its settings (a block the design does not know: 297), its
//      outline built, the model values read; every zone of every group read
//      (one that cannot be read is left out; none read: 326); every group
//      with a circuit number made a circuit of its zones and read (one that
//      cannot be read is left out with its zones, their circuit cleared
//      first, and kept as drawn: its number, its zones' numbers and their
//      drawn values go to the model's CFHKeptAsDrawn; none read: 326); the
//      handles of the old design collected
//      (CFHDrawingInOut::collectEditHandles), then those the manifold keeps
//      listing (collectKeptHandles), circuits and zones sorted by
//      number, the circuits finished (the pitch limit, the pipes-run-into
//      flags), the zone boundaries rebuilt with the pipes, the zones
//      recalculated; circuits left as drawn are named once by warning 9004;
//   5. the dialog loop; on IDOK with every circuit laid out: the collected
//      handles handed to the host (word 142) before drawing, the design
//      drawn (a failure shows 9003 and closes the output with word 19
//      0x80000020, which also drops the handed handles: the drawing stays as
//      it was), on success the records brought back and the held entities
//      given back (words 17, 19 with 1); then the layer state of
//      "HV_QEVHEATING" back to the host (word 217). Other end codes leave
//      the loop without word 19.
// Refusals: an error box with the host's caption, the I/O object cleared,
// no word 19 (nothing was opened); the floor-structure library stays
// started.
//
// What is left as drawn: every picked entity that is not of a zone or
// circuit read (a circuit fed from inside a zone, or drawn in several
// pieces, the user's walls, texts and dimensions), and the manifold, which
// the output writes again under its own handle. The entities of a circuit
// left as drawn stay the manifold's: it lists them after the new ones, and
// its totals count their drawn values.
//
// Threads: the host's thread; only the design jobs run elsewhere.
#pragma once

#include "heating/design/commands/CFHMainDialog.h"

// The command's body; `makeDialog` makes its main dialog.
void runDozidEzezOvedoEdit(CFHMainDialogFactory makeDialog);
