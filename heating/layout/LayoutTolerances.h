// The two tolerance objects of the layout steps, beside the command
// tolerances workTol and workTolFine (geometry/Tolerances.h):
//   heatingTolCoarse  equal point 0.015 u, equal vector 0.001 u: how near two
//                     crossings of a meander run must be to count as one, and
//                     the depth margin of the meander's turns;
//   layoutTolFine     equal point 1e-12 u, equal vector 1e-14 u: the finest
//                     colinearity and intersection tests of the run crossings;
// u the drawing unit factor (drawing units per metre; a missing factor
// counts as 1, usableDrawingUnitFactor).
//
// Beside them, the sines below which a step takes two directions as
// parallel, named here once (values only). They differ because each step
// asks a different question of directions that differ by different causes;
// each keeps the value its step was tuned with:
//   kLegParallelSine     1e-6: a meander leg (MeanderPath::isLeg) is an edge
//                        laid along the runs, turned from them by rounding
//                        only; a looser sine would take a short walk piece
//                        beside a wall nearly along the runs for a leg;
//   kRunParallelSine     0.0175 (about 1 degree): the laid meander's pieces
//                        that stand along the runs at the two sides of its
//                        middle gap (the pipe after its edits, whose points
//                        come from offsets and intersections);
//   kNearlyStraightSine  0.02 (about 1.15 degrees): two parting pieces of an
//                        offset level (the chords of a wide arc) whose
//                        prolonging probes pass as parallel when they miss
//                        each other: their ends are joined straight, not
//                        round by the probes' far ends.
// The test-side layout checker takes runs within sin(1 degree) of each
// other as parallel on its own, so as not to share the code it judges.
//
// Threads: setLayoutTolerances runs on the command's thread when the command
// settings are read, before any design thread starts; while designs run the
// two objects are only read.
#pragma once

#include "platform/ge/XtGeTol.h"

inline constexpr double kLegParallelSine = 1e-6;
inline constexpr double kRunParallelSine = 0.0175;
inline constexpr double kNearlyStraightSine = 0.02;

extern XtGeTol heatingTolCoarse;
extern XtGeTol layoutTolFine;

// Sets both objects from usableDrawingUnitFactor().
void setLayoutTolerances();
