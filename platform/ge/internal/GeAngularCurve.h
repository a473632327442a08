// Pieces shared by the curves parameterised by an angle (circular and
// elliptical arcs): their angle range rules, splitting, and the points of
// their crossings with other curves.
#pragma once

#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/internal/GeAngle.h"
#include "platform/ge/internal/GeLinearSpan.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

class XtGeLinearEnt2d;

namespace GeKernel {

// Whether a radius can be stored: finite and not negative.
inline bool isValidRadius(double r) { return std::isfinite(r) && r >= 0.0; }

// The unit vector of v, or false when v is zero or not finite.
inline bool unitOf(const XtGeVector2d& v, XtGeVector2d& unit) {
  const double len = v.length();
  if (!(len > 0.0) || !std::isfinite(len)) return false;
  unit = v / len;
  return true;
}

// Start and end after the arcs' rule (see arcEndAngle); false, leaving s and
// e unchanged, for non-finite angles.
inline bool arcAngles(double startAng, double endAng, double& s, double& e) {
  if (!std::isfinite(startAng) || !std::isfinite(endAng)) return false;
  s = startAng;
  e = arcEndAngle(startAng, endAng);
  return true;
}

// The sub-range an interval asks of an angular curve (sweep capped at a full
// turn); false for unbounded, reversed or non-finite intervals.
inline bool anglesOfInterval(const XtGeInterval& iv, double& s, double& e) {
  if (!iv.isBounded()) return false;
  const double lo = iv.lowerBound();
  const double hi = iv.upperBound();
  if (!std::isfinite(lo) || !std::isfinite(hi) || hi < lo) return false;
  s = lo;
  e = std::min(hi, lo + XtGe::kTwoPi);
  return true;
}

// Reverses [s, e] to [2*pi - e, 2*pi - s], keeping a full turn exactly full.
inline void reverseAngles(double& s, double& e) {
  const bool full = e >= s + XtGe::kTwoPi;
  const double oldStart = s;
  s = XtGe::kTwoPi - e;
  e = full ? s + XtGe::kTwoPi : XtGe::kTwoPi - oldStart;
}

// Splits an angular curve at t into copies over [start, t] and [t, end]; a
// piece is left out when its span is at most 1e-12 or its length (from
// lengthOf(from, to)) at most gTol.equalPoint.
template <class Curve, class LengthOf>
void splitAtAngle(const Curve& curve, double t, LengthOf&& lengthOf, XtGeCurve2d*& piece1,
                  XtGeCurve2d*& piece2) {
  piece1 = piece2 = nullptr;
  if (std::isnan(t)) return;
  const double s = curve.startAng();
  const double e = curve.endAng();
  t = std::clamp(t, s, e);
  const double minLength = XtGeContext::gTol.equalPoint();
  std::unique_ptr<Curve> first;
  std::unique_ptr<Curve> second;
  if (t - s > XtGe::kIntervalTol && lengthOf(s, t) > minLength) {
    first = std::make_unique<Curve>(curve);
    first->setAngles(s, t);
  }
  if (e - t > XtGe::kIntervalTol && lengthOf(t, e) > minLength) {
    second = std::make_unique<Curve>(curve);
    second->setAngles(t, e);
  }
  piece1 = first.release();
  piece2 = second.release();
}

// Point queries through a curve's frame (ArcFrame or EllipseFrame, which
// share eval, closestParam, distanceTo, isFull and start).

// Parameter of p (of its closest point when off the curve); the seam of a
// full turn answers the lower bound, also for points just before it.
template <class Frame>
double frameParamOf(const Frame& f, const XtGePoint2d& p, const XtGeTol& tol) {
  const double t = f.closestParam(p);
  if (f.isFull() && t > f.start + XtGe::kPi && p.distanceTo(f.eval(f.start)) <= tol.equalPoint())
    return f.start;
  return t;
}

// isOn through the frame; magnitude (of the curve's data) sets the numeric
// floor of the tolerance.
template <class Frame>
bool frameIsOn(const Frame& f, double magnitude, const XtGePoint2d& p, double& t,
               const XtGeTol& tol) {
  if (!p.isFinite()) return false;
  const double ep = std::max(tol.equalPoint(), numericFloor(magnitude));
  if (!(f.distanceTo(p) <= ep)) return false;
  t = frameParamOf(f, p, tol);
  return true;
}

template <class Frame>
XtGePoint2d frameClosestPoint(const Frame& f, const XtGePoint2d& p) {
  if (!p.isFinite()) return p;
  return f.eval(f.closestParam(p));
}

template <class Frame>
double frameDistance(const Frame& f, const XtGePoint2d& p) {
  if (!p.isFinite()) return std::numeric_limits<double>::infinity();
  return f.distanceTo(p);
}

// Length between two parameters by lengthOf(from, to): NaN for NaN
// parameters, 0 for infinite ones.
template <class LengthOf>
double guardedLength(double from, double to, LengthOf&& lengthOf) {
  if (std::isnan(from) || std::isnan(to)) return std::numeric_limits<double>::quiet_NaN();
  if (std::isinf(from) || std::isinf(to)) return 0.0;
  return lengthOf(from, to);
}

// Crossings of curve with a linear entity, ordered along the linear entity,
// the points taken on curve: up to maxOut into out; answers the count.
int crossingsAlongLinear(const XtGeLinearEnt2d& line, const XtGeCurve2d& curve,
                         const XtGeTol& tol, XtGePoint2d* out, int maxOut);

// Crossings of two curves ordered along the first, points on the first: up
// to maxOut into out; answers the count (0 also where they overlap).
int crossingsAlongFirst(const XtGeCurve2d& first, const XtGeCurve2d& second, const XtGeTol& tol,
                        XtGePoint2d* out, int maxOut);

}  // namespace GeKernel
