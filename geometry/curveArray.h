// Operations on whole arrays of curves (curveList.h) that the drawing code
// applies to every curve alike. Host or worker threads, on arrays no other
// thread changes.
#pragma once

#include "geometry/curveList.h"
#include "platform/ge/XtGeMatrix2d.h"

struct curveArray {
  // Transforms every curve of the array (null entries are passed over).
  // True when every curve followed; a curve that cannot (a circular arc
  // under a non-uniform scale) stays as it was and the others still move.
  static bool transformBy(curvePtrArray& curves, const XtGeMatrix2d& matrix);
};
