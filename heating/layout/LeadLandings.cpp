#include "heating/layout/LeadLandings.h"

#include "heating/curves/CLoop.h"

#include "platform/ge/XtGeLineSeg2d.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>

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

// The direction of the element walked forward or back.
XtGeVector2d walkedDirection(const CLoopElement& element, bool forward) {
  return forward ? element.endPoint() - element.startPoint() : element.startPoint() - element.endPoint();
}

// The first corner of the loop walking from q in the direction, no farther
// than `reach` along it (see joinCorners in the header); false when a
// reflex corner comes first or none lies within reach.
bool cornerWithin(const CLoop& loop, const CLoopPoint& q, bool forward, double reach, CLoopPoint& corner) {
  const CLoopElement* on = q.outgoingLink(forward, workTol);
  int i = on != nullptr ? loop.indexOf(on) : -1;
  if (i < 0 || !on->hasCurve()) return false;
  double along = q.point.distanceTo(forward ? on->endPoint() : on->startPoint());
  for (int passed = 0; passed < loop.elementCount() && along <= reach; ++passed) {
    const CLoopElement* a = loop.elementWithCurve(i);
    const int j = forward ? loop.nextIndex(i) : loop.previousIndex(i);
    const CLoopElement* b = loop.elementWithCurve(j);
    if (a == nullptr || b == nullptr) return false;
    const XtGeVector2d da = walkedDirection(*a, forward), db = walkedDirection(*b, forward);
    const double turn = std::atan2(da.crossProduct(db), da.dotProduct(db));
    // Inward: to the left walking forward round a counter-clockwise loop.
    const double inward = forward ? turn : -turn;
    if (inward <= -kCornerTurn) return false;
    if (inward >= kCornerTurn) return loop.closestPoint(forward ? a->endPoint() : a->startPoint(), corner, workTol);
    along += b->curve->length();
    i = j;
  }
  return false;
}

}  // namespace

bool leadsCross(const XtGePoint2d& e1, const XtGePoint2d& q1, const XtGePoint2d& e2, const XtGePoint2d& q2) {
  if (e1.isEqualTo(q1, workTol) || e2.isEqualTo(q2, workTol)) return false;
  XtGePoint2d at;
  return XtGeLineSeg2d(e1, q1).intersectWith(XtGeLineSeg2d(e2, q2), at, workTol);
}

double jogReach(double gap, double s) {
  const double rest = s - gap;
  const double discriminant = rest * rest - 2.0 * gap * gap;
  if (!(s > 0.0) || !(rest > 0.0) || !(discriminant >= 0.0)) return 0.0;
  return 0.5 * (rest + std::sqrt(discriminant));
}

bool landLeads(const CLoop& first, const XtGePoint2d& start, const XtGePoint2d& end, bool forward, double s,
               CLoopPoint& q1, CLoopPoint& q2, bool joinCorners) {
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
  } else if (const double reach = joinCorners ? jogReach(gap, s) : 0.0; reach > 0.0) {
    // Each landing on the corner it would jog to, away from the other.
    const bool ahead = first.isForwardShorter(b.point, a.point, workTol);
    CLoopPoint corner;
    if (cornerWithin(first, a, ahead, reach, corner)) a = corner;
    if (cornerWithin(first, b, !ahead, reach, corner)) b = corner;
  }
  q1 = a;
  q2 = b;
  return true;
}
