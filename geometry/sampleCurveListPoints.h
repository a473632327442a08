// Sampling the outline of a filled preview item (GDI::solid) into its one
// ring list of points for the current view of the preview canvas, and
// dropping the cached sampling of a preview curve.
//
// Host thread only, like the canvas and its items. Tolerances: the clip to
// the view frame works in workTol (combineClosedCurves). Nothing throws.
#pragma once

#include "geometry/curveList.h"
#include "ui/gdi/canvas.h"
#include "ui/gdi/curve.h"
#include "ui/gdi/solid.h"

// Does nothing while the item's sampling still suits the view: it is valid,
// its sampling scale lies between the view scale times the lower and the
// upper deviation factor, and its extents hold the visible box. Otherwise
// the item is reset and sampled again (the view's resample count goes up):
// its sampling scale becomes the view scale times the mean factor, its
// extents the view's sampling box and its valid flag the view's
// samplingValid. The curves become the item's rings: copies (a simple curve
// wrapped into a one-piece composite) when the view asks for plain copies
// or has no frame, else the closed curves bounding each curve's common
// region with the frame. Each ring is sampled piece by piece at a chord
// tolerance of the mean factor times the sampling scale, every joint once;
// after every ring but the first the last point before that ring is
// repeated, so all rings form one point list. The item's transform, when it
// has one, is applied last. A sampling scale that is not finite or not
// positive samples nothing (the item stays reset and not valid).
void sampleCurveListPoints(GDI::solid& item, GDI::canvas& view, const curvePtrArray& curves);

// Drops the cached sampling of the preview curve (its paint buffer's
// deviation and cache-valid flag) and, when the item holds a curve,
// measures its extents again (addCurveExtents).
void resetCurveCache(GDI::curve& item);
