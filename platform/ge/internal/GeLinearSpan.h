// Numeric kernels of linear curves: a span P(t) = base + t*vec over
// [lo, hi] (either end may be infinite), its closest points and the
// intersection of two spans. Shared by the linear curve classes, the simple
// curve pair intersections and the composite curves.
#pragma once

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeTol.h"
#include "platform/ge/XtGeVector2d.h"

#include <cmath>
#include <limits>

class XtGeLinearEnt2d;

namespace GeKernel {

inline constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The smallest distance the kernels can resolve among coordinates of the
// given magnitude. Accept/reject decisions use at least this much, so that
// zero tolerances still find the points that rounding puts a few units in
// the last place off a curve.
inline double numericFloor(double magnitude) { return 1e-14 * (1.0 + magnitude); }

// A tolerance whose equalPoint is at least numericFloor(magnitude).
inline XtGeTol withNumericFloor(const XtGeTol& tol, double magnitude) {
  const double floor = numericFloor(magnitude);
  return tol.equalPoint() >= floor ? tol : XtGeTol(floor, tol.equalVector());
}

struct LinearSpan {
  XtGePoint2d base;
  XtGeVector2d vec;
  double lo = -kInfinity;
  double hi = kInfinity;

  XtGePoint2d eval(double t) const { return base + vec * t; }
  bool boundedBelow() const { return lo > -kInfinity; }
  bool boundedAbove() const { return hi < kInfinity; }
  double clampParam(double t) const { return t < lo ? lo : (t > hi ? hi : t); }
  // Whether t lies in [lo, hi] widened by a distance of tolDist along the span.
  bool containsParam(double t, double tolDist) const;
  // Parameter of the closest point within the span (lo when vec is zero;
  // ties cannot occur). NaN for a non-finite point.
  double closestParam(const XtGePoint2d& p) const;
  double distanceTo(const XtGePoint2d& p) const { return p.distanceTo(eval(closestParam(p))); }
  // Length of the span times |vec|; 0 for a zero vector.
  double spanLength() const;
  // Largest coordinate magnitude of the base and the finite ends.
  double magnitude() const;
  // Whether p lies within dist of the supporting line: a cheap first test.
  bool nearSupport(const XtGePoint2d& p, double dist) const {
    return std::fabs((p - base).crossProduct(vec)) <= dist * vec.length();
  }
};

// An axis-aligned box for quick rejection; empty() boxes are unbounded.
struct CoarseBox {
  XtGePoint2d lo;
  XtGePoint2d hi;
  bool bounded = false;
  // Whether both boxes are bounded and lie more than gap apart.
  bool apartFrom(const CoarseBox& o, double gap) const {
    return bounded && o.bounded &&
           (o.lo.x > hi.x + gap || lo.x > o.hi.x + gap || o.lo.y > hi.y + gap ||
            lo.y > o.hi.y + gap);
  }
};

// The box of a span bounded at both ends (unbounded box otherwise).
CoarseBox boxOf(const LinearSpan& s);

// The span of a line, ray or segment in its own parameter.
LinearSpan spanOf(const XtGeLinearEnt2d& ent);

enum class LinearRelation {
  kNone,     // no common point within tol
  kPoint,    // one point: t1 on a, t2 on b
  kOverlap,  // colinear and sharing more than tol.equalPoint: [t1, t1End] on a
             // (ascending) matches [t2, t2End] on b (in the same order)
};

struct LinearHit {
  LinearRelation kind = LinearRelation::kNone;
  double t1 = 0.0;
  double t2 = 0.0;
  double t1End = 0.0;
  double t2End = 0.0;
  bool parallel = false;  // the directions are parallel within tol.equalVector
  bool colinear = false;  // the spans lie on one line (overlap, or a touch of their ends)
};

// Intersection of two spans. A crossing within both extents (widened by
// tol.equalPoint, parameters then clamped) is a point. Colinear spans give an
// overlap when they share more than tol.equalPoint of length, or a point
// where they only touch. Spans crossing at a small angle (more than
// tol.equalVector) stay within tol.equalPoint of each other over a stretch
// around the crossing: when that stretch holds ends of either span within
// tol.equalPoint of the other, farther than tol.equalPoint from each other
// or from the crossing, it is one overlap over the whole stretch (not a
// crossing plus touching ends), whatever the angle. Spans that are
// parallel within tol.equalVector but not colinear give no point, unless
// they are bounded and genuinely cross within their extents. When the lines cross outside the extents, an
// end of one span within tol.equalPoint of the other is reported as the
// point (the nearest such end). A span shorter than tol.equalPoint counts as
// a point at its lower end.
LinearHit intersectSpans(const LinearSpan& a, const LinearSpan& b, const XtGeTol& tol);

}  // namespace GeKernel
