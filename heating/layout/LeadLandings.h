// Where the leads from a zone's two pipe ends land on its first offset loop
// F: the points at which the pipe joins F, which the meander and the double
// spiral start their layouts from.
//
// Each pipe end's point lands at its closest point of F. Two landings that
// lie nearer each other than kLandingsApart of the lesser of the pipe ends'
// distance and the spacing s bring the two leads together at F: two
// landings at one point, or a pipe end just beyond the border line beside a
// corner of F, which lands on the corner while the other lands a little way
// along F from it, so that the leads meet there at an acute angle. Such
// landings are taken as one place, their middle along F (the short way),
// and walked apart s/2 each way, keeping their order along F (two landings
// at one point: the start's in the direction `forward`), so that the leads
// reach F s apart along it and the piece of F between them, which the pipe
// leaves out, is the only place where they meet it.
//
// Tolerances: closest points and walks with workTol; two landings at one
// point are those within its equal point.
// Threads: reads the loop only.
#pragma once

#include "heating/curves/CLoopPoint.h"

class CLoop;

// Landings nearer than this share of min(pipe ends' distance, s) are
// spread.
inline constexpr double kLandingsApart = 0.9;

// The landings of the start's and the end's point on the loop. False,
// both untouched, when either has no closest point.
bool landLeads(const CLoop& first, const XtGePoint2d& start, const XtGePoint2d& end, bool forward, double s,
               CLoopPoint& q1, CLoopPoint& q2);
