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
// With joinCorners (the meander, also where it falls back to the spiral,
// and the spiral of a zone of one level, laid as a ring along F), a landing that lies nearer a corner of F than
// jogReach of the landings' distance, on its side away from the other
// landing (the way the pipe runs on along F), lands on the corner: the pipe
// would otherwise jog along F to the corner, turn it square and come back
// nearer than s to the other lead's landing. A corner is a joint where F
// turns inward (F runs counter-clockwise) by kCornerTurn or more; a joint
// that turns outward by as much on the way ends the search.
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
// The least turn of a corner a landing joins, radians (30 degrees: the
// joints between the chords of a round wall turn by far less).
inline constexpr double kCornerTurn = 0.5235987755982988;

// The jogs j along F to a square corner after which the pipe comes back
// nearer than s to the other landing, g away on the other side: those with
// (j + g)^2 + (s - j)^2 < s^2, so j below ((s - g) + sqrt((s - g)^2 - 2 g^2)) / 2,
// answered (the short jogs below the smaller root too: the pipe then lies
// within a few millimetres of the corner anyway); 0 when there are none (g
// of s / (1 + sqrt 2) or more) or s is not above 0.
double jogReach(double gap, double s);

// Whether the lead from e1 to q1 and the lead from e2 to q2 cross (meet at
// a point of both, workTol): a landing moved far along the loop, out of a
// narrow tip of it, may take its lead across the other one.
bool leadsCross(const XtGePoint2d& e1, const XtGePoint2d& q1, const XtGePoint2d& e2, const XtGePoint2d& q2);

// The landings of the start's and the end's point on the loop. False,
// both untouched, when either has no closest point.
bool landLeads(const CLoop& first, const XtGePoint2d& start, const XtGePoint2d& end, bool forward, double s,
               CLoopPoint& q1, CLoopPoint& q2, bool joinCorners = false);
