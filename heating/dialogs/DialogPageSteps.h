// The steps of the scripted main dialog that stand for its pages' picks and
// lists (ScriptedDialog.h): what a page does with the design model, and the
// reply it gives, which says what the page would show.
//
//   pick MODE [option N] KEYS  the preview's picks (CFHModel::
//               updateSelectionFromPicks); reply "keys: K...; zones: N...;
//               circuit: N" (or "none"), the keys in the step's words
//               ("zone 2", "circuit 1", "edge 2 3", "edge 2 ?" for a side
//               that is no longer there), so that they can be picked again;
//   number zone N | circuit N  the current zone's or circuit's number; reply
//               the answer 0 to 3;
//   colors N=C...  circuit colours, the others kept; reply the map after,
//               "1=2 2=3";
//   show [ID...]  the fields (all 59 without ids), "ID: value", "ID:
//               differs" or "ID: none", then "border: STATE widths W..." (the
//               selected sides' widths in metres), "display: T", "shape: S",
//               "layout value: V", "P: V UNIT" (of the first selected zone,
//               else the first zone; "P: none" without zones); "; " between.
// A key naming a zone, circuit or edge position the model lacks refuses the
// step before anything changes, as does a number answered 2 or 3 and a
// colour for a circuit the model lacks; a refused step's reply says why
// ("there is no zone 9", "2: another zone has number 2").
//
// None of these touches what a design job reads: they run while the jobs
// run. Threads: the command's thread.
#pragma once

#include "platform/cadhost/ScriptedDialog.h"

#include <string_view>

class CFHModel;
class CFHZoneEntry;

// Each answers the host status (5100, or a failure) and writes its reply.
int pickStep(CFHModel& model, const HvDialogStep& step);
int numberStep(CFHModel& model, const HvDialogStep& step);
int colorsStep(CFHModel& model, const HvDialogStep& step);
int showStep(const CFHModel& model, const HvDialogStep& step);

// Whether the two zones can be joined (code 600): the first is the last zone
// of its circuit, the second has no circuit.
bool canJoin(const CFHZoneEntry* inCircuit, const CFHZoneEntry* joining);
// Code 600 without zones: the join pair of the selection
// (CFHModel::resolveJoinSelection) when it can be joined; else the pair is
// cleared and the answer is false.
bool joinSelectedZones(CFHModel& model);

// Writes the reply into the step's buffer, terminated; a text longer than
// the buffer is cut and ends with "[cut]". Nothing without a buffer.
void writeDialogReply(const HvDialogStep& step, std::u16string_view text);
