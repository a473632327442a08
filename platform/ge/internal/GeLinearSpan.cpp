#include "platform/ge/internal/GeLinearSpan.h"

#include "platform/ge/XtGeLinearEnt2d.h"

#include <algorithm>
#include <cmath>

namespace GeKernel {

bool LinearSpan::containsParam(double t, double tolDist) const {
  if (std::isnan(t)) return false;
  const double len = vec.length();
  const double slack = len > 0.0 ? tolDist / len : kInfinity;
  return t >= lo - slack && t <= hi + slack;
}

double LinearSpan::closestParam(const XtGePoint2d& p) const {
  if (!p.isFinite()) return std::numeric_limits<double>::quiet_NaN();
  const double l2 = vec.lengthSqrd();
  if (!(l2 > 0.0)) return boundedBelow() ? lo : (boundedAbove() ? hi : 0.0);
  return clampParam((p - base).dotProduct(vec) / l2);
}

double LinearSpan::spanLength() const {
  const double len = vec.length();
  if (!(len > 0.0)) return 0.0;
  return (hi - lo) * len;
}

double LinearSpan::magnitude() const {
  auto mag = [](const XtGePoint2d& p) { return std::max(std::fabs(p.x), std::fabs(p.y)); };
  double m = mag(base);
  if (boundedBelow()) m = std::max(m, mag(eval(lo)));
  if (boundedAbove()) m = std::max(m, mag(eval(hi)));
  return m;
}

CoarseBox boxOf(const LinearSpan& s) {
  CoarseBox b;
  if (!s.boundedBelow() || !s.boundedAbove()) return b;
  const XtGePoint2d p = s.eval(s.lo);
  const XtGePoint2d q = s.eval(s.hi);
  b.lo.set(std::min(p.x, q.x), std::min(p.y, q.y));
  b.hi.set(std::max(p.x, q.x), std::max(p.y, q.y));
  b.bounded = true;
  return b;
}

LinearSpan spanOf(const XtGeLinearEnt2d& ent) {
  LinearSpan s;
  s.base = ent.pointOnLine();
  s.vec = ent.parameterVector();
  XtGeInterval iv;
  ent.getInterval(iv);
  s.lo = iv.isBoundedBelow() ? iv.lowerBound() : -kInfinity;
  s.hi = iv.isBoundedAbove() ? iv.upperBound() : kInfinity;
  return s;
}

namespace {

bool isPointLike(const LinearSpan& s, double ep) {
  const double len = s.vec.length();
  if (!(len > 0.0)) return true;
  return s.boundedBelow() && s.boundedAbove() && (s.hi - s.lo) * len <= ep;
}

// Lower end of a point-like span (any parameter of an unbounded zero one).
double pointParam(const LinearSpan& s) {
  return s.boundedBelow() ? s.lo : (s.boundedAbove() ? s.hi : 0.0);
}

LinearHit pointHit(double t1, double t2, bool parallel) {
  LinearHit h;
  h.kind = LinearRelation::kPoint;
  h.t1 = t1;
  h.t2 = t2;
  h.parallel = parallel;
  return h;
}

// The end of either span nearest to the other span, when within ep.
LinearHit touchingEnd(const LinearSpan& a, const LinearSpan& b, double ep, bool parallel) {
  LinearHit best;
  double bestDist = kInfinity;
  auto tryEnd = [&](const LinearSpan& s, double t, const LinearSpan& other, bool sIsA) {
    const XtGePoint2d p = s.eval(t);
    if (!other.nearSupport(p, ep)) return;
    const double u = other.closestParam(p);
    const double d = p.distanceTo(other.eval(u));
    if (d <= ep && d < bestDist) {
      bestDist = d;
      best = sIsA ? pointHit(t, u, parallel) : pointHit(u, t, parallel);
    }
  };
  if (a.boundedBelow()) tryEnd(a, a.lo, b, true);
  if (a.boundedAbove()) tryEnd(a, a.hi, b, true);
  if (b.boundedBelow()) tryEnd(b, b.lo, a, false);
  if (b.boundedAbove()) tryEnd(b, b.hi, a, false);
  return best;
}

// Overlap or touch of two colinear spans; kNone with parallel = false when
// the spans turn out not to stay within ep of each other.
LinearHit colinearHit(const LinearSpan& a, const LinearSpan& b, double ep, bool& stayColinear) {
  stayColinear = true;
  const double la2 = a.vec.lengthSqrd();
  const double la = std::sqrt(la2);
  // Parameter on a of b's point at u: c + k*u.
  const double k = b.vec.dotProduct(a.vec) / la2;
  const double c = (b.base - a.base).dotProduct(a.vec) / la2;
  auto onA = [&](double u) {
    if (std::isinf(u)) return (u > 0) == (k > 0) ? kInfinity : -kInfinity;
    return c + k * u;
  };
  double bl = onA(b.lo);
  double bh = onA(b.hi);
  if (bl > bh) std::swap(bl, bh);
  const double ol = std::max(a.lo, bl);
  const double oh = std::min(a.hi, bh);
  const double overlap = (oh - ol) * la;  // negative: the gap between them
  auto onB = [&](double t) { return (t - c) / k; };
  if (std::isnan(overlap) || overlap < -ep) return {};
  if (overlap > ep) {
    // The overlap must stay within ep of b at both ends (near-parallel spans
    // that drift apart are not colinear).
    auto nearB = [&](double t) {
      if (std::isinf(t)) return true;
      return b.distanceTo(a.eval(t)) <= ep;
    };
    if (!nearB(ol) || !nearB(oh)) {
      stayColinear = false;
      return {};
    }
    LinearHit h;
    h.kind = LinearRelation::kOverlap;
    h.t1 = ol;
    h.t1End = oh;
    h.t2 = b.clampParam(onB(ol));
    h.t2End = b.clampParam(onB(oh));
    h.parallel = true;
    h.colinear = true;
    return h;
  }
  // They only touch: one point in the middle of the (tiny) common stretch.
  const double t = a.clampParam(0.5 * (ol + oh));
  const double u = b.closestParam(a.eval(t));
  if (!(a.eval(t).distanceTo(b.eval(u)) <= ep)) {
    stayColinear = false;
    return {};
  }
  LinearHit h = pointHit(t, u, true);
  h.colinear = true;
  return h;
}

// Spans crossing at a small angle stay within ep of each other over a
// stretch around their crossing. When that stretch holds more than one of
// the things a crossing reports (the crossing, ends of either span within
// ep of the other) farther than ep apart, it is one overlap over the whole
// stretch rather than a crossing plus touching ends. False when it is not;
// t1 is the crossing on a (NaN when the lines do not cross).
bool nearlyColinearStretch(const LinearSpan& a, double la, const LinearSpan& b, double t1,
                           double sine, double ep, LinearHit& out) {
  double first = kInfinity;  // the spread of the things found, on a
  double last = -kInfinity;
  auto found = [&](double t) {
    first = std::min(first, t);
    last = std::max(last, t);
  };
  auto endsOf = [&](const LinearSpan& s, const LinearSpan& other, bool onA) {
    for (const double t : {s.lo, s.hi}) {
      if (!std::isfinite(t)) continue;
      const XtGePoint2d p = s.eval(t);
      if (other.nearSupport(p, ep) && other.distanceTo(p) <= ep) found(onA ? t : a.closestParam(p));
    }
  };
  endsOf(a, b, true);
  endsOf(b, a, false);
  if (first == kInfinity) return false;  // a plain crossing, or nothing
  if (a.containsParam(t1, ep) && b.distanceTo(a.eval(a.clampParam(t1))) <= ep)
    found(a.clampParam(t1));
  if (!((last - first) * la > ep)) return false;
  // Within ep of b's line around the crossing, inside both extents.
  const double half = ep / (std::fabs(sine) * la);
  double lo = std::max(a.lo, std::isfinite(t1) ? t1 - half : -kInfinity);
  double hi = std::min(a.hi, std::isfinite(t1) ? t1 + half : kInfinity);
  // b's extent seen on a (infinite ends stay infinite).
  const double k = b.vec.dotProduct(a.vec) / (la * la);
  const double c = (b.base - a.base).dotProduct(a.vec) / (la * la);
  double from = c + k * b.lo;
  double to = c + k * b.hi;
  if (from > to) std::swap(from, to);
  lo = std::max(lo, from);
  hi = std::min(hi, to);
  lo = std::min(lo, first);
  hi = std::max(hi, last);
  if (!std::isfinite(lo) || !std::isfinite(hi)) return false;
  out = LinearHit();
  out.kind = LinearRelation::kOverlap;
  out.t1 = lo;
  out.t1End = hi;
  out.t2 = b.closestParam(a.eval(lo));
  out.t2End = b.closestParam(a.eval(hi));
  out.colinear = true;
  return true;
}

}  // namespace

LinearHit intersectSpans(const LinearSpan& a, const LinearSpan& b, const XtGeTol& givenTol) {
  if (!a.base.isFinite() || !a.vec.isFinite() || !b.base.isFinite() || !b.vec.isFinite() ||
      std::isnan(a.lo) || std::isnan(a.hi) || std::isnan(b.lo) || std::isnan(b.hi))
    return {};
  const XtGeTol tol = withNumericFloor(givenTol, std::max(a.magnitude(), b.magnitude()));
  const double ep = tol.equalPoint();
  if (boxOf(a).apartFrom(boxOf(b), ep)) return {};

  const bool aPoint = isPointLike(a, ep);
  const bool bPoint = isPointLike(b, ep);
  if (aPoint || bPoint) {
    if (aPoint) {
      const double t = pointParam(a);
      const XtGePoint2d p = a.eval(t);
      const double u = b.closestParam(p);
      if (p.distanceTo(b.eval(u)) <= ep) return pointHit(t, u, false);
      return {};
    }
    const double u = pointParam(b);
    const XtGePoint2d p = b.eval(u);
    const double t = a.closestParam(p);
    if (p.distanceTo(a.eval(t)) <= ep) return pointHit(t, u, false);
    return {};
  }

  const double la = a.vec.length();
  const double lb = b.vec.length();
  const double cross = a.vec.crossProduct(b.vec);
  const bool parallel = std::fabs(cross / (la * lb)) <= tol.equalVector();
  const XtGeVector2d w = b.base - a.base;

  if (parallel) {
    // Either base within ep of the other's line; colinearHit then checks
    // that the spans stay together over their common stretch.
    const bool colinear = std::fabs(w.crossProduct(a.vec)) / la <= ep ||
                          std::fabs(w.crossProduct(b.vec)) / lb <= ep;
    if (colinear) {
      bool stayColinear = true;
      LinearHit h = colinearHit(a, b, ep, stayColinear);
      if (stayColinear) return h;
    }
    // Two unbounded lines that are parallel never meet.
    if (!a.boundedBelow() && !a.boundedAbove() && !b.boundedBelow() && !b.boundedAbove())
      return {};
  }

  if (cross != 0.0) {
    const double t1 = w.crossProduct(b.vec) / cross;
    const double t2 = w.crossProduct(a.vec) / cross;
    // An end of either span within ep of the other's line (the distance
    // grows by |sine| per unit of length from the crossing) may make the
    // stretch around the crossing an overlap.
    const double sine = cross / (la * lb);
    auto endNear = [&](const LinearSpan& s, double t, double len) {
      const double perParam = std::fabs(sine) * len;
      return std::fabs(s.lo - t) * perParam <= ep || std::fabs(s.hi - t) * perParam <= ep;
    };
    LinearHit h;
    if (!parallel && (endNear(a, t1, la) || endNear(b, t2, lb)) &&
        nearlyColinearStretch(a, la, b, t1, sine, ep, h))
      return h;
    if (std::isfinite(t1) && std::isfinite(t2) && a.containsParam(t1, ep) &&
        b.containsParam(t2, ep)) {
      const double c1 = a.clampParam(t1);
      const double c2 = b.clampParam(t2);
      // Clamping into both extents must leave the two points together.
      if (a.eval(c1).distanceTo(b.eval(c2)) <= ep) return pointHit(c1, c2, parallel);
    }
  }
  return touchingEnd(a, b, ep, parallel);
}

}  // namespace GeKernel
