#include "platform/ge/internal/GeCurveArea.h"

#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeEllipArc2d.h"

#include <cmath>
#include <utility>

namespace GeKernel {

namespace {

// Bound of the nesting of composites followed by the area walk.
constexpr int kMaxNesting = 64;

double chordTerm(const XtGePoint2d& a, const XtGePoint2d& b, const XtGePoint2d& origin) {
  return 0.5 * (a - origin).crossProduct(b - origin);
}

bool termOf(const XtGeCurve2d& curve, double u0, double u1, const XtGePoint2d& origin,
            int depth, double& term);

// Along a composite from t0 to t1 (t0 <= t1): every piece part, with
// straight connectors over gaps between consecutive pieces.
bool compositeTerm(const XtGeCompositeCurve2d& c, double t0, double t1,
                   const XtGePoint2d& origin, int depth, double& term) {
  term = 0.0;
  if (c.numCurves() == 0) return true;
  const int first = c.pieceIndexAt(t0);
  int last = c.pieceIndexAt(t1);
  if (last < first) last = first;
  bool havePrevious = false;
  XtGePoint2d previousEnd;
  for (int i = first; i <= last; ++i) {
    const XtGeCurve2d* piece = c.curveAt(i);
    XtGeInterval iv;
    piece->getInterval(iv);
    if (!iv.isBounded()) continue;
    const double ua = (i == first) ? c.pieceParam(i, t0) : iv.lowerBound();
    const double ub = (i == last) ? c.pieceParam(i, t1) : iv.upperBound();
    const XtGePoint2d start = piece->xtEvalPoint(ua);
    if (havePrevious) term += chordTerm(previousEnd, start, origin);
    double part = 0.0;
    if (!termOf(*piece, ua, ub, origin, depth + 1, part)) return false;
    term += part;
    previousEnd = piece->xtEvalPoint(ub);
    havePrevious = true;
  }
  return std::isfinite(term);
}

bool termOf(const XtGeCurve2d& curve, double u0, double u1, const XtGePoint2d& origin,
            int depth, double& term) {
  if (!std::isfinite(u0) || !std::isfinite(u1) || !origin.isFinite() || depth > kMaxNesting)
    return false;
  switch (curve.type()) {
    case XtGe::kLineSeg2d:
    case XtGe::kLine2d:
    case XtGe::kRay2d:
      term = chordTerm(curve.xtEvalPoint(u0), curve.xtEvalPoint(u1), origin);
      return std::isfinite(term);
    case XtGe::kCircArc2d: {
      const auto& arc = static_cast<const XtGeCircArc2d&>(curve);
      const double s = u1 - u0;  // signed: the segment's sign follows travel
      const double segment = 0.5 * arc.radius() * arc.radius() * (s - std::sin(s));
      term = chordTerm(arc.xtEvalPoint(u0), arc.xtEvalPoint(u1), origin) +
             (arc.isClockWise() ? -segment : segment);
      return std::isfinite(term);
    }
    case XtGe::kEllipArc2d: {
      const auto& ell = static_cast<const XtGeEllipArc2d&>(curve);
      const double s = u1 - u0;
      const double segment = 0.5 * ell.majorRadius() * ell.minorRadius() * (s - std::sin(s));
      term = chordTerm(ell.xtEvalPoint(u0), ell.xtEvalPoint(u1), origin) +
             (ell.isClockWise() ? -segment : segment);
      return std::isfinite(term);
    }
    case XtGe::kCompositeCrv2d: {
      const auto* c = dynamic_cast<const XtGeCompositeCurve2d*>(&curve);
      if (c == nullptr) return false;
      if (u0 <= u1) return compositeTerm(*c, u0, u1, origin, depth, term);
      if (!compositeTerm(*c, u1, u0, origin, depth, term)) return false;
      term = -term;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

bool signedAreaTerm(const XtGeCurve2d& curve, double u0, double u1, const XtGePoint2d& origin,
                    double& term) {
  return termOf(curve, u0, u1, origin, 0, term);
}

bool signedArea(const XtGeCurve2d& curve, double& area) {
  XtGeInterval iv;
  curve.getInterval(iv);
  if (!iv.isBounded()) return false;
  const XtGePoint2d origin = curve.xtEvalPoint(iv.lowerBound());
  // Measured from the start, the closing chord adds nothing.
  return signedAreaTerm(curve, iv.lowerBound(), iv.upperBound(), origin, area);
}

}  // namespace GeKernel
