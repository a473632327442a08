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
// Threads: setLayoutTolerances runs on the command's thread when the command
// settings are read, before any design thread starts; while designs run the
// two objects are only read.
#pragma once

#include "platform/ge/XtGeTol.h"

extern XtGeTol heatingTolCoarse;
extern XtGeTol layoutTolFine;

// Sets both objects from usableDrawingUnitFactor().
void setLayoutTolerances();
