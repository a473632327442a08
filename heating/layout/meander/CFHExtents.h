// Two-dimensional extents of a set of points: the lower-left and the
// upper-right corner of their axis-parallel bounding box. The meander frames
// its runs with it.
//
// Empty extents have the minimum corner at (+largest, +largest) and the
// maximum corner at (-largest, -largest), so that the first point added sets
// both, whatever its sign. A point with a NaN coordinate changes nothing in
// that coordinate.
#pragma once

#include "platform/ge/XtGePoint2d.h"

struct CFHExtents {
  CFHExtents();

  // Lowers each coordinate of the minimum corner that is greater than the
  // point's, raises each of the maximum corner that is smaller.
  void addPoint(const XtGePoint2d& point);
  // Copies both corners out.
  void getMinMax(XtGePoint2d& minCorner, XtGePoint2d& maxCorner) const;
  // No point has been added (every coordinate kept its start value).
  bool isEmpty() const { return minCorner.x > maxCorner.x || minCorner.y > maxCorner.y; }

  XtGePoint2d minCorner;
  XtGePoint2d maxCorner;
};
