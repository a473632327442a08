// Which way a closed curve turns.
#pragma once

#include "platform/ge/XtGeCompositeCurve2d.h"

// True when the orientation of the closed curve (workTol) could be decided,
// with the answer in `clockwise`. The curve is looked at exactly at its
// lower bound, its middle parameter and its upper bound: a ray from each of
// the three points into the side that lies to the left of the direction of
// travel (the left normal, or at a corner the middle of the left-hand
// angle) crosses the curve an odd number of times when the interior is on
// the left; a stretch of the curve along the ray is a crossing only where
// the curve passes from one side of the ray to the other across it. The
// majority decides. False (clockwise untouched) for an open
// curve, an empty or reversed interval, or a point without a derivative.
bool curveIsClockwise(const XtGeCurve2d& curve, bool& clockwise);

// A second test by the turns at the extreme vertices (smallest and largest
// X and Y) of a closed composite (workTol); arcs contribute 10 sample
// points. True when the votes decide, with the answer in `clockwise`.
bool compositeIsClockwiseByExtremes(const XtGeCompositeCurve2d& composite, bool& clockwise);
