// Searches and comparisons over the meander's point records
// (CFHMeanderPoint.h). Each answers an index into the list it is given, -1
// when nothing qualifies; each visits every record at most once.
//
// Tolerances: findRecordByPoint workTolFine, crossingRecordsEqual
// heatingTolCoarse (LayoutTolerances.h); distances are plain Euclidean.
#pragma once

#include "heating/layout/meander/CFHMeanderPoint.h"

#include <vector>

class CFloorHeatingCurve;

// The first entry whose point equals the record's point (workTolFine).
int findRecordByPoint(const std::vector<CFHMeanderLoopEntry>& entries, const CFHMeanderPoint& record);

// Among the records of the kind, the one nearest to the point; the first of
// equal distances.
int findNearestRecordOfKind(const std::vector<CFHMeanderPoint>& records, const CLoopPoint& point, std::uint32_t kind);

// With dp the point's distance from the curve (CFloorHeatingCurve::distanceTo)
// and each record's distance taken the same way: forward (backward false)
// the first record from the front whose distance is smaller than dp decides,
// backward the first from the back whose distance is greater. A deciding
// kMeanderBoundary record answers -1, a deciding kMeanderFirstLoop record its
// index; records of other kinds are passed over, whatever their distance.
// -1 when none decides.
int findBandPointIndex(const std::vector<CFHMeanderPoint>& records, const XtGePoint2d& point,
                       const CFloorHeatingCurve& curve, bool backward);

// Equal kinds and points equal under heatingTolCoarse.
bool crossingRecordsEqual(const CFHMeanderPoint& a, const CFHMeanderPoint& b);
