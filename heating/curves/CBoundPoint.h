// A point on a zone boundary loop (CFHBoundLoop) with the items it lies on.
//
// It is a CLoopPoint with nothing of its own: the zone drawing data keeps its
// marks on the boundary in this type, so that they read as boundary points.
// Links point into the loop and stay valid as long as its items live.
#pragma once

#include "heating/curves/CLoopPoint.h"

#include <vector>

class CBoundPoint : public CLoopPoint {
 public:
  CBoundPoint() = default;
  // The point with a copy of the link list (null links are left out, a link
  // given twice is kept once).
  CBoundPoint(const XtGePoint2d& p, const std::vector<CLoopElement*>& links) : CLoopPoint(p) {
    for (CLoopElement* link : links) addLink(link);
  }
  // The point with one link (none when it is null).
  CBoundPoint(const XtGePoint2d& p, CLoopElement* link) : CLoopPoint(p, link) {}
};
