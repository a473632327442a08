// Areas of point loops and triangles.
#pragma once

#include "platform/ge/XtGePoint2dArray.h"
#include "platform/ge/XtGeTol.h"

// The area enclosed by the loop through the points, joined in order and
// closed from the last point back to the first (a last point equal to the
// first closes the loop by itself), always non-negative. Fewer than 3 points
// give 0. Points that are not finite are reported (source "geBound", line 18,
// "getPointsArea") and give 0.
double getPointsArea(const XtGePoint2dArray& points);

// Half the base |b - a| times the height of c over the line through a and
// b. 0 when two of the points are equal under `equalTol` (the callers pass
// workTol), or when the points are not finite.
double triangleArea(const XtGePoint2d& a, const XtGePoint2d& b, const XtGePoint2d& c,
                    const XtGeTol& equalTol);
