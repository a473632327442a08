// The point-set steps of the zone side pass (CFHZoneBoundary::sidePass): the
// convex hull of the distribution pipes' end points, their extreme point
// towards each side of the zone, the direction in which a side is
// approached, and the cutting run that goes round the pipe bundle.
//
// Side indexes as in ZoneSides.h: 0 left, 1 top, 2 right, 3 bottom.
// Tolerances: workTol's point value T for ties and equal points. No state;
// every loop is bounded by the number of points (the hull by the number of
// input points plus one).
#pragma once

#include "heating/curves/CFloorHeatingPolyLine.h"

#include "platform/ge/XtGePoint2dArray.h"
#include "platform/ge/XtGeVector2d.h"

#include <array>
#include <memory>

class CLoop;

// The convex hull by gift wrapping, starting at the first point of largest x
// (a later one must be strictly larger), each next point the one no other
// point lies to the right of (of colinear ones, workTol, the farthest). The
// hull is closed back to the start when no remaining point lies on the
// outer side; the start is not repeated at the end while points remain
// inside. Empty for fewer than three points.
XtGePoint2dArray convexHullPoints(const XtGePoint2dArray& points);

// The extreme point towards the side, ties within T broken along the side:
//   0 smallest x, then largest y;   1 largest y, then largest x;
//   2 largest x, then smallest y;   3 smallest y, then smallest x.
// farCornerForSide(side) when there are no points (and for any other index).
XtGePoint2d furthestPointTowardsSide(const XtGePoint2dArray& points, int side);

// Makes v a direction to approach the side along. With t = drawingUnitFactor
// x 0.001: when both (signed) components are below t, v becomes the side's
// axis vector; otherwise v is normalised, and a v that normalising leaves as
// it is (already of unit length, or too short) is scaled by 1/x, else 1/y,
// whichever is finite, else becomes the axis vector.
void normalizeSideVector(XtGeVector2d& v, int side);

// The order in which the sides are tried, from the distances d[side] of the
// bundle's extreme points to the outline: nearest first, unless the two
// nearest lie within 100 x T of each other; then the side opposite the
// farthest comes first, the nearer two next (the nearest taking the place of
// one of them that is that opposite side) and the farthest last.
std::array<int, 4> sidePassOrder(const std::array<double, 4>& distances);

// The cutting run round the bundle for the first side of `order` that gives
// one: two lines in direction directions[s] through the extreme points of
// the sides next to s meet the loop (nearest to their points, workTol) at A
// and B, and the run goes A, the three other extreme points in turn (side
// s + 1, s + 2, s + 3), B, as segments leaving out equal points (workTol).
// A new polyline (tag 1), or null when no side's lines both meet the loop.
std::unique_ptr<CFloorHeatingPolyLine> sidePassCutter(const CLoop& loop, const std::array<XtGePoint2d, 4>& extremes,
                                                      const std::array<XtGeVector2d, 4>& directions,
                                                      const std::array<int, 4>& order);
