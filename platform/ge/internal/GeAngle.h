// Angle helpers shared by the circular and elliptical curves.
#pragma once

#include "platform/ge/XtGe.h"

#include <cmath>

namespace GeKernel {

// The angle brought into [0, 2*pi). Non-finite angles come back unchanged.
inline double normalizeAngle(double a) {
  if (!std::isfinite(a)) return a;
  if (a >= 0.0 && a < XtGe::kTwoPi) return a;
  a = std::fmod(a, XtGe::kTwoPi);
  if (a < 0.0) a += XtGe::kTwoPi;
  if (a >= XtGe::kTwoPi) a = 0.0;  // -tiny + 2*pi rounds to 2*pi
  return a;
}

// The representative of angle a (any value) in [lower, lower + 2*pi).
inline double angleFrom(double a, double lower) {
  if (!std::isfinite(a) || !std::isfinite(lower)) return a;
  double r = lower + normalizeAngle(a - lower);
  if (r < lower) r = lower;  // rounding of the sum
  return r;
}

// Angular sweep from s to e after the arcs' rule: while e < s add 2*pi, and
// the sweep is capped at 2*pi. Answers the adjusted end (e itself when it is
// already in [s, s + 2*pi]).
inline double arcEndAngle(double s, double e) {
  if (!std::isfinite(s) || !std::isfinite(e)) return e;
  if (e < s) e = s + normalizeAngle(e - s);
  if (e > s + XtGe::kTwoPi) e = s + XtGe::kTwoPi;
  return e;
}

}  // namespace GeKernel
