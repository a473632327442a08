#include "platform/ge/XtGeEllipArc2d.h"

#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLinearEnt2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/internal/GeAngle.h"
#include "platform/ge/internal/GeAngularCurve.h"
#include "platform/ge/internal/GeEllipseFrame.h"
#include "platform/ge/internal/GeLinearSpan.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

XtGeEllipArc2d::XtGeEllipArc2d(const XtGePoint2d& centre, const XtGeVector2d& majorAxis,
                               const XtGeVector2d& minorAxis, double majorRadius,
                               double minorRadius, double startAng, double endAng) {
  set(centre, majorAxis, minorAxis, majorRadius, minorRadius, startAng, endAng);
}

XtGeEllipArc2d& XtGeEllipArc2d::set(const XtGePoint2d& centre, const XtGeVector2d& majorAxis,
                                    const XtGeVector2d& minorAxis, double majorRadius,
                                    double minorRadius, double startAng, double endAng) {
  XtGeVector2d u;
  XtGeVector2d v;
  double s = 0.0;
  double e = 0.0;
  if (!centre.isFinite() || !GeKernel::unitOf(majorAxis, u) || !GeKernel::unitOf(minorAxis, v) ||
      !GeKernel::isValidRadius(majorRadius) || !GeKernel::isValidRadius(minorRadius) ||
      !GeKernel::arcAngles(startAng, endAng, s, e))
    return *this;
  m_centre = centre;
  m_majorAxis = u;
  m_minorAxis = v;
  m_majorRadius = majorRadius;
  m_minorRadius = minorRadius;
  m_start = s;
  m_end = e;
  return *this;
}

XtGeEllipArc2d& XtGeEllipArc2d::setCenter(const XtGePoint2d& centre) {
  if (centre.isFinite()) m_centre = centre;
  return *this;
}

XtGeEllipArc2d& XtGeEllipArc2d::setAxes(const XtGeVector2d& majorAxis,
                                        const XtGeVector2d& minorAxis) {
  XtGeVector2d u;
  XtGeVector2d v;
  if (!GeKernel::unitOf(majorAxis, u) || !GeKernel::unitOf(minorAxis, v)) return *this;
  m_majorAxis = u;
  m_minorAxis = v;
  return *this;
}

XtGeEllipArc2d& XtGeEllipArc2d::setMajorRadius(double radius) {
  if (GeKernel::isValidRadius(radius)) m_majorRadius = radius;
  return *this;
}

XtGeEllipArc2d& XtGeEllipArc2d::setMinorRadius(double radius) {
  if (GeKernel::isValidRadius(radius)) m_minorRadius = radius;
  return *this;
}

XtGeEllipArc2d& XtGeEllipArc2d::setAngles(double startAng, double endAng) {
  GeKernel::arcAngles(startAng, endAng, m_start, m_end);
  return *this;
}

bool XtGeEllipArc2d::intersectWith(const XtGeLinearEnt2d& line, int& n, XtGePoint2d& p1,
                                   XtGePoint2d& p2, const XtGeTol& tol) const {
  XtGePoint2d pts[2];
  n = GeKernel::crossingsAlongLinear(line, *this, tol, pts, 2);
  if (n > 0) p1 = pts[0];
  if (n > 1) p2 = pts[1];
  return n > 0;
}

bool XtGeEllipArc2d::intersectWith(const XtGeCircArc2d& arc, int& n, XtGePoint2d (&points)[4],
                                   const XtGeTol& tol) const {
  n = GeKernel::crossingsAlongFirst(*this, arc, tol, points, 4);
  return n > 0;
}

bool XtGeEllipArc2d::intersectWith(const XtGeEllipArc2d& arc, int& n, XtGePoint2d (&points)[4],
                                   const XtGeTol& tol) const {
  n = GeKernel::crossingsAlongFirst(*this, arc, tol, points, 4);
  return n > 0;
}

bool XtGeEllipArc2d::transformBy(const XtGeMatrix2d& m) {
  if (!m.isFinite()) return false;
  // Conjugate semi-diameters of the image, then its principal axes.
  const XtGeVector2d a = m * (m_majorAxis * m_majorRadius);
  const XtGeVector2d b = m * (m_minorAxis * m_minorRadius);
  const double t0 = 0.5 * std::atan2(2.0 * a.dotProduct(b), a.lengthSqrd() - b.lengthSqrd());
  const double c = std::cos(t0);
  const double s = std::sin(t0);
  const XtGeVector2d u = a * c + b * s;
  const XtGeVector2d v = b * c - a * s;
  const double lu = u.length();
  const double lv = v.length();
  if (!(lu > 0.0) || !(lv > 0.0) || !std::isfinite(lu) || !std::isfinite(lv)) return false;
  m_centre = m * m_centre;
  m_majorAxis = u / lu;
  m_minorAxis = v / lv;
  m_majorRadius = lu;
  m_minorRadius = lv;
  const bool full = isFullEllipse();
  m_start -= t0;
  m_end = full ? m_start + XtGe::kTwoPi : m_end - t0;
  return true;
}

void XtGeEllipArc2d::getInterval(XtGeInterval& interval) const {
  interval = XtGeInterval(m_start, m_end, XtGe::kIntervalTol);
}

XtGePoint2d XtGeEllipArc2d::xtEvalPoint(double t) const {
  return GeKernel::frameOf(*this).eval(t);
}

bool XtGeEllipArc2d::xtEvalDerivs(double t, XtGePoint2d& p, XtGeVector2d& d1,
                                  XtGeVector2d& d2) const {
  if (!std::isfinite(t)) return false;
  const GeKernel::EllipseFrame f = GeKernel::frameOf(*this);
  p = f.eval(t);
  d1 = f.deriv(t);
  d2 = f.deriv2(t);
  return true;
}

double XtGeEllipArc2d::paramOf(const XtGePoint2d& p, const XtGeTol& tol) const {
  return GeKernel::frameParamOf(GeKernel::frameOf(*this), p, tol);
}

bool XtGeEllipArc2d::isOn(const XtGePoint2d& p, double& t, const XtGeTol& tol) const {
  const double magnitude =
      std::max(std::fabs(m_centre.x), std::fabs(m_centre.y)) + m_majorRadius + m_minorRadius;
  return GeKernel::frameIsOn(GeKernel::frameOf(*this), magnitude, p, t, tol);
}

XtGePoint2d XtGeEllipArc2d::closestPointTo(const XtGePoint2d& p, const XtGeTol&) const {
  return GeKernel::frameClosestPoint(GeKernel::frameOf(*this), p);
}

double XtGeEllipArc2d::distanceTo(const XtGePoint2d& p, const XtGeTol&) const {
  return GeKernel::frameDistance(GeKernel::frameOf(*this), p);
}

double XtGeEllipArc2d::xtLength(double fromParam, double toParam, const XtGeTol&) const {
  const GeKernel::EllipseFrame f = GeKernel::frameOf(*this);
  return GeKernel::guardedLength(fromParam, toParam,
                                 [&f](double a, double b) { return f.arcLength(a, b); });
}

double XtGeEllipArc2d::xtParamAtLength(double datum, double len, bool forward,
                                       const XtGeTol&) const {
  if (!std::isfinite(datum) || !std::isfinite(len)) return kNaN;
  if (len < 0.0) {
    len = -len;
    forward = !forward;
  }
  datum = std::clamp(datum, m_start, m_end);
  const double limit = forward ? m_end : m_start;
  return GeKernel::frameOf(*this).paramAtLength(datum, len, forward ? 1.0 : -1.0, limit);
}

bool XtGeEllipArc2d::xtArea(double fromParam, double toParam, double& area,
                            const XtGeTol&) const {
  if (!std::isfinite(fromParam) || !std::isfinite(toParam)) return false;
  const double sweep = std::min(std::fabs(toParam - fromParam), XtGe::kTwoPi);
  // |a x b| is a*b for perpendicular axes and stays right for skewed ones.
  const double ab =
      std::fabs((m_majorAxis * m_majorRadius).crossProduct(m_minorAxis * m_minorRadius));
  area = 0.5 * ab * (sweep - std::sin(sweep));
  return true;
}

void XtGeEllipArc2d::getSplitCurves(double t, XtGeCurve2d*& piece1, XtGeCurve2d*& piece2) const {
  GeKernel::splitAtAngle(
      *this, t, [this](double a, double b) { return xtLength(a, b); }, piece1, piece2);
}

bool XtGeEllipArc2d::setInterval(const XtGeInterval& interval) {
  return GeKernel::anglesOfInterval(interval, m_start, m_end);
}

XtGeBoundBlock2d XtGeEllipArc2d::xtOrthoBoundBlock() const {
  const GeKernel::EllipseFrame f = GeKernel::frameOf(*this);
  XtGeBoundBlock2d box;
  box.extend(f.eval(m_start));
  box.extend(f.eval(m_end));
  // x'(t) = 0 at t = atan2(b.x, a.x) (+ pi); likewise for y.
  const double roots[2] = {std::atan2(f.b.x, f.a.x), std::atan2(f.b.y, f.a.y)};
  for (double r : roots) {
    for (double t : {r, r + XtGe::kPi}) {
      const double u = GeKernel::angleFrom(t, m_start);
      if (u <= m_end) box.extend(f.eval(u));
    }
  }
  return box;
}

XtGeEllipArc2d& XtGeEllipArc2d::reverseParam() {
  GeKernel::reverseAngles(m_start, m_end);
  m_minorAxis.negate();
  return *this;
}
