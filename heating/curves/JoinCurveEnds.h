// Closing the gap between two heating curves that follow each other in a
// chain: the end of `a` and the start of `b` are moved to one common point.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

// The common point: where the line a leaves its end along (endLine) meets
// the line b arrives at its start along (startLine), when the two are not
// colinear (tol) and that point lies within `limit` of both ends; otherwise
// the middle of the gap. A limit of 0 (or less) means 2 × zoneBoundsTol's
// point value. a is then reset to (its start, P) and b to (P, its end) with
// setEndPoints, and P is answered. a and b must be distinct curves (for one
// curve the answer is its start and nothing changes).
XtGePoint2d joinCurveEnds(CFloorHeatingCurve& a, CFloorHeatingCurve& b, const XtGeTol& tol, double limit);
