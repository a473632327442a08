// Whether the pipe the design jobs laid may be drawn as it is: each
// circuit's path (supply and return, with its links between zones, as the
// circuit path left it in the first zone's layout that the output draws) is
// checked inside each of its zones, after the jobs have ended and before
// anything is drawn.
// A zone's pipe is unsound when
//   - a piece of the path laid in it comes closer than the pipe's outer
//     diameter d to a point of the path that is not its neighbour along the
//     path (it crosses or overlaps itself, PathSpacingCheck.h); d is the
//     zone's pipe diameter ("_PT_ZONA_POTR_PRUMER", 17 mm when it is not a
//     positive number) × the drawing unit factor;
//   - a run laid in it lies outside the zone's as-drawn outline by more than
//     the work tolerance (PathContainmentCheck.h; the leads along the
//     distribution pipe and the links through the wall to the next zone are
//     not runs);
//   - its layout reported that it crosses itself (LayoutOutcome::kPathsCross,
//     the spiral's second attempt kept).
// The commands name such zones by warning 9005 and show the dialog again,
// as they do for zones without a laid pipe (9002).
//
// Threads: the command's thread, while no design job runs (each zone's
// layouts are read under its IdleAccess, one zone at a time).
#pragma once

#include <cstdint>
#include <vector>

class CFHCircuit;
class CFHModel;
class CFHZoneEntry;

// Marks in `faults` (by the zone's position in the circuit, grown to cover
// the circuit's zones) every zone of the circuit whose laid pipe is unsound.
void markUnsoundZones(const CFHCircuit& circuit, std::vector<std::uint8_t>& faults);

// Whether the zone has a laid pipe that the commands would draw: its full
// layout (the main one for display type 0, else the second) laid a path
// (over all of the zone, over part of it, or, kept after the spiral's
// second attempt, crossing itself) that is more than a stub at its entry
// (laysOnlyStub, LaidPipeLength.h). A zone of a circuit without one is
// named by warning 9002.
bool zoneHasLaidPipe(const CFHZoneEntry& zone);

// The zones of every circuit whose laid pipe is unsound, in the model's
// zone order. A zone without a laid pipe (zoneHasLaidPipe), which 9002
// names, is not among them, whatever its stub would look like.
std::vector<const CFHZoneEntry*> zonesWithUnsoundPipe(const CFHModel& model);
