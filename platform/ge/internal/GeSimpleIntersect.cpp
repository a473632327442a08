#include "platform/ge/internal/GeSimpleIntersect.h"

#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLinearEnt2d.h"
#include "platform/ge/internal/GeArcFrame.h"
#include "platform/ge/internal/GeCurveView.h"
#include "platform/ge/internal/GeEllipseFrame.h"
#include "platform/ge/internal/GeLinearSpan.h"
#include "platform/ge/internal/GeRootFinder.h"

#include <algorithm>
#include <cmath>

namespace GeKernel {

namespace {

constexpr int kEllipseSamples = 64;
constexpr int kCoincidenceSamples = 33;
constexpr int kMaxRaw = 16;

struct RawHit {
  double t1;
  double t2;
  bool tangent;
};

struct RawHits {
  RawHit items[kMaxRaw];
  int n = 0;
  void add(double t1, double t2, bool tangent) {
    if (n < kMaxRaw && std::isfinite(t1) && std::isfinite(t2)) items[n++] = {t1, t2, tangent};
  }
};

void linearVsArc(const LinearSpan& lin, const ArcFrame& arc, const XtGeTol& tol, bool swap,
                 RawHits& raw) {
  double t[2];
  bool tangent = false;
  const int n = intersectLineCircle(lin.base, lin.vec, arc.centre, arc.radius, tol, t, tangent);
  for (int i = 0; i < n; ++i) {
    if (!lin.containsParam(t[i], tol.equalPoint())) continue;
    const double tl = lin.clampParam(t[i]);
    const XtGePoint2d p = lin.eval(tl);
    if (!(arc.distanceTo(p) <= tol.equalPoint())) continue;
    const double ta = arc.closestParam(p);
    if (swap)
      raw.add(ta, tl, tangent);
    else
      raw.add(tl, ta, tangent);
  }
}

void arcVsArc(const ArcFrame& a, const ArcFrame& b, const XtGeTol& tol, RawHits& raw,
              SimpleIntersection& out) {
  XtGePoint2d p[2];
  bool tangent = false;
  const int n = intersectCircleCircle(a.centre, a.radius, b.centre, b.radius, tol, p, tangent);
  if (n < 0) {
    const ArcOverlaps ov = coincidentArcOverlaps(a, b, tol);
    for (int i = 0; i < ov.numOverlaps && out.numOverlaps < SimpleIntersection::kMaxOverlaps; ++i)
      out.overlaps[out.numOverlaps++] = {ov.a0[i], ov.a1[i], ov.b0[i], ov.b1[i]};
    for (int i = 0; i < ov.numTouches; ++i) raw.add(ov.touchA[i], ov.touchB[i], true);
    return;
  }
  for (int i = 0; i < n; ++i) {
    if (!(a.distanceTo(p[i]) <= tol.equalPoint()) || !(b.distanceTo(p[i]) <= tol.equalPoint()))
      continue;
    raw.add(a.closestParam(p[i]), b.closestParam(p[i]), tangent);
  }
}

// Signed distance to the whole (unbounded or full) curve of a view; the
// unsigned distance where no sign is defined.
double signedDistanceTo(const CurveView& v, const XtGePoint2d& p) {
  switch (v.kind) {
    case CurveView::Kind::kLinear: {
      const double len = v.lin.vec.length();
      if (!(len > 0.0)) return p.distanceTo(v.lin.base);
      return (p - v.lin.base).crossProduct(v.lin.vec) / len;
    }
    case CurveView::Kind::kArc:
      return p.distanceTo(v.arc.centre) - v.arc.radius;
    case CurveView::Kind::kEllipse:
      return v.ell.signedDistance(p);
  }
  return 0.0;
}

// Gradient of signedDistanceTo (unit length near the curve).
XtGeVector2d signedDistanceGradient(const CurveView& v, const XtGePoint2d& p) {
  const XtGeTol exact(0.0, 0.0);
  switch (v.kind) {
    case CurveView::Kind::kLinear:
      return XtGeVector2d(v.lin.vec.y, -v.lin.vec.x).normal(exact);
    case CurveView::Kind::kArc:
      return (p - v.arc.centre).normal(exact);
    case CurveView::Kind::kEllipse: {
      const EllipseFrame& e = v.ell;
      const double det = e.a.crossProduct(e.b);
      if (det == 0.0) return {};
      const XtGeVector2d d = p - e.centre;
      const double qx = d.crossProduct(e.b) / det;
      const double qy = e.a.crossProduct(d) / det;
      return XtGeVector2d(qx * e.b.y - qy * e.a.y, -qx * e.b.x + qy * e.a.x).normal(exact) *
             (det > 0.0 ? 1.0 : -1.0);
    }
  }
  return {};
}

// At a touch, rounding lets the distance change sign a little to either
// side of the true contact, giving two zeros about sqrt(epsilon) apart.
// Neighbouring zeros between which the curves stay within ep are one
// contact: they are replaced by the middle parameter (also across the seam
// of a full ellipse).
template <class F>
int mergeTouchingZeros(F&& f, double* zeros, int n, double lo, double hi, bool closed,
                       double ep) {
  auto staysNear = [&](double a, double b) {
    for (int k = 1; k <= 3; ++k)
      if (!(std::fabs(f(a + (b - a) * k / 4.0)) <= ep)) return false;
    return true;
  };
  int m = 0;
  for (int i = 0; i < n; ++i) {
    if (m > 0 && staysNear(zeros[m - 1], zeros[i])) {
      zeros[m - 1] = 0.5 * (zeros[m - 1] + zeros[i]);
      continue;
    }
    zeros[m++] = zeros[i];
  }
  if (closed && m > 1 && staysNear(zeros[m - 1], zeros[0] + (hi - lo))) {
    double mid = 0.5 * (zeros[m - 1] + zeros[0] + (hi - lo));
    if (mid >= hi) mid -= hi - lo;
    // Drop the first and last zero, then insert the middle in order.
    for (int i = 0; i < m - 2; ++i) zeros[i] = zeros[i + 1];
    m -= 2;
    int pos = m;
    while (pos > 0 && zeros[pos - 1] > mid) {
      zeros[pos] = zeros[pos - 1];
      --pos;
    }
    zeros[pos] = mid;
    ++m;
  }
  return m;
}

// Zeros of the other curve's signed distance along the ellipse.
void ellipseVsOther(const EllipseFrame& e, const CurveView& other, const XtGeTol& tol, bool swap,
                    RawHits& raw) {
  const double ep = tol.equalPoint();
  const double lo = e.start;
  const double hi = std::min(e.end, e.start + XtGe::kTwoPi);
  auto f = [&](double t) { return signedDistanceTo(other, e.eval(t)); };
  // Coincident curves: every sample on the other curve. No points then.
  bool allOn = true;
  for (int i = 0; i <= kCoincidenceSamples && allOn; ++i)
    allOn = std::fabs(f(lo + (hi - lo) * i / kCoincidenceSamples)) <= ep;
  if (allOn) return;
  double zeros[8];
  auto df = [&](double t) {
    return signedDistanceGradient(other, e.eval(t)).dotProduct(e.deriv(t));
  };
  int n = findZeros(f, df, lo, hi, kEllipseSamples, ep, zeros, 8);
  n = mergeTouchingZeros(f, zeros, n, lo, hi, e.isFull(), ep);
  for (int i = 0; i < n; ++i) {
    const XtGePoint2d p = e.eval(zeros[i]);
    if (!(other.distanceTo(p) <= ep)) continue;
    const double to = other.closestParam(p);
    if (swap)
      raw.add(to, zeros[i], false);
    else
      raw.add(zeros[i], to, false);
  }
}

// An end of one curve within tolerance of the other, away from every hit.
void addTouchingEnds(const CurveView& v1, const CurveView& v2, const XtGeTol& tol, RawHits& raw) {
  const double ep = tol.equalPoint();
  auto nearExisting = [&](const XtGePoint2d& p) {
    for (int i = 0; i < raw.n; ++i)
      if (v1.eval(raw.items[i].t1).distanceTo(p) <= ep) return true;
    return false;
  };
  auto tryEnd = [&](const CurveView& own, double t, const CurveView& other, bool ownIsFirst) {
    const XtGePoint2d p = own.eval(t);
    if (!other.mayBeNear(p, ep) || !(other.distanceTo(p) <= ep) || nearExisting(p)) return;
    const double u = other.closestParam(p);
    if (ownIsFirst)
      raw.add(t, u, false);
    else
      raw.add(u, t, false);
  };
  if (v1.hasLo()) tryEnd(v1, v1.lo(), v2, true);
  if (v1.hasHi()) tryEnd(v1, v1.hi(), v2, true);
  if (v2.hasLo()) tryEnd(v2, v2.lo(), v1, false);
  if (v2.hasHi()) tryEnd(v2, v2.hi(), v1, false);
}

bool insideOverlap(const SimpleIntersection& out, const CurveView& v1, double t1, double ep) {
  for (int i = 0; i < out.numOverlaps; ++i) {
    const double speed = v1.speed();
    const double slack = speed > 0.0 ? ep / speed : 0.0;
    if (t1 >= out.overlaps[i].t1Start - slack && t1 <= out.overlaps[i].t1End + slack) return true;
  }
  return false;
}

}  // namespace

bool intersectSimpleCurves(const XtGeCurve2d& c1, const XtGeCurve2d& c2, const XtGeTol& givenTol,
                           SimpleIntersection& out) {
  out = SimpleIntersection();
  CurveView v1;
  CurveView v2;
  if (!CurveView::make(c1, v1) || !CurveView::make(c2, v2)) return false;
  if (!v1.isFinite() || !v2.isFinite()) return true;
  const XtGeTol tol = withNumericFloor(givenTol, std::max(v1.magnitude(), v2.magnitude()));
  if (v1.coarseBox().apartFrom(v2.coarseBox(), tol.equalPoint())) return true;

  using Kind = CurveView::Kind;
  RawHits raw;
  if (v1.kind == Kind::kLinear && v2.kind == Kind::kLinear) {
    const LinearHit h = intersectSpans(v1.lin, v2.lin, tol);
    if (h.kind == LinearRelation::kPoint) raw.add(h.t1, h.t2, h.parallel);
    if (h.kind == LinearRelation::kOverlap)
      out.overlaps[out.numOverlaps++] = {h.t1, h.t1End, h.t2, h.t2End};
  } else if (v1.kind == Kind::kLinear && v2.kind == Kind::kArc) {
    linearVsArc(v1.lin, v2.arc, tol, false, raw);
  } else if (v1.kind == Kind::kArc && v2.kind == Kind::kLinear) {
    linearVsArc(v2.lin, v1.arc, tol, true, raw);
  } else if (v1.kind == Kind::kArc && v2.kind == Kind::kArc) {
    arcVsArc(v1.arc, v2.arc, tol, raw, out);
  } else if (v1.kind == Kind::kEllipse) {
    ellipseVsOther(v1.ell, v2, tol, false, raw);
  } else {
    ellipseVsOther(v2.ell, v1, tol, true, raw);
  }
  addTouchingEnds(v1, v2, tol, raw);

  // Order by t1 then t2, drop points inside overlaps, merge close points.
  std::sort(raw.items, raw.items + raw.n, [](const RawHit& a, const RawHit& b) {
    return a.t1 < b.t1 || (a.t1 == b.t1 && a.t2 < b.t2);
  });
  const double ep = tol.equalPoint();
  for (int i = 0; i < raw.n; ++i) {
    const RawHit& r = raw.items[i];
    if (insideOverlap(out, v1, r.t1, ep)) continue;
    const XtGePoint2d p = c1.xtEvalPoint(r.t1);
    const XtGeVector2d u1 = v1.unitTangent(r.t1);
    const XtGeVector2d u2 = v2.unitTangent(r.t2);
    const bool parallel = u1.lengthSqrd() > 0.0 && u2.lengthSqrd() > 0.0 &&
                          std::fabs(u1.crossProduct(u2)) <= tol.equalVector();
    // Merge with any kept point within tolerance (also across the seam of a
    // closed curve, where the parameters lie far apart).
    bool merged = false;
    for (int k = 0; k < out.numHits && !merged; ++k) {
      if (out.hits[k].point.distanceTo(p) <= ep) {
        out.hits[k].tangential |= r.tangent || parallel;
        merged = true;
      }
    }
    if (merged) continue;
    if (out.numHits == SimpleIntersection::kMaxHits) break;
    out.hits[out.numHits++] = {p, r.t1, r.t2, r.tangent || parallel};
  }
  return true;
}

}  // namespace GeKernel
