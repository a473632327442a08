#include "heating/layout/offsets/LayoutTolerances.h"

#include "heating/curves/DrawingUnitFactor.h"

// Those of a millimetre drawing (the drawing unit factor's own default) until
// a command sets them.
XtGeTol heatingTolCoarse(0.015 * 1000.0, 0.001 * 1000.0);
XtGeTol layoutTolFine(1e-12 * 1000.0, 1e-14 * 1000.0);

void setLayoutTolerances() {
  const double u = usableDrawingUnitFactor();
  heatingTolCoarse = XtGeTol(0.015 * u, 0.001 * u);
  layoutTolFine = XtGeTol(1e-12 * u, 1e-14 * u);
}
