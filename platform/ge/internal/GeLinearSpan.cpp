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

// Whether two spans that are not parallel may still stay within ep of each
// other over a stretch: then at least two of their ends lie within ep of
// the other's supporting line (la and lb are the lengths of the vectors).
bool mayLieAlong(const LinearSpan& a, double la, const LinearSpan& b, double lb, double ep) {
  int near = 0;
  auto count = [&](const LinearSpan& s, const LinearSpan& other, double lo) {
    if (s.boundedBelow() && std::fabs((s.eval(s.lo) - other.base).crossProduct(other.vec)) <= ep * lo)
      ++near;
    if (s.boundedAbove() && std::fabs((s.eval(s.hi) - other.base).crossProduct(other.vec)) <= ep * lo)
      ++near;
  };
  count(a, b, lb);
  count(b, a, la);
  return near >= 2;
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
  } else if (mayLieAlong(a, la, b, lb, ep)) {
    // A hair apart in angle but within ep over their whole common stretch
    // (a finite one: lines that are not parallel drift apart): that
    // stretch is an overlap, not a crossing plus touching ends.
    bool stayColinear = true;
    LinearHit h = colinearHit(a, b, ep, stayColinear);
    if (stayColinear && h.kind == LinearRelation::kOverlap && std::isfinite(h.t1) &&
        std::isfinite(h.t1End)) {
      h.parallel = false;
      return h;
    }
  }

  if (cross != 0.0) {
    const double t1 = w.crossProduct(b.vec) / cross;
    const double t2 = w.crossProduct(a.vec) / cross;
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
