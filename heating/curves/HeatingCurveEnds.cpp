#include "heating/curves/HeatingCurveEnds.h"

#include "heating/curves/ArcRules.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeLinearEnt2d.h"

#include <numbers>

namespace {

const XtGeLinearEnt2d* asLinear(const XtGeCurve2d& curve) {
  const int type = curve.type();
  if (type == XtGe::kLineSeg2d || type == XtGe::kLine2d || type == XtGe::kRay2d)
    return static_cast<const XtGeLinearEnt2d*>(&curve);
  return nullptr;
}

// A usable direction: finite and longer than the host tolerance.
bool isDirection(const XtGeVector2d& v) {
  return v.isFinite() && v.length() > XtGeContext::gTol.equalPoint();
}

// The curve's end (atEnd) or start point and its direction of travel there:
// a linear curve's unit direction, any other curve's first derivative. False
// when the curve is unbounded at that end or has no direction there.
bool endAndDirection(const XtGeCurve2d& curve, bool atEnd, XtGePoint2d& point, XtGeVector2d& direction) {
  XtGeInterval interval;
  curve.getInterval(interval);
  if (atEnd ? !interval.isBoundedAbove() : !interval.isBoundedBelow()) return false;
  const double t = atEnd ? interval.upperBound() : interval.lowerBound();
  XtGeVector2d d1;
  XtGePoint2d p;
  if (const XtGeLinearEnt2d* linear = asLinear(curve)) {
    p = curve.evalPoint(t);
    d1 = linear->direction();
  } else {
    XtGeVector2d d2;
    if (!curve.xtEvalDerivs(t, p, d1, d2)) return false;
  }
  if (!isDirection(d1)) return false;
  point = p;
  direction = d1;
  return true;
}

XtGeVector2d outwardTangent(const XtGeCurve2d& curve, bool atEnd) {
  if (const XtGeLinearEnt2d* linear = asLinear(curve)) {
    const XtGeVector2d u = linear->direction();
    if (isDirection(u)) return atEnd ? u : -u;
    return XtGeVector2d::kXAxis;
  }
  XtGePoint2d p;
  XtGeVector2d d1;
  if (!endAndDirection(curve, atEnd, p, d1)) return XtGeVector2d::kXAxis;
  const XtGeVector2d u = d1.normal();
  return atEnd ? u : -u;
}

bool extensionSegment(const XtGeCurve2d& curve, bool atEnd, double length, XtGeLineSeg2d& segment) {
  XtGePoint2d p;
  XtGeVector2d d1;
  if (!endAndDirection(curve, atEnd, p, d1)) return false;
  segment.set(p, atEnd ? p + d1 * length : p - d1 * length);
  return true;
}

}  // namespace

XtGePoint2d pointAtLength(const XtGeCurve2d& curve, double length) {
  XtGeInterval interval;
  curve.getInterval(interval);
  const double from = interval.isBoundedBelow() ? interval.lowerBound() : 0.0;
  return curve.evalPoint(curve.paramAtLength(from, length, true, XtGeContext::gTol));
}

XtGeVector2d outwardTangentAtEnd(const XtGeCurve2d& curve) { return outwardTangent(curve, true); }
XtGeVector2d outwardTangentAtStart(const XtGeCurve2d& curve) { return outwardTangent(curve, false); }

bool extensionSegmentAtEnd(const XtGeCurve2d& curve, double length, XtGeLineSeg2d& segment) {
  return extensionSegment(curve, true, length, segment);
}

bool extensionSegmentAtStart(const XtGeCurve2d& curve, double length, XtGeLineSeg2d& segment) {
  return extensionSegment(curve, false, length, segment);
}

void reverseGeCurveChain(XtGeCurve2dPtrArray& curves) {
  for (XtGeCurve2d* curve : curves)
    if (curve != nullptr) reverseGeCurve(*curve);
  curves.reverse();
}

bool isChainClosed(const XtGeCurve2dPtrArray& curves) {
  if (curves.isEmpty() || curves.first() == nullptr || curves.last() == nullptr) return false;
  XtGePoint2d start;
  XtGePoint2d end;
  return curves.first()->hasStartPoint(start) && curves.last()->hasEndPoint(end) && start.isEqualTo(end, workTol);
}

bool lineCoefficients(const XtGeLine2d& line, double& a, double& b, double& c) {
  const XtGeLine2d xAxis(XtGePoint2d(0.0, 0.0), XtGeVector2d::kXAxis);
  const XtGeLine2d yAxis(XtGePoint2d(0.0, 0.0), XtGeVector2d::kYAxis);
  XtGePoint2d onX;
  XtGePoint2d onY;
  const bool meetsX = line.intersectWith(xAxis, onX, workTolFine);
  const bool meetsY = line.intersectWith(yAxis, onY, workTolFine);
  if (!meetsX) {
    if (!meetsY) return false;
    a = 0.0;
    b = -1.0;
    c = onY.y;
    return true;
  }
  if (!meetsY) {
    a = 1.0;
    b = 0.0;
    c = onX.x;
    return true;
  }
  const XtGePoint2d p = line.evalPoint(std::numbers::pi);
  if (p.x == 0.0) return false;
  b = -1.0;
  c = onY.y;
  a = (p.y * b - c) / p.x;
  return true;
}
