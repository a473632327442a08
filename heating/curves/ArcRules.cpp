#include "heating/curves/ArcRules.h"

#include "geometry/Tolerances.h"

#include <cmath>

namespace {

XtGeVector2d unitReference(const XtGeCircArc2d& arc) {
  const XtGeVector2d ref = arc.refVec();
  const double len = ref.length();
  return len > 0.0 ? ref / len : XtGeVector2d::kXAxis;
}

XtGePoint2d middle(const XtGePoint2d& a, const XtGePoint2d& b) {
  return {(a.x + b.x) * 0.5, (a.y + b.y) * 0.5};
}

// Where the lines (p, u) and (q, v) meet in one point; false when they are
// parallel (tol) or one of them has no direction.
bool meetingPoint(const XtGePoint2d& p, const XtGeVector2d& u, const XtGePoint2d& q, const XtGeVector2d& v,
                  const XtGeTol& tol, XtGePoint2d& at) {
  if (u.isParallelTo(v, tol)) return false;
  const double det = u.crossProduct(v);
  if (det == 0.0 || !std::isfinite(det)) return false;
  const XtGePoint2d meet = p + u * ((q - p).crossProduct(v) / det);
  if (!meet.isFinite()) return false;
  at = meet;
  return true;
}

// The centre of the arc carried by the similarity that takes the chord
// (a0, a1) to (b0, b1).
XtGePoint2d carriedCentre(const XtGePoint2d& centre, const XtGePoint2d& a0, const XtGePoint2d& a1,
                          const XtGePoint2d& b0, const XtGePoint2d& b1) {
  const XtGeVector2d oldChord = a1 - a0;
  const XtGeVector2d newChord = b1 - b0;
  XtGeVector2d arm = centre - middle(a0, a1);
  const double oldLen = oldChord.length();
  if (oldLen > 0.0 && std::isfinite(oldLen)) {
    // Rotation and scale in one complex factor newChord / oldChord.
    const double re = (newChord.x * oldChord.x + newChord.y * oldChord.y) / (oldLen * oldLen);
    const double im = (newChord.y * oldChord.x - newChord.x * oldChord.y) / (oldLen * oldLen);
    arm = XtGeVector2d(arm.x * re - arm.y * im, arm.x * im + arm.y * re);
  }
  return middle(b0, b1) + arm;
}

}  // namespace

double angleInArcFrame(const XtGeCircArc2d& arc, const XtGePoint2d& centre, const XtGePoint2d& p) {
  const XtGeVector2d ref = unitReference(arc);
  const XtGeVector2d v = p - centre;
  double angle = std::atan2(ref.crossProduct(v), ref.dotProduct(v));
  if (arc.isClockWise()) angle = -angle;
  if (angle < 0.0) angle += XtGe::kTwoPi;
  if (!(angle < XtGe::kTwoPi)) angle = 0.0;  // -0 rounded up, or NaN
  return angle;
}

XtGeVector2d radialAtAngle(const XtGeCircArc2d& arc, double angle) {
  const XtGeVector2d ref = unitReference(arc);
  const XtGeVector2d normal = arc.isClockWise() ? -ref.perpVector() : ref.perpVector();
  return ref * std::cos(angle) + normal * std::sin(angle);
}

void reverseGeCurve(XtGeCurve2d& curve) {
  if (curve.type() != XtGe::kCircArc2d) {
    curve.reverseParam();
    return;
  }
  auto& arc = static_cast<XtGeCircArc2d&>(curve);
  const double sweep = arc.endAng() - arc.startAng();
  double endModulo = std::fmod(arc.endAng(), XtGe::kTwoPi);
  if (endModulo < 0.0) endModulo += XtGe::kTwoPi;
  const double a = XtGe::kTwoPi - endModulo;
  arc.set(arc.center(), arc.radius(), a, a + sweep, arc.refVec(), !arc.isClockWise());
}

void setArcEndPoints(XtGeCircArc2d& arc, const XtGePoint2d& s, const XtGePoint2d& e) {
  if (!s.isFinite() || !e.isFinite()) return;
  const XtGePoint2d c = arc.center();
  const double r = arc.radius();
  const double oldStartAngle = arc.startAng();
  const double oldEndAngle = arc.endAng();
  const XtGePoint2d oldStart = arc.startPoint();
  const XtGePoint2d oldEnd = arc.endPoint();
  const double onCircle = workTol.equalPoint();
  const bool startOn = std::fabs(c.distanceTo(s) - r) < onCircle;
  const bool endOn = std::fabs(c.distanceTo(e) - r) < onCircle;

  XtGePoint2d centre = c;
  double startAngle = 0.0;
  double endAngle = 0.0;
  bool anglesFromPoints = true;
  bool carry = false;
  if (r < workTolFine.equalPoint()) {
    if (!meetingPoint(s, radialAtAngle(arc, oldStartAngle), e, radialAtAngle(arc, oldEndAngle), workTolFine,
                      centre))
      centre = middle(s, e);
    startAngle = oldStartAngle;
    endAngle = oldEndAngle;
    anglesFromPoints = false;
  } else if (startOn && endOn) {
    centre = c;
  } else if (startOn || endOn) {
    const XtGePoint2d& onPoint = startOn ? s : e;
    const XtGePoint2d& offPoint = startOn ? e : s;
    const double keptAngle = startOn ? oldEndAngle : oldStartAngle;
    const XtGeVector2d keptRadial = radialAtAngle(arc, keptAngle);
    // The new circle must also reach the other point at the kept angle;
    // where it does not, the arc is carried along instead.
    if (meetingPoint(c, onPoint - c, offPoint, keptRadial, XtGeContext::gTol, centre) &&
        (centre + keptRadial * onPoint.distanceTo(centre)).distanceTo(offPoint) <= onCircle) {
      const double movedAngle = angleInArcFrame(arc, centre, onPoint);
      startAngle = startOn ? movedAngle : keptAngle;
      endAngle = startOn ? keptAngle : movedAngle;
      anglesFromPoints = false;
    } else {
      carry = true;
    }
  } else {
    carry = true;
  }
  if (carry) centre = carriedCentre(c, oldStart, oldEnd, s, e);
  if (anglesFromPoints) {
    startAngle = angleInArcFrame(arc, centre, s);
    endAngle = angleInArcFrame(arc, centre, e);
    // A full circle asked to run from a point back to the same point stays full.
    if (arc.isFullCircle() && s.isEqualTo(e, XtGeTol(onCircle, 0.0))) endAngle = startAngle + XtGe::kTwoPi;
  }
  const double radius = s.distanceTo(centre);
  if (!centre.isFinite() || !std::isfinite(radius)) return;
  arc.set(centre, radius, startAngle, endAngle, arc.refVec(), arc.isClockWise());
}
