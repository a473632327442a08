#include "heating/layout/PipeCorners.h"

#include "heating/curves/CFloorHeatingCurve.h"
#include "heating/curves/CLoopElement.h"
#include "heating/curves/CLoopPoint.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>

double insideAngle(const XtGeVector2d& in, const XtGeVector2d& out) {
  const double a = in.length();
  const double b = out.length();
  if (!(a > 0.0) || !(b > 0.0)) return std::numbers::pi;
  // The angle between the way back and the way on.
  const double cosine = std::clamp(-in.dotProduct(out) / (a * b), -1.0, 1.0);
  return std::acos(cosine);
}

bool travelDirection(const CLoopPoint& p, bool forward, bool arriving, XtGeVector2d& direction) {
  const CLoopElement* link = arriving ? p.incomingLink(forward, workTol) : p.outgoingLink(forward, workTol);
  if (link == nullptr || !link->hasCurve()) return false;
  const XtGeVector2d along = link->curve->direction();
  direction = forward ? along : -along;
  return true;
}

bool stepTurnsGently(const CLoopPoint& from, const CLoopPoint& to, bool forward) {
  const XtGeVector2d step = to.point - from.point;
  XtGeVector2d in;
  XtGeVector2d out;
  if (travelDirection(from, forward, true, in) && insideAngle(in, step) < kSharpestPipeCorner) return false;
  return !(travelDirection(to, forward, false, out) && insideAngle(step, out) < kSharpestPipeCorner);
}
