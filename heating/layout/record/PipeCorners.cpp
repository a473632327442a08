#include "heating/layout/record/PipeCorners.h"

#include "heating/curves/CLoop.h"
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

bool travelDirection(const CLoop& loop, const CLoopPoint& p, bool forward, bool arriving, double reach,
                     XtGeVector2d& direction) {
  CLoopPoint far;
  if (!(reach > 0.0) || !loop.walkFrom(p, arriving ? !forward : forward, reach, far, workTol)) return false;
  direction = arriving ? p.point - far.point : far.point - p.point;
  return direction.length() > workTol.equalPoint();
}

bool stepTurnsGently(const CLoop& own, const CLoopPoint& from, const CLoop& next, const CLoopPoint& to, bool forward,
                     double reach) {
  const XtGeVector2d step = to.point - from.point;
  XtGeVector2d in;
  XtGeVector2d out;
  if (travelDirection(own, from, forward, true, reach, in) && insideAngle(in, step) < kSharpestPipeCorner) return false;
  return !(travelDirection(next, to, forward, false, reach, out) && insideAngle(step, out) < kSharpestPipeCorner);
}
