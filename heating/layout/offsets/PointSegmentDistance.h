// The distance from a point to a straight segment, the one measure the
// layout's pipe and loop tests share.
//
// Threads: a pure function; any thread.
#pragma once

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

#include <algorithm>

// The distance from p to the segment a-b (to a when a and b coincide).
inline double pointSegmentDistance(const XtGePoint2d& p, const XtGePoint2d& a, const XtGePoint2d& b) {
  const XtGeVector2d ab = b - a;
  const double squared = ab.dotProduct(ab);
  const double t = squared > 0.0 ? std::clamp((p - a).dotProduct(ab) / squared, 0.0, 1.0) : 0.0;
  return p.distanceTo(a + ab * t);
}
