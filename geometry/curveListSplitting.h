// Reshaping curve lists that own their curves: wrapping curves into
// composites and cutting curves at quadrant points, at vertical strip
// lines and at their mutual intersections. The library offers these to its
// users; the heating module itself does not call them.
#pragma once

#include "geometry/curveList.h"
#include "platform/ge/XtGePoint2dArray.h"

// Every curve that is not a composite becomes a one-piece composite that
// owns it.
void wrapCurvesInComposites(curvePtrArray& curves);

// Every circular or elliptical arc is cut at its quadrant points (where its
// tangent is parallel to an axis), its own end points excepted (workTol).
void splitArcsAtQuadrants(curvePtrArray& curves);

// Every curve is cut where it crosses a vertical line through the X
// coordinate of an end point of any curve of the list (coordinates within
// workTol count as one), giving vertical strips.
void splitCurvesIntoStrips(curvePtrArray& curves);

// Drops the curves of no length, then cuts every curve where it meets
// another one (XtGeContext::gTol); with atEndPoints also where an end point
// of another curve lies on it (workTol). Points within workTol of a point of
// `exclusions` (may be null) never cut. Unbounded curves are not cut.
void splitCurvesAtMutualIntersections(curvePtrArray& curves, bool atEndPoints,
                                      const XtGePoint2dArray* exclusions);
