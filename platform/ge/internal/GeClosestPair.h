// Nearest pair of points between two curves.
#pragma once

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeTol.h"

class XtGeCurve2d;

namespace GeKernel {

// Exact for every pair of lines, rays, segments and circular arcs and for
// ellipse arcs against linear curves (intersections first, then the ends
// and the interior critical points of the pair); other pairs of simple
// curves are sampled and refined. False when either curve is not simple.
bool closestPointsSimple(const XtGeCurve2d& c1, const XtGeCurve2d& c2, const XtGeTol& tol,
                         XtGePoint2d& p1, XtGePoint2d& p2);

// Any two curves: samples of both, projected onto the other curve with
// closestPointTo, then refined by alternating projections (bounded).
void closestPointsBySampling(const XtGeCurve2d& c1, const XtGeCurve2d& c2, const XtGeTol& tol,
                             XtGePoint2d& p1, XtGePoint2d& p2);

}  // namespace GeKernel
