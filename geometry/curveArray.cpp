#include "geometry/curveArray.h"

bool curveArray::transformBy(curvePtrArray& curves, const XtGeMatrix2d& matrix) {
  bool all = true;
  for (XtGeCurve2d* curve : curves)
    if (curve != nullptr && !curve->transformBy(matrix)) all = false;
  return all;
}
