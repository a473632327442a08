// Numeric kernels of elliptical arcs: evaluation, closest points, lengths
// and an approximate signed distance, shared by the ellipse class and the
// simple curve pair intersections.
#pragma once

#include "platform/ge/XtGe.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

#include <cmath>

class XtGeEllipArc2d;

namespace GeKernel {

// P(t) = centre + cos t * a + sin t * b for t in [start, end]; a and b are
// the semi-axis vectors (radius times unit axis).
struct EllipseFrame {
  XtGePoint2d centre;
  XtGeVector2d a{1.0, 0.0};
  XtGeVector2d b{0.0, 1.0};
  double start = 0.0;
  double end = XtGe::kTwoPi;

  bool isFull() const { return end >= start + XtGe::kTwoPi; }
  XtGePoint2d eval(double t) const { return centre + a * std::cos(t) + b * std::sin(t); }
  XtGeVector2d deriv(double t) const { return b * std::cos(t) - a * std::sin(t); }
  XtGeVector2d deriv2(double t) const { return -(a * std::cos(t) + b * std::sin(t)); }
  // Parameter of the closest point within [start, end] (the smaller one on a
  // tie); NaN for a non-finite point.
  double closestParam(const XtGePoint2d& p) const;
  double distanceTo(const XtGePoint2d& p) const;
  // Signed distance to the whole ellipse, exact on the curve to first order
  // (negative inside); the true distance when the ellipse is degenerate.
  double signedDistance(const XtGePoint2d& p) const;
  // Arc length between two parameters (any order, result >= 0), with a
  // relative error below 1e-12.
  double arcLength(double t0, double t1) const;
  // The parameter reached by walking len (>= 0) from t0 in direction dir
  // (+1 or -1), not beyond limit.
  double paramAtLength(double t0, double len, double dir, double limit) const;
};

EllipseFrame frameOf(const XtGeEllipArc2d& arc);

}  // namespace GeKernel
