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

// The summed length of the curves (composites by their pieces): 0 with
// `length` set, or 6 when a curve has no bounded length (a line, a ray, a
// null entry); `length` then holds the sum of the curves before it.
int curveListLength(const curvePtrArray& curves, double& length);

// Appends to `out` (which owns them) a copy of every curve, translated by
// the vector unless it is shorter than workTolFine's equal point. Answers
// the number appended.
int appendTranslatedCopies(const curvePtrArray& curves, curvePtrArray& out, const XtGeVector2d& vector);
