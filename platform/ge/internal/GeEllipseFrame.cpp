#include "platform/ge/internal/GeEllipseFrame.h"

#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/internal/GeRootFinder.h"

#include <algorithm>
#include <limits>

namespace GeKernel {

namespace {

constexpr int kClosestSamples = 64;
constexpr int kNewtonSteps = 8;

// 15-point Gauss-Kronrod rule with its embedded 7-point Gauss rule.
constexpr double kXgk[8] = {0.991455371120812639, 0.949107912342758525, 0.864864423359769073,
                            0.741531185599394440, 0.586087235467691130, 0.405845151377397167,
                            0.207784955007898468, 0.000000000000000000};
constexpr double kWgk[8] = {0.022935322010529225, 0.063092092629978553, 0.104790010322250184,
                            0.140653259715525919, 0.169004726639267903, 0.190350578064785410,
                            0.204432940075298892, 0.209482141084727828};
constexpr double kWg[4] = {0.129484966168869693, 0.279705391489276668, 0.381830050505118945,
                           0.417959183673469388};

template <class F>
double kronrod(F&& f, double a, double b, double& err) {
  const double c = 0.5 * (a + b);
  const double h = 0.5 * (b - a);
  const double fc = f(c);
  double k = fc * kWgk[7];
  double g = fc * kWg[3];
  for (int j = 0; j < 7; ++j) {
    const double x = h * kXgk[j];
    const double f1 = f(c - x);
    const double f2 = f(c + x);
    k += kWgk[j] * (f1 + f2);
    if (j % 2 == 1) g += kWg[j / 2] * (f1 + f2);
  }
  err = std::fabs((k - g) * h);
  return k * h;
}

// Adaptive integration with a bounded recursion depth.
template <class F>
double integrate(F&& f, double a, double b, double relTol, int depth) {
  double err = 0.0;
  const double v = kronrod(f, a, b, err);
  if (depth <= 0 || err <= relTol * std::fabs(v) || err <= 1e-300) return v;
  const double m = 0.5 * (a + b);
  return integrate(f, a, m, relTol, depth - 1) + integrate(f, m, b, relTol, depth - 1);
}

}  // namespace

double EllipseFrame::closestParam(const XtGePoint2d& p) const {
  if (!p.isFinite()) return std::numeric_limits<double>::quiet_NaN();
  const double lo = start;
  const double hi = std::min(end, start + XtGe::kTwoPi);
  auto dist2 = [&](double t) { return (eval(t) - p).lengthSqrd(); };
  // Zeros of g(t) = (P(t) - p) . P'(t) are the candidates, besides the ends.
  auto g = [&](double t) { return (eval(t) - p).dotProduct(deriv(t)); };
  double zeros[16];
  auto dg = [&](double t) {
    return deriv(t).lengthSqrd() + (eval(t) - p).dotProduct(deriv2(t));
  };
  const int n = findZeros(g, dg, lo, hi, kClosestSamples, 0.0, zeros, 16);
  double best = lo;
  double bestD = dist2(lo);
  auto consider = [&](double t) {
    const double d = dist2(t);
    if (d < bestD || (d == bestD && t < best)) {
      best = t;
      bestD = d;
    }
  };
  for (int i = 0; i < n; ++i) consider(zeros[i]);
  consider(hi);
  // Near-double zeros can escape the sign test: polish the sampled minimum.
  const double step = (hi - lo) / kClosestSamples;
  double sampleBest = lo;
  double sampleBestD = bestD;
  for (int i = 1; i <= kClosestSamples; ++i) {
    const double t = lo + step * i;
    const double d = dist2(t);
    if (d < sampleBestD) {
      sampleBestD = d;
      sampleBest = t;
    }
  }
  if (step > 0.0) {
    const double a = std::max(lo, sampleBest - step);
    const double b = std::min(hi, sampleBest + step);
    double t = goldenMinimum(dist2, a, b);
    // The golden section only gets t to about sqrt(epsilon): finish with
    // Newton steps on g, kept inside the bracket.
    for (int i = 0; i < kNewtonSteps; ++i) {
      const XtGeVector2d d = eval(t) - p;
      const double slope = deriv(t).lengthSqrd() + d.dotProduct(deriv2(t));
      if (!(slope > 0.0)) break;
      const double next = std::clamp(t - d.dotProduct(deriv(t)) / slope, a, b);
      if (!(next != t)) break;
      t = next;
    }
    consider(t);
  }
  return best;
}

double EllipseFrame::distanceTo(const XtGePoint2d& p) const {
  const double t = closestParam(p);
  if (std::isnan(t)) return std::numeric_limits<double>::infinity();
  return p.distanceTo(eval(t));
}

double EllipseFrame::signedDistance(const XtGePoint2d& p) const {
  const double det = a.crossProduct(b);
  const double scale = std::max(a.lengthSqrd(), b.lengthSqrd());
  if (!(std::fabs(det) > 1e-14 * scale)) {
    // Degenerate (flat) ellipse: the unsigned distance to the whole curve.
    EllipseFrame whole = *this;
    whole.end = whole.start + XtGe::kTwoPi;
    return whole.distanceTo(p);
  }
  // q = M^-1 (p - centre) with M = [a b]; g = |q|^2 - 1; grad g = 2 M^-T q.
  const XtGeVector2d d = p - centre;
  const double qx = d.crossProduct(b) / det;
  const double qy = a.crossProduct(d) / det;
  const double g = qx * qx + qy * qy - 1.0;
  // M^-T q: rows of M^-1 are (b.y, -b.x)/det and (-a.y, a.x)/det.
  const double gx = 2.0 * (qx * b.y - qy * a.y) / det;
  const double gy = 2.0 * (-qx * b.x + qy * a.x) / det;
  const double gl = std::hypot(gx, gy);
  if (!(gl > 0.0)) return -std::sqrt(std::min(a.lengthSqrd(), b.lengthSqrd()));  // the centre
  return g / gl;
}

double EllipseFrame::arcLength(double t0, double t1) const {
  if (!std::isfinite(t0) || !std::isfinite(t1)) return std::numeric_limits<double>::quiet_NaN();
  if (t1 < t0) std::swap(t0, t1);
  if (t1 == t0) return 0.0;
  auto speed = [&](double t) { return deriv(t).length(); };
  // Whole quarter turns are integrated separately, so the integrand is smooth
  // on every piece.
  const double quarter = XtGe::kHalfPi;
  double total = 0.0;
  double s = t0;
  for (int i = 0; s < t1 && i < 1 << 20; ++i) {
    const double e = std::min(t1, s + quarter);
    total += integrate(speed, s, e, 1e-13, 24);
    s = e;
  }
  return total;
}

double EllipseFrame::paramAtLength(double t0, double len, double dir, double limit) const {
  if (!(len > 0.0)) return t0;
  const double full = arcLength(t0, limit);
  if (!(len < full)) return limit;
  // Bisection on the length, then Newton steps with the speed.
  double lo = std::min(t0, limit);
  double hi = std::max(t0, limit);
  auto walked = [&](double t) { return arcLength(t0, t); };
  double t = t0 + dir * (len / std::max(full, 1e-300)) * std::fabs(limit - t0);
  for (int i = 0; i < 100; ++i) {
    const double f = walked(t) - len;
    if (std::fabs(f) <= 1e-13 * std::max(len, 1.0)) break;
    // Keep the bracket: lengths grow away from t0.
    if ((f < 0.0) == (dir > 0.0))
      lo = t;
    else
      hi = t;
    const double v = deriv(t).length();
    double next = v > 0.0 ? t - dir * f / v : 0.5 * (lo + hi);
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (next == t) break;
    t = next;
  }
  return t;
}

EllipseFrame frameOf(const XtGeEllipArc2d& arc) {
  EllipseFrame f;
  f.centre = arc.center();
  f.a = arc.majorAxis() * arc.majorRadius();
  f.b = arc.minorAxis() * arc.minorRadius();
  f.start = arc.startAng();
  f.end = arc.endAng();
  return f;
}

}  // namespace GeKernel
