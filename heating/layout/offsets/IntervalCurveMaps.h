// Maps of interval curves: the interval curves of a loop or a list of curves
// as the facing-span search and the circuit path use them, and the
// operations over a whole map.
//
// A map only points to its interval curves, in the order of the elements
// they were built from (buildIntervalCurves); the curves belong to the
// CFHIntervalCurveList that made them, which must outlive the map. A copy of
// a map is a second view of the same interval curves.
//
// Threads: one thread at a time (the zone's design thread).
#pragma once

#include "heating/curves/CFHIntervalCurve.h"

#include <vector>

using CFHIntervalCurveMap = std::vector<CFHIntervalCurve*>;

// A map over every interval curve of the list, in its order.
CFHIntervalCurveMap intervalCurveMapOf(const CFHIntervalCurveList& intervalCurves);

// Stores the value into every interval curve of the map (null entries are
// passed over, here and below).
void setIntervalCurvesValue(const CFHIntervalCurveMap& map, double value);

// Recomputes the kept spans of every interval curve of the map
// (CFHIntervalCurve::recompute).
void resetIntervalCurves(const CFHIntervalCurveMap& map);

// Excludes a window of `width` at both ends of every interval curve's curve:
// forward from its start point and backward from its end point
// (CFHIntervalCurve::markAt, which shortens a window at the curve's ends).
void markEndPointsOnIntervalCurves(const CFHIntervalCurveMap& map, double width);

// Excludes a window from halfWidth before to halfWidth after every point
// where an interval curve's curve crosses a curve of the list (each pair's
// intersections, workTolFine). Null curves are passed over.
void markCrossingsOnIntervalCurves(const CFHIntervalCurveMap& map, const std::vector<CFloorHeatingCurve*>& curves,
                                   double halfWidth);

// Of the nearest kept points of the map's interval curves
// (CFHIntervalCurve::nearestPoint), the one nearest to `point` (the first of
// equal distances), with its interval curve. False, outputs untouched, when
// no interval curve answers.
bool nearestOnIntervalCurves(const CFHIntervalCurveMap& map, const XtGePoint2d& point, XtGePoint2d& nearest,
                             CFHIntervalCurve*& intervalCurve);
