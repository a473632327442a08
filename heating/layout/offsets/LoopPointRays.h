// Small questions about a loop point and the curves it is linked to, asked
// by the circuit path where two zones meet.
//
// Threads: read only; one thread at a time per loop.
#pragma once

#include "heating/curves/CLoopPoint.h"

// The smallest distance from the point to the start and end points of the
// curves of its links; +infinity when it has no link with a curve.
double nearestOwnerEndDistance(const CLoopPoint& point);

// For each link of `a` (in order) the normal ray of its curve at a's point
// on side -1 (to the right of the curve's direction: outward on a
// counter-clockwise loop) is intersected with the curve of each link of `b`
// (workTolFine); the first hit is written into `hit`. False, `hit`
// untouched, when no ray meets any curve.
bool firstNormalRayHit(const CLoopPoint& a, const CLoopPoint& b, XtGePoint2d& hit);
