#include "platform/ge/internal/GeArcFrame.h"

#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/internal/GeAngle.h"
#include "platform/ge/internal/GeLinearSpan.h"

#include <algorithm>
#include <limits>

namespace GeKernel {

double ArcFrame::angleOf(const XtGeVector2d& d) const {
  if (d.x == 0.0 && d.y == 0.0) return 0.0;
  return normalizeAngle(std::atan2(d.dotProduct(yAxis), d.dotProduct(xAxis)));
}

double ArcFrame::paramOfDirection(const XtGeVector2d& d, bool& inside) const {
  const double t = angleFrom(angleOf(d), start);
  inside = t <= end;
  return t;
}

double ArcFrame::closestParam(const XtGePoint2d& p) const {
  bool inside = false;
  return closestParam(p, inside);
}

double ArcFrame::closestParam(const XtGePoint2d& p, bool& inside) const {
  inside = false;
  if (!p.isFinite()) return std::numeric_limits<double>::quiet_NaN();
  const XtGeVector2d d = p - centre;
  if (d.x == 0.0 && d.y == 0.0) return start;
  const double t = paramOfDirection(d, inside);
  if (inside) return t;
  // Outside the sweep: the nearer end by angle (the chord distance to an end
  // grows with the angular gap).
  const double gapToEnd = t - end;
  const double gapToStart = start + XtGe::kTwoPi - t;
  return gapToStart <= gapToEnd ? start : end;
}

double ArcFrame::distanceTo(const XtGePoint2d& p) const {
  bool inside = false;
  const double t = closestParam(p, inside);
  if (std::isnan(t)) return std::numeric_limits<double>::infinity();
  if (inside) return std::fabs(p.distanceTo(centre) - radius);
  return p.distanceTo(eval(t));
}

ArcFrame frameOf(const XtGeCircArc2d& arc) {
  ArcFrame f;
  f.centre = arc.center();
  f.radius = arc.radius();
  f.xAxis = arc.refVec();
  f.yAxis = arc.isClockWise() ? -f.xAxis.perpVector() : f.xAxis.perpVector();
  f.start = arc.startAng();
  f.end = arc.endAng();
  return f;
}

int intersectLineCircle(const XtGePoint2d& base, const XtGeVector2d& vec,
                        const XtGePoint2d& centre, double r, const XtGeTol& tol, double t[2],
                        bool& tangent) {
  tangent = false;
  const double len = vec.length();
  if (!(len > 0.0) || !std::isfinite(len) || !std::isfinite(r)) return 0;
  const XtGeVector2d u = vec / len;
  const XtGeVector2d w = base - centre;
  const double foot = -w.dotProduct(u);        // distance along u from base to the foot
  const double d = std::fabs(w.crossProduct(u));  // distance of the centre from the line
  if (!std::isfinite(foot) || !std::isfinite(d)) return 0;
  const double ep = tol.equalPoint();
  if (d > r + ep) return 0;
  const double h2 = (r - d) * (r + d);
  const double h = h2 > 0.0 ? std::sqrt(h2) : 0.0;
  // A line within the rounding noise of touching the circle touches it: the
  // two crossings that noise splits it into lie about sqrt(r * noise) apart,
  // far more than the noise itself.
  const double noise = numericFloor(std::max({std::fabs(base.x), std::fabs(base.y),
                                              std::fabs(centre.x), std::fabs(centre.y)}) + r);
  if (2.0 * h <= ep || r - d <= noise) {
    tangent = true;
    t[0] = foot / len;
    return 1;
  }
  t[0] = (foot - h) / len;
  t[1] = (foot + h) / len;
  return 2;
}

int intersectCircleCircle(const XtGePoint2d& c1, double r1, const XtGePoint2d& c2, double r2,
                          const XtGeTol& tol, XtGePoint2d p[2], bool& tangent) {
  tangent = false;
  const double ep = tol.equalPoint();
  const XtGeVector2d v = c2 - c1;
  const double d = v.length();
  if (!std::isfinite(d) || !std::isfinite(r1) || !std::isfinite(r2)) return 0;
  if (d <= ep && std::fabs(r1 - r2) <= ep) return -1;
  if (!(d > 0.0)) return 0;
  if (d > r1 + r2 + ep || d < std::fabs(r1 - r2) - ep) return 0;
  // Measure the chord from the centre of the smaller circle: from the larger
  // one, a nearly flat arc (radius many thousand times the distances that
  // matter) loses the crossing to cancellation in r² − a².
  const bool fromFirst = r1 <= r2;
  const XtGePoint2d& c = fromFirst ? c1 : c2;
  const double r = fromFirst ? r1 : r2;
  const double rOther = fromFirst ? r2 : r1;
  const XtGeVector2d e = fromFirst ? v / d : -v / d;
  // Distance from c to the chord through both crossings, along e.
  const double a = 0.5 * (d + (r - rOther) * (r + rOther) / d);
  const double h2 = (r - a) * (r + a);
  const double h = h2 > 0.0 ? std::sqrt(h2) : 0.0;
  // Circles within the rounding noise of touching (outside or inside) touch.
  const double noise = numericFloor(std::max({std::fabs(c1.x), std::fabs(c1.y), std::fabs(c2.x),
                                              std::fabs(c2.y)}) + std::max(r1, r2));
  const double depth = std::min(r1 + r2 - d, d - std::fabs(r1 - r2));
  if (2.0 * h <= ep || depth <= noise) {
    tangent = true;
    p[0] = c + e * (a >= 0.0 ? r : -r);
    return 1;
  }
  // The first point lies to the left of the line from c1 towards c2.
  const XtGePoint2d m = c + e * a;
  const XtGeVector2d left = (v / d).perpVector();
  p[0] = m + left * h;
  p[1] = m - left * h;
  return 2;
}

namespace {

struct Range {
  double lo;
  double hi;
};

// Intersection of [lo, hi] with the circular range [s, s + w] (w <= 2*pi),
// where s has been brought into [lo, lo + 2*pi): up to two pieces.
int intersectCircularRanges(Range a, double s, double w, Range out[2]) {
  int n = 0;
  const Range shifted[2] = {{s - XtGe::kTwoPi, s - XtGe::kTwoPi + w}, {s, s + w}};
  for (const Range& b : shifted) {
    const double lo = std::max(a.lo, b.lo);
    const double hi = std::min(a.hi, b.hi);
    if (hi >= lo) out[n++] = {lo, hi};
  }
  return n;
}

}  // namespace

ArcOverlaps coincidentArcOverlaps(const ArcFrame& a, const ArcFrame& b, const XtGeTol& tol) {
  ArcOverlaps r;
  const double radius = std::max(a.radius, b.radius);
  if (!(radius > 0.0) || !std::isfinite(radius)) return r;
  const double ep = tol.equalPoint();
  const double delta = std::min(ep / radius, XtGe::kPi);  // tolerance as an angle

  // b's parameter of a's angle alpha is sigma*alpha + beta0 (mod 2*pi).
  const double sigma = a.yAxis.dotProduct(a.xAxis.perpVector()) *
                               b.yAxis.dotProduct(b.xAxis.perpVector()) >
                           0.0
                       ? 1.0
                       : -1.0;
  const double beta0 = b.angleOf(a.xAxis);
  auto bParamOf = [&](double alpha) {
    const double beta = angleFrom(sigma * alpha + beta0, b.start);
    if (beta <= b.end || b.isFull()) return beta;
    // Just outside b's range through rounding: the nearer end.
    return (beta - b.end) <= (b.start + XtGe::kTwoPi - beta) ? b.end : b.start;
  };
  // b's stretch in a's angles: [alpha0, alpha0 + wb].
  auto aAngleOf = [&](double beta) { return sigma * (beta - beta0); };
  const double wb = std::min(b.sweep(), XtGe::kTwoPi);
  const double alpha0 = sigma > 0.0 ? aAngleOf(b.start) : aAngleOf(b.end);

  Range pieces[2];
  int n = 0;
  if (b.isFull())
    pieces[n++] = {a.start, a.end};
  else
    n = intersectCircularRanges({a.start, a.end}, angleFrom(alpha0, a.start), wb, pieces);
  for (int i = 0; i < n; ++i) {
    if ((pieces[i].hi - pieces[i].lo) * radius > ep && r.numOverlaps < 2) {
      const int k = r.numOverlaps++;
      r.a0[k] = pieces[i].lo;
      r.a1[k] = pieces[i].hi;
      r.b0[k] = bParamOf(pieces[i].lo);
      r.b1[k] = bParamOf(pieces[i].hi);
    }
  }
  if (a.isFull() && b.isFull()) {
    // Two whole circles: the whole intervals, in matching directions.
    r.b0[0] = sigma > 0.0 ? b.start : b.end;
    r.b1[0] = sigma > 0.0 ? b.end : b.start;
    return r;
  }

  // Touches: stretches that meet only within the tolerance.
  const bool aNearlyFull = a.isFull() || a.sweep() + 2.0 * delta >= XtGe::kTwoPi;
  const double aLo = aNearlyFull ? a.start : a.start - delta;
  const double aHi = aNearlyFull ? a.end : a.end + delta;
  const double wbWide = b.isFull() ? wb : std::min(wb + 2.0 * delta, XtGe::kTwoPi);
  Range widened[2];
  const int m =
      intersectCircularRanges({aLo, aHi}, angleFrom(alpha0 - delta, aLo), wbWide, widened);
  for (int i = 0; i < m && r.numTouches < 2; ++i) {
    bool coveredByOverlap = false;
    for (int k = 0; k < r.numOverlaps; ++k)
      if (widened[i].hi >= r.a0[k] && widened[i].lo <= r.a1[k]) coveredByOverlap = true;
    if (coveredByOverlap) continue;
    const double mid = std::clamp(0.5 * (widened[i].lo + widened[i].hi), a.start, a.end);
    const int k = r.numTouches++;
    r.touchA[k] = mid;
    r.touchB[k] = bParamOf(mid);
  }
  return r;
}

}  // namespace GeKernel
