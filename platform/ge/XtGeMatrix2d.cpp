#include "platform/ge/XtGeMatrix2d.h"

#include "platform/ge/XtGeLine2d.h"

#include <algorithm>
#include <cmath>

const XtGeMatrix2d XtGeMatrix2d::kIdentity{};

XtGeMatrix2d& XtGeMatrix2d::setToIdentity() {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m_e[i][j] = (i == j) ? 1.0 : 0.0;
  return *this;
}

bool XtGeMatrix2d::isEqualTo(const XtGeMatrix2d& m, const XtGeTol& tol) const {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      if (!(std::fabs(m_e[i][j] - m.m_e[i][j]) <= tol.equalVector())) return false;
  return true;
}

bool XtGeMatrix2d::isIdentity(const XtGeTol& tol) const { return isEqualTo(kIdentity, tol); }

XtGeMatrix2d XtGeMatrix2d::translation(const XtGeVector2d& v) {
  XtGeMatrix2d m;
  m.m_e[0][2] = v.x;
  m.m_e[1][2] = v.y;
  return m;
}

XtGeMatrix2d XtGeMatrix2d::rotation(double angle, const XtGePoint2d& centre) {
  XtGeMatrix2d m;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  m.m_e[0][0] = c;
  m.m_e[0][1] = -s;
  m.m_e[1][0] = s;
  m.m_e[1][1] = c;
  // centre + R (p - centre)
  m.m_e[0][2] = centre.x - (c * centre.x - s * centre.y);
  m.m_e[1][2] = centre.y - (s * centre.x + c * centre.y);
  return m;
}

XtGeMatrix2d XtGeMatrix2d::scaling(double factor, const XtGePoint2d& centre) {
  return scaling(factor, factor, centre);
}

XtGeMatrix2d XtGeMatrix2d::scaling(double sx, double sy, const XtGePoint2d& centre) {
  XtGeMatrix2d m;
  m.m_e[0][0] = sx;
  m.m_e[1][1] = sy;
  m.m_e[0][2] = centre.x - sx * centre.x;
  m.m_e[1][2] = centre.y - sy * centre.y;
  return m;
}

XtGeMatrix2d XtGeMatrix2d::mirroring(const XtGeLine2d& line) {
  const XtGeVector2d d = line.direction();
  const XtGePoint2d b = line.pointOnLine();
  XtGeMatrix2d m;
  if (!(d.lengthSqrd() > 0.0)) return m;  // a degenerate line mirrors nothing
  // Reflection about the line through b along the unit direction d.
  const double xx = d.x * d.x - d.y * d.y;
  const double xy = 2.0 * d.x * d.y;
  m.m_e[0][0] = xx;
  m.m_e[0][1] = xy;
  m.m_e[1][0] = xy;
  m.m_e[1][1] = -xx;
  m.m_e[0][2] = b.x - (xx * b.x + xy * b.y);
  m.m_e[1][2] = b.y - (xy * b.x - xx * b.y);
  return m;
}

XtGeMatrix2d XtGeMatrix2d::mirroring(const XtGePoint2d& centre) {
  return scaling(-1.0, -1.0, centre);
}

XtGeMatrix2d XtGeMatrix2d::alignCoordSys(const XtGePoint2d& o1, const XtGeVector2d& x1,
                                         const XtGeVector2d& y1, const XtGePoint2d& o2,
                                         const XtGeVector2d& x2, const XtGeVector2d& y2) {
  const double d = x1.crossProduct(y1);
  XtGeMatrix2d m;
  if (!(d != 0.0) || !std::isfinite(d)) return m;
  // A = [x2 y2] * [x1 y1]^-1
  const double i00 = y1.y / d, i01 = -y1.x / d, i10 = -x1.y / d, i11 = x1.x / d;
  m.m_e[0][0] = x2.x * i00 + y2.x * i10;
  m.m_e[0][1] = x2.x * i01 + y2.x * i11;
  m.m_e[1][0] = x2.y * i00 + y2.y * i10;
  m.m_e[1][1] = x2.y * i01 + y2.y * i11;
  m.m_e[0][2] = o2.x - (m.m_e[0][0] * o1.x + m.m_e[0][1] * o1.y);
  m.m_e[1][2] = o2.y - (m.m_e[1][0] * o1.x + m.m_e[1][1] * o1.y);
  return m;
}

XtGeMatrix2d XtGeMatrix2d::operator*(const XtGeMatrix2d& b) const {
  XtGeMatrix2d r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      double s = 0.0;
      for (int k = 0; k < 3; ++k) s += m_e[i][k] * b.m_e[k][j];
      r.m_e[i][j] = s;
    }
  return r;
}

bool XtGeMatrix2d::isSingular(const XtGeTol& tol) const {
  const double s = scale();
  return !(std::fabs(det()) > tol.equalVector() * s * s) || !(s > 0.0);
}

bool XtGeMatrix2d::invert() {
  const double d = det();
  if (!(d != 0.0) || !std::isfinite(d)) return false;
  const double a = m_e[0][0], b = m_e[0][1], c = m_e[1][0], e = m_e[1][1];
  const double tx = m_e[0][2], ty = m_e[1][2];
  XtGeMatrix2d r;
  r.m_e[0][0] = e / d;
  r.m_e[0][1] = -b / d;
  r.m_e[1][0] = -c / d;
  r.m_e[1][1] = a / d;
  r.m_e[0][2] = -(r.m_e[0][0] * tx + r.m_e[0][1] * ty);
  r.m_e[1][2] = -(r.m_e[1][0] * tx + r.m_e[1][1] * ty);
  if (!r.isFinite()) return false;
  *this = r;
  return true;
}

XtGeMatrix2d XtGeMatrix2d::inverse() const {
  XtGeMatrix2d r = *this;
  r.invert();
  return r;
}

double XtGeMatrix2d::scale() const {
  const double sx = std::hypot(m_e[0][0], m_e[1][0]);
  const double sy = std::hypot(m_e[0][1], m_e[1][1]);
  return std::max(sx, sy);
}

bool XtGeMatrix2d::isUniScaledOrtho(const XtGeTol& tol) const {
  const XtGeVector2d a{m_e[0][0], m_e[1][0]};
  const XtGeVector2d b{m_e[0][1], m_e[1][1]};
  const double la = a.length();
  const double lb = b.length();
  if (!(la > 0.0) || !(lb > 0.0) || !std::isfinite(la) || !std::isfinite(lb)) return false;
  const double rel = tol.equalVector();
  return std::fabs(la - lb) <= rel * std::max(la, lb) && std::fabs(a.dotProduct(b)) <= rel * la * lb;
}

bool XtGeMatrix2d::isFinite() const {
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 3; ++j)
      if (!std::isfinite(m_e[i][j])) return false;
  return true;
}

void XtGeMatrix2d::getCoordSystem(XtGePoint2d& origin, XtGeVector2d& xAxis,
                                  XtGeVector2d& yAxis) const {
  origin.set(m_e[0][2], m_e[1][2]);
  xAxis.set(m_e[0][0], m_e[1][0]);
  yAxis.set(m_e[0][1], m_e[1][1]);
}
