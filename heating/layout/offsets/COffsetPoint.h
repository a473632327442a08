// A point on an offset loop (or on a curve the layout measures against), with
// the loop sections it lies on as its links. The queries of the offset loops
// hand these out by value in vectors; they add no fields to CLoopPoint.
#pragma once

#include "heating/curves/CLoopPoint.h"

#include <vector>

struct COffsetPoint : public CLoopPoint {
  // An empty point without links.
  COffsetPoint() = default;
  // The point with every given link (each through addLink: nulls and
  // repeats are dropped).
  COffsetPoint(const XtGePoint2d& p, const std::vector<CLoopElement*>& links);
  // The point with one link (none when null).
  COffsetPoint(const XtGePoint2d& p, CLoopElement* link) : CLoopPoint(p, link) {}
  // A copy of any loop point: the point and its links.
  explicit COffsetPoint(const CLoopPoint& other) : CLoopPoint(other) {}
};
