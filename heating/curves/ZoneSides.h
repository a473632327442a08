// The four sides of a zone's extents and the orderings of points along them.
//
// A side index names one side of the axis-aligned extents of a zone: 0 left,
// 1 top, 2 right, 3 bottom. The zone side pass searches the extreme point of
// each side, sorts the points found on it and walks along it; these helpers
// give it the start value of the search, the side's direction and the
// orderings. Every helper answers a neutral value for an index outside 0..3
// (see each), never fails.
//
// Tolerance comparisons: comparePointsAlongSide and CFHSortAxis::compare treat
// coordinates within a tolerance as equal. That is not a strict weak
// ordering (a ~ b and b ~ c do not give a ~ c), so never hand them to
// std::sort, std::map or std::set: sort by the exact key (sortKeyAlongSide,
// the projection onto the axis), then treat neighbours within the tolerance
// as equal.
//
// Threads: no state; comparePointsAlongSide reads workTol, which the command
// sets before its threads start.
#pragma once

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeTol.h"
#include "platform/ge/XtGeVector2d.h"

enum ZoneSide : int { kZoneSideLeft = 0, kZoneSideTop = 1, kZoneSideRight = 2, kZoneSideBottom = 3 };

// Orders points by their projection onto a direction from an origin.
class CFHSortAxis {
 public:
  CFHSortAxis(const XtGePoint2d& origin, const XtGeVector2d& direction, const XtGeTol& tolerance)
      : origin(origin), direction(direction), tolerance(tolerance) {}

  // With d1, d2 the dot products of the direction with p1 - origin and
  // p2 - origin: 0 when |d1 - d2| is below the tolerance's point value, -1
  // when d2 > d1, else 1.
  int compare(const XtGePoint2d& p1, const XtGePoint2d& p2) const;
  // The same for callers that hold pointers; 0 when any of them is null.
  static int compare(const CFHSortAxis* axis, const XtGePoint2d* p1, const XtGePoint2d* p2);
  // The exact key compare() rounds: the dot product of the direction with
  // p - origin. Sort by it.
  double key(const XtGePoint2d& p) const { return direction.dotProduct(p - origin); }

  XtGePoint2d origin;
  XtGeVector2d direction;
  XtGeTol tolerance;
};

// The start value of the search for a side's extreme point, a corner no
// point lies beyond: 0 (+max, -max), 1 (-max, -max), 2 (-max, +max),
// 3 (+max, +max) with max = DBL_MAX; (0, 0) for any other index.
XtGePoint2d farCornerForSide(int side);

// The direction of a side: 0 (-1, 0), 1 (0, 1), 2 (1, 0), 3 (0, -1); the zero
// vector for any other index.
XtGeVector2d axisVectorForSide(int side);

// 0 and 2, 1 and 3 face each other; -1 for any other index.
int oppositeSide(int side);

// Whether p1 comes before p2 along the side. The primary coordinate decides
// when the two differ by at least workTol's point value, else the secondary
// one (exactly):
//   side 0: x descending, then y ascending
//   side 1: y ascending, then x ascending
//   side 2: x ascending, then y descending
//   side 3: y descending, then x descending
// False for any other index. Not a strict weak ordering (see above).
bool comparePointsAlongSide(int side, const XtGePoint2d& p1, const XtGePoint2d& p2);

// True when p2 lies strictly farther from r than p1: orders points by
// ascending distance from r (a strict weak ordering, safe for std::sort).
bool closerToReference(const XtGePoint2d& r, const XtGePoint2d& p1, const XtGePoint2d& p2);
