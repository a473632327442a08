#include "platform/ge/XtGeCurveCurveInt2d.h"

#include <cmath>
#include <limits>

namespace {

// The interval [a, b] (a <= b), open on the sides that are infinite.
XtGeInterval intervalOf(double a, double b) {
  const bool below = std::isfinite(a);
  const bool above = std::isfinite(b);
  if (below && above) return XtGeInterval(a, b, XtGe::kIntervalTol);
  if (below) return XtGeInterval(true, a, XtGe::kIntervalTol);
  if (above) return XtGeInterval(false, b, XtGe::kIntervalTol);
  return XtGeInterval(XtGe::kIntervalTol);
}

}  // namespace

XtGeCurveCurveInt2d::XtGeCurveCurveInt2d(const XtGeCurve2d& curve1, const XtGeCurve2d& curve2,
                                         const XtGeTol& tol) {
  set(curve1, curve2, tol);
}

XtGeCurveCurveInt2d& XtGeCurveCurveInt2d::set(const XtGeCurve2d& curve1,
                                              const XtGeCurve2d& curve2, const XtGeTol& tol) {
  m_tol = tol;
  GeKernel::intersectCurves(curve1, curve2, tol, m_result);
  return *this;
}

XtGePoint2d XtGeCurveCurveInt2d::intPoint(int i) const {
  if (i < 0 || i >= numIntPoints()) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return {nan, nan};
  }
  return m_result.points[i].point;
}

bool XtGeCurveCurveInt2d::getIntParams(int i, double& param1, double& param2) const {
  if (i < 0 || i >= numIntPoints()) return false;
  param1 = m_result.points[i].t1;
  param2 = m_result.points[i].t2;
  return true;
}

bool XtGeCurveCurveInt2d::isTangential(int i) const {
  return i >= 0 && i < numIntPoints() && m_result.points[i].tangential;
}

bool XtGeCurveCurveInt2d::getOverlapRanges(int i, XtGeInterval& range1,
                                           XtGeInterval& range2) const {
  if (i < 0 || i >= overlapCount()) return false;
  const GeKernel::CurveOverlap& o = m_result.overlaps[i];
  range1 = intervalOf(o.t1Start, o.t1End);
  range2 = intervalOf(std::fmin(o.t2Start, o.t2End), std::fmax(o.t2Start, o.t2End));
  return true;
}

bool XtGeCurveCurveInt2d::isOverlapReversed(int i) const {
  return i >= 0 && i < overlapCount() && m_result.overlaps[i].t2End < m_result.overlaps[i].t2Start;
}
