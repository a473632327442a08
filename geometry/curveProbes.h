// Two probes of curves against straight lines: splitting a curve where a
// vertical line crosses it, and whether a segment crosses any curve of a
// list.
//
// Tolerances: splitCurveAtX finds its point with workTol, checks it against
// the curve with workTolFine and refuses parts not longer than workTol;
// segmentCrossesCurves intersects with the calling thread's XtGeContext::gTol
// and tells the segment's own ends with workTol. Inputs are only read;
// nothing keeps state. Nothing throws.
#pragma once

#include "geometry/curveList.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <memory>
#include <span>

// Splits the curve where the vertical line through (x, 0) meets it: a
// segment or circular arc at its intersection with the line (the first
// along the curve when there are two), another bounded curve at its point
// closest to the line, which must lie on the line (workTol); the point must
// lie on the curve (workTolFine). True, with the two new parts in first and
// second (start to point, point to end). False, both left empty, for a
// curve shorter than 0.01 × workTolFine, an unbounded curve, a curve the
// line misses, or a part not longer than workTol.
bool splitCurveAtX(const XtGeCurve2d& curve, double x, std::unique_ptr<XtGeCurve2d>& first,
                   std::unique_ptr<XtGeCurve2d>& second);

// 1 when the segment crosses a line segment or circular arc of the list,
// else 0. A meeting at one of the segment's own ends is not a crossing; nor
// is an arc touched by the segment along its tangent. Other kinds of curve
// and null entries are skipped.
int segmentCrossesCurves(const XtGeLineSeg2d& segment, std::span<const XtGeCurve2d* const> curves);
int segmentCrossesCurves(const XtGeLineSeg2d& segment, const curvePtrArray& curves);
