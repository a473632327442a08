// The heating design command `dozidEzezOvedo`: the user picks the manifold
// with its distribution pipes, then the closed outlines of the heating zones;
// the command builds the design model, routes every pipe to its zone (one
// heating circuit per pipe), designs every circuit on a worker thread while
// the main dialog is shown, and draws the design when the user confirms it.
//
// Steps and refusals (an error box with the host's caption, then host word
// 19 with 0xFFFFFFFF during the first selection, 0x80000020 after it):
//   first selection (prompt 271): 274 an entity of another kind, 275 an
//     entity that cannot be read, 273 a second manifold, 297 a manifold block
//     the design does not know, 278 no manifold (also when a refusal came
//     before it); a cancelled prompt ends silently, a failed one or a failed
//     selection with 0xFFFFFFFF and no message;
//   second selection (prompt 272): 298 an ellipse or a heavy polyline, 274
//     another kind, 275 an entity that cannot be read; cancelled or failed,
//     the held entities go back to the host and the command ends silently;
//   then 297, 290 no pipes, 291 no zones; the zone outlines are chained
//     (pieces shorter than five point tolerances dropped): 317 curves drawn
//     over each other, 277 outlines that touch, 276 outlines left open; the
//     routing: 281, 282, 319.
// Duplicate zones get one warning (294) per group and the command goes on.
//
// The dialog loop: 599 the floor-structure choice; 600 a joining point
// (string 296; a cancelled point joins nothing); 601 the insertion point of
// the pending heating body (string 313; without a point the body is
// dropped); IDOK waits for every job, recalculates every circuit, shows the
// dialog again with warning 9002 when a zone of a circuit has no laid pipe,
// else draws the design: on success the picked zone curves are handed to
// the host (word 142) and the held entities but the manifold go back to it;
// a failed output shows 9003 and ends with 0x80000020, the drawing
// unchanged. Any other code ends with 0x80000020.
//
// On every way out the design jobs are stopped before the drawing I/O object
// is cleared, the model is destroyed and the process-wide tolerances are put
// back. The floor-structure library is closed after the dialog loop only.
//
// Threads: the host's thread; only the design jobs run elsewhere.
#pragma once

#include "heating/design/commands/CFHMainDialog.h"

// The command's body; `makeDialog` makes its main dialog.
void runDozidEzezOvedo(CFHMainDialogFactory makeDialog);
