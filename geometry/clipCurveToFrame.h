// Clipping a curve to the region of a closed frame curve (the view frame of
// the preview).
#pragma once

#include "geometry/curveList.h"

// Appends to out (new curves owned by the list) the parts of the curve's
// simple pieces that lie inside the closed frame or along it, in order.
// Pieces are cut where they meet the frame (XtGeContext::gTol); lines and
// rays become the segments of them that the frame holds. Pieces no longer
// than the tolerance are left out.
void clipCurveToFrame(const XtGeCurve2d& curve, const XtGeCurve2d& frame, curvePtrArray& out);
