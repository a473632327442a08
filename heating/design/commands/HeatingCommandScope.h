// The process-wide settings a heating command sets at its start and puts back
// at its end, on every way out: workTol and workTolFine from the host's unit
// factor (word 33, 0 when the host gives none), the drawing unit factor (the
// same number), and zoneBoundsTol and manifoldConnectionTol from the
// "TOLERANCE" settings of the data file. At its start it also resets the
// product database records, so that each command asks the host afresh.
//
// Threads: made on the command's thread before any design thread starts;
// design threads only read these settings, and none may run when the scope
// ends.
#pragma once

#include "host/Tolerances.h"

#include "platform/win/CString.h"

class HeatingCommandScope {
 public:
  // `veziruFile` is "Dat\VEZIRU.dat" of the host (empty: the defaults).
  explicit HeatingCommandScope(const CString& veziruFile);
  ~HeatingCommandScope();
  HeatingCommandScope(const HeatingCommandScope&) = delete;
  HeatingCommandScope& operator=(const HeatingCommandScope&) = delete;

  // The host's unit factor, 0 when it gives none.
  int unitFactor() const { return unitFactor_; }

 private:
  int unitFactor_;
  double savedDrawingUnitFactor_;
  XtGeTol savedZoneBounds_;
  XtGeTol savedManifoldConnection_;
  GeometryToleranceScope geometry_;
};
