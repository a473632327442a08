#include "geometry/Tolerances.h"

XtGeTol workTol;
XtGeTol workTolFine;
// Constant-initialised, so that the values hold before any static object of
// the module runs; hvSetDefaultTolerances sets the same values again.
XtGeTol fixedTolCoarse(1e-5, 1e-7);
XtGeTol fixedTolFine(1e-8, 1e-10);

void hvSetDefaultTolerances() {
  fixedTolCoarse = XtGeTol(1e-5, 1e-7);
  fixedTolFine = XtGeTol(1e-8, 1e-10);
}
