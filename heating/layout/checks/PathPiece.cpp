#include "heating/layout/checks/PathPiece.h"
#include "heating/layout/offsets/PointSegmentDistance.h"

#include "platform/ge/XtGe.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <algorithm>
#include <cmath>

namespace {

using XtGe::kPi;
using XtGe::kTwoPi;

double angleOf(const XtGeVector2d& v) { return std::atan2(v.y, v.x); }

XtGePoint2d onCircle(const XtGePoint2d& centre, double radius, double angle) {
  return {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
}

// The angle from the arc's start to `angle`, in the arc's own sense, in
// [0, 2 pi).
double angleFromStart(const PathPiece& arc, double angle) {
  double delta = std::fmod(arc.sweep >= 0.0 ? angle - arc.startAngle : arc.startAngle - angle, kTwoPi);
  if (delta < 0.0) delta += kTwoPi;
  return delta;
}

// The arc length along the arc of the point at the world angle, which lies
// within its sweep up to `angleTol`: just before the start counts as 0.
double arcLengthAt(const PathPiece& arc, double angle, double angleTol) {
  const double delta = angleFromStart(arc, angle);
  if (delta >= kTwoPi - angleTol) return 0.0;
  return std::min(delta, std::fabs(arc.sweep)) * arc.radius;
}

bool opposite(double u, double v) { return (u > 0.0 && v < 0.0) || (u < 0.0 && v > 0.0); }

double lineLineDistance(const PathPiece& a, const PathPiece& b) {
  const XtGeVector2d da = a.end - a.start;
  const XtGeVector2d db = b.end - b.start;
  if (opposite(da.crossProduct(b.start - a.start), da.crossProduct(b.end - a.start)) &&
      opposite(db.crossProduct(a.start - b.start), db.crossProduct(a.end - b.start)))
    return 0.0;
  // Touches and shared stretches put an end on the other piece.
  return std::min({pointSegmentDistance(a.start, b.start, b.end), pointSegmentDistance(a.end, b.start, b.end),
                   pointSegmentDistance(b.start, a.start, a.end), pointSegmentDistance(b.end, a.start, a.end)});
}

// The fractions along the segment where its line meets the circle, into
// `t` (0, 1 or 2 of them; a tangent counts once when the line passes
// within `tol` of the circle).
int lineCircleFractions(const XtGePoint2d& s, const XtGePoint2d& e, const XtGePoint2d& centre, double radius,
                        double tol, double (&t)[2]) {
  const XtGeVector2d w = e - s;
  const XtGeVector2d f = s - centre;
  const double a = w.dotProduct(w);
  if (!(a > 0.0)) return 0;
  const double b = 2.0 * w.dotProduct(f);
  const double c = f.dotProduct(f) - radius * radius;
  const double disc = b * b - 4.0 * a * c;
  const double foot = -b / (2.0 * a);
  if (disc < 0.0) {
    const double gap = (s + w * foot).distanceTo(centre) - radius;
    if (gap > tol) return 0;
    t[0] = foot;
    return 1;
  }
  const double root = std::sqrt(disc) / (2.0 * a);
  t[0] = foot - root;
  t[1] = foot + root;
  return root > 0.0 ? 2 : 1;
}

double lineArcDistance(const PathPiece& line, const PathPiece& arc) {
  double crossings[2];
  const int n = lineCircleFractions(line.start, line.end, arc.centre, arc.radius, 0.0, crossings);
  for (int i = 0; i < n; ++i) {
    if (crossings[i] < 0.0 || crossings[i] > 1.0) continue;
    const XtGePoint2d p = line.start + (line.end - line.start) * crossings[i];
    if (arc.spansAngle(angleOf(p - arc.centre), 0.0)) return 0.0;
  }
  double best = std::min({arc.distanceTo(line.start), arc.distanceTo(line.end),
                          pointSegmentDistance(arc.start, line.start, line.end),
                          pointSegmentDistance(arc.end, line.start, line.end)});
  // The point of the arc nearest the segment's line lies toward the foot
  // of the perpendicular from the centre.
  const XtGeVector2d w = line.end - line.start;
  const double span = w.dotProduct(w);
  if (span > 0.0) {
    const double t = std::clamp((arc.centre - line.start).dotProduct(w) / span, 0.0, 1.0);
    const XtGeVector2d toFoot = (line.start + w * t) - arc.centre;
    const double reach = toFoot.length();
    if (reach > 0.0 && arc.spansAngle(angleOf(toFoot), 0.0))
      best = std::min(best, pointSegmentDistance(arc.centre + toFoot * (arc.radius / reach), line.start, line.end));
  }
  return best;
}

// The crossing points of two circles, into `p` (0, 1 or 2; a touch within
// tol counts once). Concentric circles give none.
int circleCrossings(const PathPiece& a, const PathPiece& b, double tol, XtGePoint2d (&p)[2]) {
  const XtGeVector2d between = b.centre - a.centre;
  const double d = between.length();
  if (!(d > 0.0) || d > a.radius + b.radius + tol || d < std::fabs(a.radius - b.radius) - tol) return 0;
  const XtGeVector2d u = between / d;
  const XtGeVector2d n(-u.y, u.x);
  const double x = (d * d + a.radius * a.radius - b.radius * b.radius) / (2.0 * d);
  const double h = std::sqrt(std::max(0.0, a.radius * a.radius - x * x));
  p[0] = a.centre + u * x + n * h;
  p[1] = a.centre + u * x - n * h;
  return h > 0.0 ? 2 : 1;
}

double arcArcDistance(const PathPiece& a, const PathPiece& b) {
  XtGePoint2d crossings[2];
  const int n = circleCrossings(a, b, 0.0, crossings);
  for (int i = 0; i < n; ++i)
    if (a.spansAngle(angleOf(crossings[i] - a.centre), 0.0) && b.spansAngle(angleOf(crossings[i] - b.centre), 0.0))
      return 0.0;
  double best = std::min({b.distanceTo(a.start), b.distanceTo(a.end), a.distanceTo(b.start), a.distanceTo(b.end)});
  const XtGeVector2d between = b.centre - a.centre;
  const double d = between.length();
  if (!(d > 0.0)) {
    // One centre: where the sweeps overlap the arcs are |ra - rb| apart.
    if (a.spansAngle(b.startAngle, 0.0) || b.spansAngle(a.startAngle, 0.0))
      best = std::min(best, std::fabs(a.radius - b.radius));
    return best;
  }
  // Interior pairs of nearest points lie on the line through both centres.
  const double toward = angleOf(between);
  for (const double angle : {toward, toward + kPi}) {
    if (a.spansAngle(angle, 0.0)) best = std::min(best, b.distanceTo(onCircle(a.centre, a.radius, angle)));
    if (b.spansAngle(angle, 0.0)) best = std::min(best, a.distanceTo(onCircle(b.centre, b.radius, angle)));
  }
  return best;
}

void add(double value, double (&at)[4], int& n) {
  if (n < 4) at[n++] = value;
}

int lineMeetingsAlong(const PathPiece& a, const PathPiece& b, double tol, double (&at)[4]) {
  int n = 0;
  const XtGeVector2d w = a.end - a.start;
  const double length = w.length();
  if (b.isArc) {
    double t[2];
    const int count = lineCircleFractions(a.start, a.end, b.centre, b.radius, tol, t);
    const double slack = tol / length;
    for (int i = 0; i < count; ++i) {
      if (t[i] < -slack || t[i] > 1.0 + slack) continue;
      const XtGePoint2d p = a.start + w * t[i];
      if (b.spansAngle(angleOf(p - b.centre), tol / b.radius)) add(std::clamp(t[i], 0.0, 1.0) * length, at, n);
    }
    return n;
  }
  const XtGeVector2d v = b.end - b.start;
  const double otherLength = v.length();
  const double denominator = w.crossProduct(v);
  const XtGeVector2d offset = b.start - a.start;
  if (std::fabs(denominator) <= 1e-12 * length * otherLength) {
    // Parallel: only a shared line meets, along the stretch both cover.
    if (std::fabs(w.crossProduct(offset)) / length > tol) return 0;
    const double t0 = offset.dotProduct(w) / length;
    const double t1 = (b.end - a.start).dotProduct(w) / length;
    const double low = std::max(0.0, std::min(t0, t1));
    const double high = std::min(length, std::max(t0, t1));
    if (low > high + tol) return 0;
    add(std::min(low, length), at, n);
    add(std::max(high, 0.0), at, n);
    return n;
  }
  const double t = offset.crossProduct(v) / denominator;
  const double u = offset.crossProduct(w) / denominator;
  const double slackA = tol / length;
  const double slackB = otherLength > 0.0 ? tol / otherLength : 0.0;
  if (t >= -slackA && t <= 1.0 + slackA && u >= -slackB && u <= 1.0 + slackB)
    add(std::clamp(t, 0.0, 1.0) * length, at, n);
  return n;
}

int arcMeetingsAlong(const PathPiece& a, const PathPiece& b, double tol, double (&at)[4]) {
  int n = 0;
  const double angleTol = tol / a.radius;
  if (!b.isArc) {
    double t[2];
    const int count = lineCircleFractions(b.start, b.end, a.centre, a.radius, tol, t);
    const double slack = b.length() > 0.0 ? tol / b.length() : 0.0;
    for (int i = 0; i < count; ++i) {
      if (t[i] < -slack || t[i] > 1.0 + slack) continue;
      const double angle = angleOf(b.start + (b.end - b.start) * t[i] - a.centre);
      if (a.spansAngle(angle, angleTol)) add(arcLengthAt(a, angle, angleTol), at, n);
    }
    return n;
  }
  if (a.centre.distanceTo(b.centre) <= tol && std::fabs(a.radius - b.radius) <= tol) {
    // One circle: the ends of the stretches both cover.
    for (const XtGePoint2d& end : {b.start, b.end}) {
      const double angle = angleOf(end - a.centre);
      if (a.spansAngle(angle, angleTol)) add(arcLengthAt(a, angle, angleTol), at, n);
    }
    const double otherTol = tol / b.radius;
    if (b.spansAngle(a.startAngle, otherTol)) add(0.0, at, n);
    if (b.spansAngle(a.startAngle + a.sweep, otherTol)) add(a.length(), at, n);
    return n;
  }
  XtGePoint2d crossings[2];
  const int count = circleCrossings(a, b, tol, crossings);
  for (int i = 0; i < count; ++i) {
    const double angle = angleOf(crossings[i] - a.centre);
    if (a.spansAngle(angle, angleTol) && b.spansAngle(angleOf(crossings[i] - b.centre), tol / b.radius))
      add(arcLengthAt(a, angle, angleTol), at, n);
  }
  return n;
}

}  // namespace

PathPiece PathPiece::line(const XtGePoint2d& start, const XtGePoint2d& end) {
  return {start, end, false, XtGePoint2d(), 0.0, 0.0, 0.0};
}

PathPiece PathPiece::arc(const XtGePoint2d& centre, double radius, double startAngle, double sweep) {
  const double turned = std::clamp(sweep, -kTwoPi, kTwoPi);
  return {onCircle(centre, radius, startAngle), onCircle(centre, radius, startAngle + turned), true, centre, radius,
          startAngle, turned};
}

bool PathPiece::fromCurve(const XtGeCurve2d& curve, PathPiece& piece) {
  if (curve.type() == XtGe::kLineSeg2d) {
    const auto& segment = static_cast<const XtGeLineSeg2d&>(curve);
    piece = line(segment.startPoint(), segment.endPoint());
    return true;
  }
  if (curve.type() != XtGe::kCircArc2d) return false;
  // P(t) = C + R (cos t r + sin t n): world angle ref + t counter-clockwise,
  // ref - t clockwise.
  const auto& circular = static_cast<const XtGeCircArc2d&>(curve);
  const double reference = angleOf(circular.refVec());
  const double span = circular.endAng() - circular.startAng();
  piece = circular.isClockWise() ? arc(circular.center(), circular.radius(), reference - circular.startAng(), -span)
                                 : arc(circular.center(), circular.radius(), reference + circular.startAng(), span);
  return true;
}

double PathPiece::length() const { return isArc ? radius * std::fabs(sweep) : start.distanceTo(end); }

XtGePoint2d PathPiece::at(double s) const {
  const double total = length();
  if (!(total > 0.0)) return start;
  const double fraction = std::clamp(s / total, 0.0, 1.0);
  return isArc ? onCircle(centre, radius, startAngle + sweep * fraction) : start + (end - start) * fraction;
}

PathPiece PathPiece::part(double from, double to) const {
  const double total = length();
  if (!(total > 0.0)) return *this;
  const double a = std::clamp(from / total, 0.0, 1.0);
  const double b = std::clamp(to / total, a, 1.0);
  if (!isArc) return line(start + (end - start) * a, start + (end - start) * b);
  return arc(centre, radius, startAngle + sweep * a, sweep * (b - a));
}

void PathPiece::box(double margin, double (&b)[4]) const {
  b[0] = std::min(start.x, end.x);
  b[1] = std::min(start.y, end.y);
  b[2] = std::max(start.x, end.x);
  b[3] = std::max(start.y, end.y);
  if (isArc) {
    // The quadrant points the arc passes.
    for (int k = 0; k < 4; ++k) {
      const double angle = k * 0.5 * kPi;
      if (!spansAngle(angle, 0.0)) continue;
      const XtGePoint2d p = onCircle(centre, radius, angle);
      b[0] = std::min(b[0], p.x);
      b[1] = std::min(b[1], p.y);
      b[2] = std::max(b[2], p.x);
      b[3] = std::max(b[3], p.y);
    }
  }
  b[0] -= margin;
  b[1] -= margin;
  b[2] += margin;
  b[3] += margin;
}

double PathPiece::distanceTo(const XtGePoint2d& p) const {
  if (!isArc) return pointSegmentDistance(p, start, end);
  const XtGeVector2d v = p - centre;
  const double reach = v.length();
  if (!(reach > 0.0)) return radius;
  if (spansAngle(angleOf(v), 0.0)) return std::fabs(reach - radius);
  return std::min(p.distanceTo(start), p.distanceTo(end));
}

bool PathPiece::isFinite() const {
  const double values[] = {start.x, start.y, end.x, end.y, centre.x, centre.y, radius, startAngle, sweep};
  return std::all_of(std::begin(values), std::end(values), [](double v) { return std::isfinite(v); });
}

bool PathPiece::spansAngle(double angle, double tol) const {
  if (!isArc) return false;
  if (std::fabs(sweep) >= kTwoPi) return true;
  const double delta = angleFromStart(*this, angle);
  return delta <= std::fabs(sweep) + tol || delta >= kTwoPi - tol;
}

double distanceBetween(const PathPiece& a, const PathPiece& b) {
  // A piece without length is the point at its start.
  if (!(a.length() > 0.0)) return b.distanceTo(a.start);
  if (!(b.length() > 0.0)) return a.distanceTo(b.start);
  if (!a.isArc && !b.isArc) return lineLineDistance(a, b);
  if (!a.isArc) return lineArcDistance(a, b);
  if (!b.isArc) return lineArcDistance(b, a);
  return arcArcDistance(a, b);
}

int meetingsAlong(const PathPiece& a, const PathPiece& b, double tol, double (&at)[4]) {
  if (!(a.length() > 0.0)) {
    if (b.distanceTo(a.start) > tol) return 0;
    at[0] = 0.0;
    return 1;
  }
  // A point meets nothing that the pieces beside it do not.
  if (!(b.length() > 0.0)) return 0;
  return a.isArc ? arcMeetingsAlong(a, b, tol, at) : lineMeetingsAlong(a, b, tol, at);
}
