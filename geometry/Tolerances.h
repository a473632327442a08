// The module's global tolerance objects.
//
// workTol and workTolFine follow the host's unit factor n: each command sets
// them (see host/Tolerances.h) before it starts any geometry or worker thread
// and puts the saved values back at its end; worker threads only read them.
// fixedTolCoarse and fixedTolFine are the shared library's own pair, set once
// at load. zoneBoundsTol and manifoldConnectionTol come from the command
// settings (setZoneTolerances); they too are set before design threads start
// and only read while threads run.
#pragma once

#include "platform/ge/XtGeTol.h"

extern XtGeTol workTol;         // equal point n × 1e-6, equal vector n × 1e-8
extern XtGeTol workTolFine;     // 1000 times finer than workTol
extern XtGeTol fixedTolCoarse;  // 1e-5 / 1e-7
extern XtGeTol fixedTolFine;    // 1e-8 / 1e-10

// How near curve ends must be to join into one zone outline (chaining of the
// zone boundary; twice its point value bounds how far a gap is bridged).
extern XtGeTol zoneBoundsTol;
// How near a point must be to a zone outline to count as connected to it
// (pipe ends snapped onto the boundary).
extern XtGeTol manifoldConnectionTol;

// The settings "DozidEzezovedo.ZoneBounds" and "DozidEzezovedo.ManifoldConnection"
// (section "TOLERANCE") are in millimetres; these are their defaults. The
// defaults of the two tolerances are those of a millimetre drawing (unit
// factor 1000): 25 drawing units, equal vector 0.25.
inline constexpr double kDefaultZoneBoundsSetting = 25.0;
inline constexpr double kDefaultManifoldConnectionSetting = 25.0;

// Sets zoneBoundsTol and manifoldConnectionTol from the drawing unit factor u
// (drawing units per metre) and the two settings: equal point u × 0.001 ×
// setting, equal vector 100 times smaller. False, nothing changed, when u is
// not positive or a setting is negative or not a finite number.
bool setZoneTolerances(double unitFactor, double zoneBounds, double manifoldConnection);

// Sets fixedTolCoarse and fixedTolFine (done once when the module loads).
void hvSetDefaultTolerances();
