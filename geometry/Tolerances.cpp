#include "geometry/Tolerances.h"

#include <cmath>

XtGeTol workTol;
XtGeTol workTolFine;
// Constant-initialised, so that the values hold before any static object of
// the module runs; hvSetDefaultTolerances sets the same values again.
XtGeTol fixedTolCoarse(1e-5, 1e-7);
XtGeTol fixedTolFine(1e-8, 1e-10);
XtGeTol zoneBoundsTol(kDefaultZoneBoundsSetting, kDefaultZoneBoundsSetting * 0.01);
XtGeTol manifoldConnectionTol(kDefaultManifoldConnectionSetting, kDefaultManifoldConnectionSetting * 0.01);

namespace {

// The tolerance of one millimetre setting in a drawing of u units per metre.
XtGeTol settingTolerance(double unitFactor, double setting) {
  const double point = unitFactor * 0.001 * setting;
  return XtGeTol(point, point * 0.01);
}

}  // namespace

bool setZoneTolerances(double unitFactor, double zoneBounds, double manifoldConnection) {
  const auto usable = [](double v) { return std::isfinite(v) && v >= 0.0; };
  if (!std::isfinite(unitFactor) || unitFactor <= 0.0 || !usable(zoneBounds) || !usable(manifoldConnection))
    return false;
  zoneBoundsTol = settingTolerance(unitFactor, zoneBounds);
  manifoldConnectionTol = settingTolerance(unitFactor, manifoldConnection);
  return true;
}

void hvSetDefaultTolerances() {
  fixedTolCoarse = XtGeTol(1e-5, 1e-7);
  fixedTolFine = XtGeTol(1e-8, 1e-10);
}
