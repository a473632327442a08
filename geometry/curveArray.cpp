#include "geometry/curveArray.h"

#include <memory>

#include "geometry/Tolerances.h"
#include "geometry/curveArea.h"

bool curveArray::transformBy(curvePtrArray& curves, const XtGeMatrix2d& matrix) {
  bool all = true;
  for (XtGeCurve2d* curve : curves)
    if (curve != nullptr && !curve->transformBy(matrix)) all = false;
  return all;
}

int curveListLength(const curvePtrArray& curves, double& length) {
  length = 0.0;
  for (const XtGeCurve2d* curve : curves) {
    double one = 0.0;
    if (curve == nullptr || !boundedCurveLength(*curve, one)) return 6;
    length += one;
  }
  return 0;
}

int appendTranslatedCopies(const curvePtrArray& curves, curvePtrArray& out, const XtGeVector2d& vector) {
  const bool moves = vector.length() >= workTolFine.equalPoint();
  const XtGeMatrix2d shift = XtGeMatrix2d::translation(vector);
  int appended = 0;
  for (const XtGeCurve2d* curve : curves) {
    if (curve == nullptr) continue;
    std::unique_ptr<XtGeCurve2d> copy(curve->copy());
    if (copy && moves) copy->transformBy(shift);
    if (appendOwnedCurve(out, std::move(copy))) ++appended;
  }
  return appended;
}
