// Sampling a preview curve into the point runs of its paint buffer for the
// current view of the preview canvas.
#pragma once

#include "geometry/dashSegmentByPattern.h"
#include "ui/gdi/buffer_curve.h"
#include "ui/gdi/canvas.h"
#include "ui/gdi/curve.h"

// Does nothing while the buffer's sampling still suits the view: its
// deviation lies between the view's lower and upper deviation factors times
// the view scale and the view's visible box lies inside the box it was
// sampled for. Otherwise the buffer is cleared and sampled again (the
// view's resample count goes up by one) at the deviation view scale x (lower
// + upper) / 2: the curve is clipped to the view frame (or copied whole when
// the view asks for plain copies or has no frame), every piece becomes one
// run (a line segment its two ends, other pieces points within the
// deviation), and the points are transformed by the view matrix. When dash
// elements are given and the pattern is not finer than half the view's
// minimum spacing, every run is dashed into the buffer's dash points, with
// positions along the run divided by dashScale.
void sampleCurvePoints(GDI::buffer_curve& buffer, const XtGeCurve2d* curve,
                       const GDI::linetypePattern& pattern, const lineDashPattern* dashes,
                       double dashScale, GDI::canvas& view);

// The same for a preview curve with its own curve, pattern, scale and
// buffer (nothing happens when the item has no buffer).
void sampleCurvePoints(GDI::curve& item, GDI::canvas& view, const lineDashPattern* dashes = nullptr);
