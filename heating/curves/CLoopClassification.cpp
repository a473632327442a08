// Where a point lies against a loop: the part of CLoop that classifies.
//
// The ray test counts every crossing of the ray with every simple piece of an
// element (an arc may be crossed twice), and gives up on a direction whenever
// a crossing could be miscounted: the ray runs along an element's chord or a
// straight piece, passes through the end of a piece (a joint of the loop or a
// vertex inside a polyline) or touches an arc. Turning by pi/5 gives ten
// directions; when every one is spoilt, the winding number decides, which
// needs no ray at all. Nothing here allocates.
#include "heating/curves/CLoop.h"

#include "geometry/Tolerances.h"
#include "geometry/forEachSimplePiece.h"

#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kRayTurn = std::numbers::pi / 5.0;
// Turns of pi/5 come back to the first direction after ten.
constexpr int kRayDirections = 10;

// A ray from `origin` along the unit vector `dir`, counting crossings.
class RayCounter {
 public:
  RayCounter(const XtGePoint2d& origin, const XtGeVector2d& dir, double tol)
      : origin_(origin), dir_(dir), tol_(tol) {}

  // Adds the piece's crossings; false when the direction is spoilt.
  bool addPiece(const XtGeCurve2d& piece) {
    if (piece.type() == XtGe::kLineSeg2d) {
      const auto& seg = static_cast<const XtGeLineSeg2d&>(piece);
      return addSegment(seg.startPoint(), seg.endPoint());
    }
    if (piece.type() == XtGe::kCircArc2d) return addArc(static_cast<const XtGeCircArc2d&>(piece));
    return false;  // heating curves hold segments and arcs only
  }

  int count() const { return count_; }

 private:
  double side(const XtGePoint2d& p) const { return dir_.crossProduct(p - origin_); }
  double along(const XtGePoint2d& p) const { return dir_.dotProduct(p - origin_); }

  bool addSegment(const XtGePoint2d& a, const XtGePoint2d& b) {
    const double sa = side(a);
    const double sb = side(b);
    const bool aOnLine = std::fabs(sa) <= tol_;
    const bool bOnLine = std::fabs(sb) <= tol_;
    // An end on the ray's line ahead of the origin: the crossing there (if
    // any) is shared with the next piece. Both ends: the piece runs along it.
    if ((aOnLine && along(a) > 0.0) || (bOnLine && along(b) > 0.0)) return false;
    if (aOnLine || bOnLine || (sa > 0.0) == (sb > 0.0)) return true;
    const double t = sa / (sa - sb);
    const XtGePoint2d hit = a + (b - a) * t;
    if (along(hit) > 0.0) ++count_;
    return true;
  }

  bool addArc(const XtGeCircArc2d& arc) {
    const XtGePoint2d centre = arc.center();
    const double r = arc.radius();
    const double sc = side(centre);
    const double footAlong = along(centre);
    if (std::fabs(std::fabs(sc) - r) <= tol_) {
      // The ray's line touches the circle: a touch ahead proves nothing.
      return footAlong <= 0.0;
    }
    if (std::fabs(sc) > r) return true;
    const double half = std::sqrt((r - sc) * (r + sc));
    const XtGePoint2d start = arc.startPoint();
    const XtGePoint2d end = arc.endPoint();
    const XtGeTol onArc(tol_, tol_);
    for (const double s : {footAlong - half, footAlong + half}) {
      if (!(s > 0.0)) continue;
      const XtGePoint2d hit = origin_ + dir_ * s;
      if (hit.isEqualTo(start, onArc) || hit.isEqualTo(end, onArc)) return false;
      if (arc.isOn(hit, onArc)) ++count_;
    }
    return true;
  }

  XtGePoint2d origin_;
  XtGeVector2d dir_;
  double tol_;
  int count_ = 0;
};

// The angle a piece sweeps as seen from p (p not on the piece), positive
// counter-clockwise.
double sweptAngle(const XtGeCurve2d& piece, const XtGePoint2d& p) {
  XtGePoint2d a;
  XtGePoint2d b;
  if (!piece.hasStartPoint(a) || !piece.hasEndPoint(b)) return 0.0;
  const XtGeVector2d pa = a - p;
  const XtGeVector2d pb = b - p;
  const double chordAngle = std::atan2(pa.crossProduct(pb), pa.dotProduct(pb));
  if (piece.type() != XtGe::kCircArc2d) return chordAngle;  // other pieces: their chord

  const auto& arc = static_cast<const XtGeCircArc2d&>(piece);
  const double turn = arc.isClockWise() ? -1.0 : 1.0;
  const bool inDisc = arc.center().distanceTo(p) < arc.radius();
  if (arc.isFullCircle()) return inDisc ? turn * 2.0 * std::numbers::pi : 0.0;
  // The arc and its chord bound a circular segment, which the arc followed
  // by the chord back winds once round (in the arc's sense). A point inside
  // that segment sees the arc sweep one full turn more than the chord.
  const XtGeVector2d chord = b - a;
  const double arcSide = chord.crossProduct(arc.evalPoint((arc.startAng() + arc.endAng()) * 0.5) - a);
  const double pointSide = chord.crossProduct(p - a);
  if (inDisc && pointSide == 0.0 && pa.dotProduct(pb) < 0.0) return turn * std::numbers::pi;  // on the chord
  if (inDisc && pointSide * arcSide > 0.0) return chordAngle + turn * 2.0 * std::numbers::pi;
  return chordAngle;
}

}  // namespace

int CLoop::classifyPoint(const XtGePoint2d& point, const XtGeTol& tol) const {
  for (int i = 0; i < elementCount(); ++i) {
    const CLoopElement* element = elementWithCurve(i);
    if (element != nullptr && element->curve->geCurve().isOn(point, tol)) return kOnLoop;
  }

  const double rayTol = workTol.equalPoint();
  for (int turn = 0; turn < kRayDirections; ++turn) {
    const double angle = turn * kRayTurn;
    const XtGeVector2d dir = turn == 0 ? XtGeVector2d(1.0, 0.0) : XtGeVector2d(std::cos(angle), std::sin(angle));
    const XtGeRay2d ray(point, dir);
    RayCounter counter(point, dir, rayTol);
    bool spoilt = false;
    for (int i = 0; i < elementCount() && !spoilt; ++i) {
      const CLoopElement* element = elementWithCurve(i);
      if (element == nullptr) continue;
      if (!element->startPoint().isEqualTo(element->endPoint(), workTol) &&
          element->curve->chordLine().isColinearTo(ray, workTol)) {
        spoilt = true;
        break;
      }
      spoilt = !forEachSimplePiece(element->curve->geCurve(),
                                   [&](const XtGeCurve2d& piece) { return counter.addPiece(piece); });
    }
    if (!spoilt) return counter.count() % 2 == 1 ? kInside : kOutside;
  }

  // Every direction ran into a joint or along a piece: count the turns the
  // loop makes around the point instead.
  return windingNumber(point) != 0 ? kInside : kOutside;
}

int CLoop::windingNumber(const XtGePoint2d& point) const {
  double total = 0.0;
  for (int i = 0; i < elementCount(); ++i) {
    const CLoopElement* element = elementWithCurve(i);
    if (element == nullptr) continue;
    forEachSimplePiece(element->curve->geCurve(), [&](const XtGeCurve2d& piece) {
      total += sweptAngle(piece, point);
      return true;
    });
  }
  const double turns = total / (2.0 * std::numbers::pi);
  return std::isfinite(turns) ? static_cast<int>(std::lround(turns)) : 0;
}

int CLoop::classifyPoints(const XtGePoint2dArray& points, const XtGeTol& tol) const {
  bool anyOn = false;
  for (const XtGePoint2d& p : points) {
    const int position = classifyPoint(p, tol);
    if (position == kInside) return kInside;
    if (position == kOnLoop) anyOn = true;
  }
  return anyOn ? kOnLoop : kOutside;
}
