#include "platform/ge/XtGeCircArc2d.h"

#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/internal/GeAngle.h"
#include "platform/ge/internal/GeAngularCurve.h"
#include "platform/ge/internal/GeArcFrame.h"
#include "platform/ge/internal/GeLinearSpan.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Relative tolerance of the similarity test in transformBy: independent of
// the callers' tolerances, which may be zero.
constexpr double kSimilarityTol = 1e-9;
// Upper bound of the points one chord-sampling call produces.
constexpr int kMaxChordSamples = 1 << 16;

}  // namespace

XtGeCircArc2d::XtGeCircArc2d(const XtGePoint2d& centre, double radius) { set(centre, radius); }

XtGeCircArc2d::XtGeCircArc2d(const XtGePoint2d& centre, double radius, double startAng,
                             double endAng, const XtGeVector2d& refVec, bool isClockWise) {
  set(centre, radius, startAng, endAng, refVec, isClockWise);
}

XtGeCircArc2d::XtGeCircArc2d(const XtGePoint2d& start, const XtGePoint2d& end, double bulge) {
  set(start, end, bulge);
}

XtGeCircArc2d& XtGeCircArc2d::set(const XtGePoint2d& centre, double radius) {
  return set(centre, radius, 0.0, XtGe::kTwoPi, XtGeVector2d::kXAxis, false);
}

XtGeCircArc2d& XtGeCircArc2d::set(const XtGePoint2d& centre, double radius, double startAng,
                                  double endAng, const XtGeVector2d& refVec, bool isClockWise) {
  XtGeVector2d ref;
  double s = 0.0;
  double e = 0.0;
  if (!centre.isFinite() || !GeKernel::isValidRadius(radius) || !GeKernel::unitOf(refVec, ref) ||
      !GeKernel::arcAngles(startAng, endAng, s, e))
    return *this;
  m_centre = centre;
  m_radius = radius;
  m_refVec = ref;
  m_clockWise = isClockWise;
  m_start = s;
  m_end = e;
  return *this;
}

XtGeCircArc2d& XtGeCircArc2d::set(const XtGePoint2d& start, const XtGePoint2d& end, double bulge) {
  if (!start.isFinite() || !end.isFinite() || !std::isfinite(bulge)) return *this;
  const XtGeVector2d chord = end - start;
  const double c = chord.length();
  const double sweep = 4.0 * std::atan(std::fabs(bulge));
  if (!(c > 0.0) || !(sweep > 0.0) || !std::isfinite(c)) {
    // No arc through the two points: a zero-radius arc at the start.
    return set(start, 0.0, 0.0, 0.0, XtGeVector2d::kXAxis, bulge < 0.0);
  }
  const bool clockWise = bulge < 0.0;
  const double half = 0.5 * sweep;
  const double radius = 0.5 * c / std::sin(half);
  // The centre lies on the chord's perpendicular bisector, to the left of the
  // chord for a counter-clockwise arc shorter than a half circle.
  const XtGeVector2d left = chord.perpVector() / c;
  const double offset = 0.5 * c / std::tan(half);
  const XtGePoint2d mid = start + chord * 0.5;
  const XtGePoint2d centre = mid + left * (clockWise ? -offset : offset);
  GeKernel::ArcFrame frame;
  frame.xAxis = XtGeVector2d::kXAxis;
  frame.yAxis = clockWise ? -XtGeVector2d::kYAxis : XtGeVector2d::kYAxis;
  const double s = frame.angleOf(start - centre);
  return set(centre, radius, s, s + sweep, XtGeVector2d::kXAxis, clockWise);
}

XtGeCircArc2d& XtGeCircArc2d::setCenter(const XtGePoint2d& centre) {
  if (centre.isFinite()) m_centre = centre;
  return *this;
}

XtGeCircArc2d& XtGeCircArc2d::setRadius(double radius) {
  if (GeKernel::isValidRadius(radius)) m_radius = radius;
  return *this;
}

XtGeCircArc2d& XtGeCircArc2d::setRefVec(const XtGeVector2d& refVec) {
  GeKernel::unitOf(refVec, m_refVec);
  return *this;
}

XtGeCircArc2d& XtGeCircArc2d::setAngles(double startAng, double endAng) {
  GeKernel::arcAngles(startAng, endAng, m_start, m_end);
  return *this;
}

namespace {

bool answerTwo(const XtGePoint2d (&pts)[2], int count, int& n, XtGePoint2d& p1, XtGePoint2d& p2) {
  n = count;
  if (n > 0) p1 = pts[0];
  if (n > 1) p2 = pts[1];
  return n > 0;
}

}  // namespace

bool XtGeCircArc2d::intersectWith(const XtGeLinearEnt2d& line, int& n, XtGePoint2d& p1,
                                  XtGePoint2d& p2, const XtGeTol& tol) const {
  XtGePoint2d pts[2];
  return answerTwo(pts, GeKernel::crossingsAlongLinear(line, *this, tol, pts, 2), n, p1, p2);
}

bool XtGeCircArc2d::intersectWith(const XtGeCircArc2d& arc, int& n, XtGePoint2d& p1,
                                  XtGePoint2d& p2, const XtGeTol& tol) const {
  n = 0;
  // Arcs of one circle only meet at touching ends; they report no crossings.
  if (m_centre.distanceTo(arc.m_centre) <= tol.equalPoint() &&
      std::fabs(m_radius - arc.m_radius) <= tol.equalPoint())
    return false;
  XtGePoint2d pts[2];
  return answerTwo(pts, GeKernel::crossingsAlongFirst(*this, arc, tol, pts, 2), n, p1, p2);
}

bool XtGeCircArc2d::tangent(const XtGePoint2d& p, XtGeLine2d& line, const XtGeTol& tol) const {
  double t = 0.0;
  if (!(m_radius > 0.0) || !isOn(p, t, tol)) return false;
  XtGePoint2d q;
  XtGeVector2d d1, d2;
  xtEvalDerivs(t, q, d1, d2);
  line.set(q, d1);
  return true;
}

bool XtGeCircArc2d::transformBy(const XtGeMatrix2d& m) {
  if (!m.isFinite() || !m.isUniScaledOrtho(XtGeTol(0.0, kSimilarityTol))) return false;
  const double scale = m.scale();
  const XtGeVector2d ref = m * m_refVec;
  m_centre = m * m_centre;
  m_radius *= scale;
  m_refVec = ref / ref.length();
  if (m.det() < 0.0) m_clockWise = !m_clockWise;
  return true;
}

void XtGeCircArc2d::getInterval(XtGeInterval& interval) const {
  interval = XtGeInterval(m_start, m_end, XtGe::kIntervalTol);
}

XtGePoint2d XtGeCircArc2d::xtEvalPoint(double t) const { return GeKernel::frameOf(*this).eval(t); }

bool XtGeCircArc2d::xtEvalDerivs(double t, XtGePoint2d& p, XtGeVector2d& d1,
                                 XtGeVector2d& d2) const {
  if (!std::isfinite(t)) return false;
  const GeKernel::ArcFrame f = GeKernel::frameOf(*this);
  p = f.eval(t);
  d1 = f.deriv(t);
  d2 = m_centre - p;
  return true;
}

double XtGeCircArc2d::paramOf(const XtGePoint2d& p, const XtGeTol& tol) const {
  return GeKernel::frameParamOf(GeKernel::frameOf(*this), p, tol);
}

bool XtGeCircArc2d::isOn(const XtGePoint2d& p, double& t, const XtGeTol& tol) const {
  const double magnitude = std::max(std::fabs(m_centre.x), std::fabs(m_centre.y)) + m_radius;
  return GeKernel::frameIsOn(GeKernel::frameOf(*this), magnitude, p, t, tol);
}

XtGePoint2d XtGeCircArc2d::closestPointTo(const XtGePoint2d& p, const XtGeTol&) const {
  return GeKernel::frameClosestPoint(GeKernel::frameOf(*this), p);
}

double XtGeCircArc2d::distanceTo(const XtGePoint2d& p, const XtGeTol&) const {
  return GeKernel::frameDistance(GeKernel::frameOf(*this), p);
}

double XtGeCircArc2d::xtLength(double fromParam, double toParam, const XtGeTol&) const {
  return GeKernel::guardedLength(fromParam, toParam,
                                 [this](double a, double b) { return m_radius * std::fabs(b - a); });
}

double XtGeCircArc2d::xtParamAtLength(double datum, double len, bool forward,
                                      const XtGeTol&) const {
  if (!std::isfinite(datum) || !std::isfinite(len)) return kNaN;
  double t = datum;
  if (m_radius > 0.0)
    t = datum + (forward ? len : -len) / m_radius;
  else if (len != 0.0)
    t = ((len > 0.0) == forward) ? m_end : m_start;
  return std::clamp(t, m_start, m_end);
}

bool XtGeCircArc2d::xtArea(double fromParam, double toParam, double& area, const XtGeTol&) const {
  if (!std::isfinite(fromParam) || !std::isfinite(toParam)) return false;
  const double sweep = std::min(std::fabs(toParam - fromParam), XtGe::kTwoPi);
  area = 0.5 * m_radius * m_radius * (sweep - std::sin(sweep));
  return true;
}

void XtGeCircArc2d::getSplitCurves(double t, XtGeCurve2d*& piece1, XtGeCurve2d*& piece2) const {
  GeKernel::splitAtAngle(
      *this, t, [this](double a, double b) { return m_radius * (b - a); }, piece1, piece2);
}

bool XtGeCircArc2d::setInterval(const XtGeInterval& interval) {
  return GeKernel::anglesOfInterval(interval, m_start, m_end);
}

void XtGeCircArc2d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                    XtGePoint2dArray& points, XtGeDoubleArray& params) const {
  points.setLogicalLength(0);
  params.setLogicalLength(0);
  if (!std::isfinite(fromParam) || !std::isfinite(toParam)) return;
  // Chord deviation of a step s is R (1 - cos(s/2)).
  const double span = std::fabs(toParam - fromParam);
  int n = kMaxChordSamples;
  if (!(m_radius > 0.0) || approxEps >= m_radius) {
    n = static_cast<int>(std::ceil(span / XtGe::kHalfPi));
  } else if (approxEps > 0.0) {
    const double step = 2.0 * std::acos(1.0 - approxEps / m_radius);
    if (step > 0.0) n = static_cast<int>(std::min<double>(std::ceil(span / step), kMaxChordSamples));
  }
  n = std::clamp(n, 1, kMaxChordSamples);
  const GeKernel::ArcFrame f = GeKernel::frameOf(*this);
  for (int i = 0; i <= n; ++i) {
    const double t = (i == n) ? toParam : fromParam + (toParam - fromParam) * i / n;
    points.append(f.eval(t));
    params.append(t);
  }
}

XtGeBoundBlock2d XtGeCircArc2d::xtOrthoBoundBlock() const {
  const GeKernel::ArcFrame f = GeKernel::frameOf(*this);
  XtGeBoundBlock2d box;
  box.extend(f.eval(m_start));
  box.extend(f.eval(m_end));
  const XtGeVector2d axes[4] = {{1.0, 0.0}, {0.0, 1.0}, {-1.0, 0.0}, {0.0, -1.0}};
  for (const XtGeVector2d& axis : axes) {
    bool inside = false;
    f.paramOfDirection(axis, inside);
    if (inside) box.extend(m_centre + axis * m_radius);
  }
  return box;
}

XtGeCircArc2d& XtGeCircArc2d::reverseParam() {
  GeKernel::reverseAngles(m_start, m_end);
  m_clockWise = !m_clockWise;
  return *this;
}

bool XtGeCircArc2d::getTrimmedOffset(double d, XtGeCurve2dPtrArray& offsetCurves, int,
                                     const XtGeTol& tol) const {
  if (!std::isfinite(d)) return false;
  // Positive offsets lie to the left of travel: towards the centre of a
  // counter-clockwise arc, away from it for a clockwise one.
  const double r = m_clockWise ? m_radius + d : m_radius - d;
  if (d != 0.0 && !(r > tol.equalPoint())) return false;
  auto c = std::make_unique<XtGeCircArc2d>(*this);
  c->m_radius = r;
  offsetCurves.append(c.release());
  return true;
}
