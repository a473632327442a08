// The offset test command: the user selects one closed outline (a closed
// polyline, or lines, arcs and polylines that chain into one), chooses an
// offset type and the distances, and every inward offset loop of the outline
// is drawn as a closed LWPOLYLINE. It builds no design model.
//
// Offset types (the keyword list of word 127, in this order):
//   0 "Normální"       one loop at the first offset;
//   1 "Inkrementální"  loops at the first offset and then every further offset;
//   2 "Zónami"         as 1, but each side moves in by half the further offset
//                      per level while it is within its own half-offset range.
// Refusals (an error box with the host's caption, nothing drawn): 274 an
// entity that is no line, arc or polyline; 277 curves that branch; 276 curves
// that do not close into exactly one outline. A cancelled or failed selection
// or input ends the command without a message; a first offset below workTol's
// point value draws nothing.
//
// Threads: the host's thread; the process-wide settings are set for the run
// and put back at its end (HeatingCommandScope).
#pragma once

// The command's body. Exceptions of the geometry (memory) pass through to the
// exported entry, which logs them.
void runFloorOffsetTest();
