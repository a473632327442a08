#include "geometry/curveProbes.h"

#include "geometry/Tolerances.h"
#include "geometry/curveSplitting.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeLine2d.h"

#include <cmath>

namespace {

// The parameter where the vertical line meets the curve; false when it
// misses.
bool paramOnLine(const XtGeCurve2d& curve, const XtGeLine2d& line, double& t) {
  if (curve.type() == XtGe::kLineSeg2d || curve.type() == XtGe::kCircArc2d) {
    const XtGeCurveCurveInt2d hits(curve, line, workTol);
    bool found = false;
    for (int i = 0; i < hits.numIntPoints(); ++i) {
      double onCurve = 0.0;
      double onLine = 0.0;
      if (hits.getIntParams(i, onCurve, onLine) && (!found || onCurve < t)) {
        t = onCurve;
        found = true;
      }
    }
    return found;
  }
  XtGePoint2d onLine;
  const XtGePoint2d p = curve.closestPointTo(line, onLine, workTol);
  if (!p.isFinite() || p.distanceTo(onLine) > workTol.equalPoint()) return false;
  t = curve.paramOf(p, workTol);
  return std::isfinite(t);
}

// Whether the straight segment crosses the simple curve.
bool crosses(const XtGeLineSeg2d& segment, const XtGeCurve2d& curve) {
  const bool isArc = curve.type() == XtGe::kCircArc2d;
  if (!isArc && curve.type() != XtGe::kLineSeg2d) return false;
  const XtGeCurveCurveInt2d hits(segment, curve, XtGeContext::gTol);
  const int n = hits.numIntPoints();
  auto atOwnEnd = [&](const XtGePoint2d& p) {
    return p.isEqualTo(segment.startPoint(), workTol) || p.isEqualTo(segment.endPoint(), workTol);
  };
  for (int i = 0; i < n; ++i) {
    const XtGePoint2d p = hits.intPoint(i);
    if (atOwnEnd(p)) continue;
    if (isArc && n == 1) {
      // A single point where the segment runs along the arc's tangent is a touch.
      const XtGeVector2d radial = (p - static_cast<const XtGeCircArc2d&>(curve).center()).normal(XtGeTol(0.0, 0.0));
      const XtGeVector2d along = segment.direction();
      if (std::fabs(radial.dotProduct(along)) <= workTol.equalVector()) continue;
    }
    return true;
  }
  return false;
}

}  // namespace

bool splitCurveAtX(const XtGeCurve2d& curve, double x, std::unique_ptr<XtGeCurve2d>& first,
                   std::unique_ptr<XtGeCurve2d>& second) {
  first.reset();
  second.reset();
  XtGeInterval iv(XtGe::kIntervalTol);
  curve.getInterval(iv);
  if (!std::isfinite(x) || !iv.isBounded()) return false;
  const double lo = iv.lowerBound();
  const double hi = iv.upperBound();
  if (!(curve.xtLength(lo, hi, XtGeContext::gTol) >= 0.01 * workTolFine.equalPoint())) return false;
  const XtGeLine2d line(XtGePoint2d(x, 0.0), XtGeVector2d(0.0, 1.0));
  double t = 0.0;
  if (!paramOnLine(curve, line, t) || !curve.isOn(curve.xtEvalPoint(t), workTolFine)) return false;
  // A part not longer than workTol would be a curve of no length.
  const double minimum = workTol.equalPoint();
  if (!(curve.xtLength(lo, t, XtGeContext::gTol) > minimum) || !(curve.xtLength(t, hi, XtGeContext::gTol) > minimum))
    return false;
  std::unique_ptr<XtGeCurve2d> before = curvePartBetween(curve, lo, t);
  std::unique_ptr<XtGeCurve2d> after = curvePartBetween(curve, t, hi);
  if (!before || !after) return false;
  first = std::move(before);
  second = std::move(after);
  return true;
}

int segmentCrossesCurves(const XtGeLineSeg2d& segment, std::span<const XtGeCurve2d* const> curves) {
  for (const XtGeCurve2d* curve : curves)
    if (curve != nullptr && crosses(segment, *curve)) return 1;
  return 0;
}

int segmentCrossesCurves(const XtGeLineSeg2d& segment, const curvePtrArray& curves) {
  return segmentCrossesCurves(segment,
                              std::span<const XtGeCurve2d* const>(curves.data(), static_cast<std::size_t>(curves.count())));
}
