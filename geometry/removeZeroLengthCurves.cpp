#include "geometry/removeZeroLengthCurves.h"

#include "geometry/Tolerances.h"
#include "geometry/hvArrayEdit.h"

int removeZeroLengthCurves(curvePtrArray& curves) {
  int removed = 0;
  for (XtGeCurve2d*& curve : curves) {
    if (curve == nullptr) continue;
    XtGeInterval iv(XtGe::kIntervalTol);
    curve->getInterval(iv);
    if (!iv.isBounded()) continue;
    // Not longer than the tolerance: a curve of no length goes also when the
    // tolerance is zero.
    if (curve->xtLength(iv.lowerBound(), iv.upperBound(), workTol) <= workTol.equalPoint()) {
      delete curve;
      curve = nullptr;
      ++removed;
    }
  }
  hvArrayKeepIf(curves, [](const XtGeCurve2d* c) { return c != nullptr; });
  return removed;
}
