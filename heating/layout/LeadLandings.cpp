#include "heating/layout/LeadLandings.h"

#include "heating/curves/CLoop.h"

#include "geometry/Tolerances.h"

#include <algorithm>

namespace {

// The middle of a and b along the loop, the short way; a when the walk
// fails.
CLoopPoint middleAlong(const CLoop& loop, const CLoopPoint& a, const CLoopPoint& b) {
  const bool forward = loop.isForwardShorter(a.point, b.point, workTol);
  const double length = loop.lengthBetween(a, b, forward, workTol);
  CLoopPoint middle;
  if (length > 0.0 && loop.walkFrom(a, forward, 0.5 * length, middle, workTol)) return middle;
  return a;
}

}  // namespace

bool landLeads(const CLoop& first, const XtGePoint2d& start, const XtGePoint2d& end, bool forward, double s,
               CLoopPoint& q1, CLoopPoint& q2) {
  CLoopPoint a;
  CLoopPoint b;
  if (!first.closestPoint(start, a, workTol) || !first.closestPoint(end, b, workTol)) return false;
  const double gap = a.point.distanceTo(b.point);
  const bool one = a.point.isEqualTo(b.point, workTol);
  if (one || (s > 0.0 && gap < kLandingsApart * std::min(start.distanceTo(end), s))) {
    // The start's landing ahead of the end's, as they lie along the loop.
    const bool ahead = one ? forward : first.isForwardShorter(b.point, a.point, workTol);
    const CLoopPoint middle = one ? a : middleAlong(first, a, b);
    CLoopPoint walked;
    a = first.walkFrom(middle, ahead, 0.5 * s, walked, workTol) ? walked : middle;
    b = first.walkFrom(middle, !ahead, 0.5 * s, walked, workTol) ? walked : middle;
  }
  q1 = a;
  q2 = b;
  return true;
}
