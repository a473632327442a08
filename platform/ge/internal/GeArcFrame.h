// Numeric kernels of circular arcs: the arc's frame, angles and closest
// points, and the intersections of lines and circles. Shared by the arc
// class, the simple curve pair intersections and the composite curves.
#pragma once

#include "platform/ge/XtGe.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeTol.h"
#include "platform/ge/XtGeVector2d.h"

#include <cmath>

class XtGeCircArc2d;

namespace GeKernel {

// P(t) = centre + radius*(cos t * xAxis + sin t * yAxis) for t in
// [start, end]; yAxis is the left normal of xAxis for a counter-clockwise
// arc and the right normal for a clockwise one.
struct ArcFrame {
  XtGePoint2d centre;
  double radius = 0.0;
  XtGeVector2d xAxis{1.0, 0.0};
  XtGeVector2d yAxis{0.0, 1.0};
  double start = 0.0;
  double end = XtGe::kTwoPi;

  bool isFull() const { return end >= start + XtGe::kTwoPi; }
  double sweep() const { return end - start; }
  XtGePoint2d eval(double t) const {
    return centre + (xAxis * std::cos(t) + yAxis * std::sin(t)) * radius;
  }
  XtGeVector2d deriv(double t) const {
    return (yAxis * std::cos(t) - xAxis * std::sin(t)) * radius;
  }
  // Unit tangent in the direction of increasing parameter.
  XtGeVector2d unitTangent(double t) const { return yAxis * std::cos(t) - xAxis * std::sin(t); }
  // Angle of a direction in the arc's frame, in [0, 2*pi); 0 for zero.
  double angleOf(const XtGeVector2d& d) const;
  // The parameter of direction d in [start, start + 2*pi); inside tells
  // whether it lies in [start, end].
  double paramOfDirection(const XtGeVector2d& d, bool& inside) const;
  // Parameter of the closest point within [start, end]: the point's own angle
  // when inside, else the nearer end (the start on a tie, and for the centre).
  // NaN for a non-finite point.
  double closestParam(const XtGePoint2d& p) const;
  // The same; inside tells whether p's own angle lies in the sweep.
  double closestParam(const XtGePoint2d& p, bool& inside) const;
  double distanceTo(const XtGePoint2d& p) const;
};

// The frame of an arc as stored.
ArcFrame frameOf(const XtGeCircArc2d& arc);

// Crossings of the infinite line base + t*vec with the circle (centre, r):
// 0, 1 or 2 line parameters, ascending. One point (tangent = true) where the
// line passes within tol.equalPoint of the circle without crossing it, or
// where the two crossings lie within tol.equalPoint of each other: the foot
// of the perpendicular from the centre.
int intersectLineCircle(const XtGePoint2d& base, const XtGeVector2d& vec,
                        const XtGePoint2d& centre, double r, const XtGeTol& tol, double t[2],
                        bool& tangent);

// Crossings of two circles: 0, 1 (a touch within tol, tangent = true) or 2
// points (on the first circle); -1 when the circles coincide within
// tol.equalPoint (same centre and radius).
int intersectCircleCircle(const XtGePoint2d& c1, double r1, const XtGePoint2d& c2, double r2,
                          const XtGeTol& tol, XtGePoint2d p[2], bool& tangent);

// Common stretches of two arcs of the same circle (within tol), in the
// parameters of a (ascending) with the matching parameters of b. Up to two
// overlaps (longer than tol.equalPoint) and two touch points (stretches
// not longer than that).
struct ArcOverlaps {
  int numOverlaps = 0;
  double a0[2] = {0.0, 0.0};
  double a1[2] = {0.0, 0.0};
  double b0[2] = {0.0, 0.0};
  double b1[2] = {0.0, 0.0};
  int numTouches = 0;
  double touchA[2] = {0.0, 0.0};
  double touchB[2] = {0.0, 0.0};
};
ArcOverlaps coincidentArcOverlaps(const ArcFrame& a, const ArcFrame& b, const XtGeTol& tol);

}  // namespace GeKernel
