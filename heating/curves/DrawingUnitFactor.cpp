#include "heating/curves/DrawingUnitFactor.h"

#include <cmath>

// Millimetre drawings until a command sets it.
double drawingUnitFactor = 1000.0;

double usableDrawingUnitFactor() {
  const double u = drawingUnitFactor;
  return std::isfinite(u) && u > 0.0 ? u : 1.0;
}
