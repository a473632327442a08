// The module's global tolerance objects.
//
// workTol and workTolFine follow the host's unit factor n: each command sets
// them (see host/Tolerances.h) before it starts any geometry or worker thread
// and puts the saved values back at its end; worker threads only read them.
// fixedTolCoarse and fixedTolFine are the shared library's own pair, set once
// at load.
#pragma once

#include "platform/ge/XtGeTol.h"

extern XtGeTol workTol;         // equal point n × 1e-6, equal vector n × 1e-8
extern XtGeTol workTolFine;     // 1000 times finer than workTol
extern XtGeTol fixedTolCoarse;  // 1e-5 / 1e-7
extern XtGeTol fixedTolFine;    // 1e-8 / 1e-10

// Sets fixedTolCoarse and fixedTolFine (done once when the module loads).
void hvSetDefaultTolerances();
