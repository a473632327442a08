// Tight axis-aligned extents of curves: the real extreme points of a curve
// (not the box of its control points), merged into an extents record. The
// painter's curve cache measures its curves with it, one curve at a time.
//
// Tolerances: a curved piece is refined by the closest points of the curve
// to the four axis lines through the corners of its own orthogonal box
// (workTol); meanwhile the calling thread's XtGeContext::gTol is replaced by
// (diagonal of the box x 1e-10, 0) and put back on every way out. gTol is
// per thread: different curves may be measured on several threads at once.
// Nothing throws; no heap allocation.
#pragma once

#include "platform/ge/XtGeCurve2d.h"

// The extents record: minimum and maximum corner; the corners mean nothing
// while valid is false.
struct curveExtentsRec {
  XtGePoint2d min;
  XtGePoint2d max;
  bool valid = false;
};

// Merges the curve's extents into the record. A line segment gives its
// ends, a composite the extents of its pieces, any other bounded curve its
// four extreme points. With extend set and the record valid, the record
// widens to cover the curve; otherwise (extend clear, or the record not yet
// valid) it becomes the curve's extents and valid. An unbounded curve (line,
// ray, or a composite holding one) clears valid and leaves the corners; a
// composite without pieces leaves the record as it is.
void addCurveExtents(const XtGeCurve2d& curve, curveExtentsRec& extents, bool extend);

// Merges a single position (both corners) into the record, as above.
void addCurveExtents(const XtGePoint2d& position, curveExtentsRec& extents, bool extend);
