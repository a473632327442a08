#include "geometry/curveEdits.h"

#include "geometry/Tolerances.h"
#include "geometry/reportAssertion.h"
#include "geometry/vectorAngles.h"
#include "platform/ge/XtGeCircArc2d.h"

#include <cmath>

namespace {

bool resizeSegment(XtGeLineSeg2d& segment, double length, bool atStart) {
  const XtGePoint2d s = segment.startPoint();
  const XtGePoint2d e = segment.endPoint();
  const double old = s.distanceTo(e);
  // A segment of no length has no direction to grow along; shortening by
  // its length or more would turn it round.
  if (!(old > 0.0) || !std::isfinite(old) || !(old + length > 0.0)) return false;
  const XtGePoint2d start = atStart ? s + (s - e) * (length / old) : s;
  const XtGePoint2d end = atStart ? e : s + (e - s) * ((old + length) / old);
  if (!start.isFinite() || !end.isFinite()) return false;
  segment.set(start, end);
  return true;
}

bool resizeArc(XtGeCircArc2d& arc, double length, bool atStart) {
  const double r = arc.radius();
  if (!(r > 0.0)) return false;
  const double delta = length / r;
  const double sweep = arc.endAng() - arc.startAng() + delta;
  // Past the other end, or round to a full circle: no arc of that length.
  if (!std::isfinite(delta) || !(sweep > 0.0) || !(sweep < XtGe::kTwoPi)) return false;
  if (atStart) arc.xtSetAngles(arc.startAng() - delta, arc.endAng());
  else arc.xtSetAngles(arc.startAng(), arc.endAng() + delta);
  return true;
}

bool trimArc(XtGeCircArc2d& arc, const XtGePoint2d& point, bool atStart) {
  const double angle = signedAngle3d(arc.refVec(), point - arc.center(), arc.isClockWise());
  if (!std::isfinite(angle)) return false;
  // The turn from the kept end to the new one, in [0, 2*pi); a point on the
  // kept end (within workTol along the circle) gives no sweep.
  const double kept = atStart ? arc.endAng() : arc.startAng();
  double turn = std::fmod(atStart ? kept - angle : angle - kept, XtGe::kTwoPi);
  if (turn < 0.0) turn += XtGe::kTwoPi;
  if ((XtGe::kTwoPi - turn) * arc.radius() <= workTol.equalPoint()) turn = 0.0;
  if (atStart) arc.xtSetAngles(kept - turn, kept);
  else arc.xtSetAngles(kept, kept + turn);
  return true;
}

}  // namespace

bool entMisc2D::resizeCurve(XtGeCurve2d* curve, double length, bool atStart) {
  if (curve == nullptr || length == 0.0 || !std::isfinite(length)) return false;
  switch (curve->type()) {
    case XtGe::kLineSeg2d: return resizeSegment(static_cast<XtGeLineSeg2d&>(*curve), length, atStart);
    case XtGe::kCircArc2d: return resizeArc(static_cast<XtGeCircArc2d&>(*curve), length, atStart);
    default:
      HV_REPORT_ASSERTION(u"geBaseShared", 1708, u"entMisc2D::resizeCurve");
      return false;
  }
}

bool entMisc2D::trimCurve(XtGeCurve2d* curve, const XtGePoint2d& point, bool atStart) {
  if (curve == nullptr) return false;
  switch (curve->type()) {
    case XtGe::kLineSeg2d: {
      if (!point.isFinite()) return false;
      auto& segment = static_cast<XtGeLineSeg2d&>(*curve);
      if (atStart) segment.set(point, segment.endPoint());
      else segment.set(segment.startPoint(), point);
      return true;
    }
    case XtGe::kCircArc2d:
      return point.isFinite() && trimArc(static_cast<XtGeCircArc2d&>(*curve), point, atStart);
    default:
      HV_REPORT_ASSERTION(u"geBaseShared", 1739, u"entMisc2D::trimCurve");
      return false;
  }
}

bool trimCurveAtParam(XtGeCurve2d* curve, double param, bool atStart) {
  if (curve == nullptr) return false;
  return entMisc2D::trimCurve(curve, curve->xtEvalPoint(param), atStart);
}

std::unique_ptr<XtGeLineSeg2d> mergeSameDirectionSegments(const XtGeCurve2d* a, const XtGeCurve2d* b) {
  if (a == nullptr || b == nullptr || a->type() != XtGe::kLineSeg2d || b->type() != XtGe::kLineSeg2d)
    return nullptr;
  const auto& first = static_cast<const XtGeLineSeg2d&>(*a);
  const auto& second = static_cast<const XtGeLineSeg2d&>(*b);
  const XtGeVector2d u = first.endPoint() - first.startPoint();
  const XtGeVector2d v = second.endPoint() - second.startPoint();
  const XtGeTol& tol = XtGeContext::gTol;
  if (u.isZeroLength(tol) || v.isZeroLength(tol) || !u.normal(tol).isEqualTo(v.normal(tol), workTol))
    return nullptr;
  return std::make_unique<XtGeLineSeg2d>(first.startPoint(), second.endPoint());
}

bool transformCurveDeep(XtGeCurve2d* curve, const XtGeMatrix2d& matrix) {
  return curve != nullptr && curve->transformBy(matrix);
}
