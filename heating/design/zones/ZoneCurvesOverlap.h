// The overlap test the design command applies while it chains zone curves
// into zone boundaries: whether `curve` lies over one of `curves` in a way
// that makes the two one drawn outline twice.
//
// For each c of `curves` in order, c's collinear overlap pieces with `curve`
// (workTol) are asked; at the first c that has any, the answer is true when
// `curve` or c has fewer than 3 simple pieces (a line, an arc or a short
// polyline lying on the other), false otherwise: two outlines of 3 or more
// pieces that share a stretch are neighbouring zones, which the chaining
// reports as touching. No c overlaps: false. Null entries are passed over.
// Pure function of its arguments; any thread.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

bool zoneCurvesOverlap(const CFloorHeatingCurve::PtrVector& curves, const CFloorHeatingCurve& curve);
