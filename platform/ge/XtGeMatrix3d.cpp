#include "platform/ge/XtGeMatrix3d.h"

#include <cmath>

const XtGeMatrix3d XtGeMatrix3d::kIdentity{};

XtGeMatrix3d& XtGeMatrix3d::setToIdentity() {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) m_e[i][j] = (i == j) ? 1.0 : 0.0;
  return *this;
}

bool XtGeMatrix3d::isEqualTo(const XtGeMatrix3d& m, const XtGeTol& tol) const {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      if (!(std::fabs(m_e[i][j] - m.m_e[i][j]) <= tol.equalVector())) return false;
  return true;
}

XtGeMatrix3d XtGeMatrix3d::translation(const XtGeVector3d& v) {
  XtGeMatrix3d m;
  m.m_e[0][3] = v.x;
  m.m_e[1][3] = v.y;
  m.m_e[2][3] = v.z;
  return m;
}

XtGeMatrix3d XtGeMatrix3d::rotation(double angle, const XtGeVector3d& axis,
                                    const XtGePoint3d& centre) {
  XtGeMatrix3d m;
  const double len = axis.length();
  if (!(len > 0.0) || !std::isfinite(len)) return m;
  const XtGeVector3d k = axis / len;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  const double t = 1.0 - c;
  m.m_e[0][0] = t * k.x * k.x + c;
  m.m_e[0][1] = t * k.x * k.y - s * k.z;
  m.m_e[0][2] = t * k.x * k.z + s * k.y;
  m.m_e[1][0] = t * k.x * k.y + s * k.z;
  m.m_e[1][1] = t * k.y * k.y + c;
  m.m_e[1][2] = t * k.y * k.z - s * k.x;
  m.m_e[2][0] = t * k.x * k.z - s * k.y;
  m.m_e[2][1] = t * k.y * k.z + s * k.x;
  m.m_e[2][2] = t * k.z * k.z + c;
  const XtGeVector3d moved = m * centre.asVector();
  m.m_e[0][3] = centre.x - moved.x;
  m.m_e[1][3] = centre.y - moved.y;
  m.m_e[2][3] = centre.z - moved.z;
  return m;
}

XtGeMatrix3d XtGeMatrix3d::scaling(double factor, const XtGePoint3d& centre) {
  return scaling(XtGeScale3d(factor), centre);
}

XtGeMatrix3d XtGeMatrix3d::scaling(const XtGeScale3d& s, const XtGePoint3d& centre) {
  XtGeMatrix3d m;
  m.m_e[0][0] = s.sx;
  m.m_e[1][1] = s.sy;
  m.m_e[2][2] = s.sz;
  m.m_e[0][3] = centre.x - s.sx * centre.x;
  m.m_e[1][3] = centre.y - s.sy * centre.y;
  m.m_e[2][3] = centre.z - s.sz * centre.z;
  return m;
}

namespace {

// Matrix whose columns are the three axes and whose translation is the origin.
XtGeMatrix3d frameMatrix(const XtGePoint3d& o, const XtGeVector3d& x, const XtGeVector3d& y,
                         const XtGeVector3d& z) {
  XtGeMatrix3d m;
  const XtGeVector3d cols[3] = {x, y, z};
  for (int j = 0; j < 3; ++j) {
    m(0, j) = cols[j].x;
    m(1, j) = cols[j].y;
    m(2, j) = cols[j].z;
  }
  m(0, 3) = o.x;
  m(1, 3) = o.y;
  m(2, 3) = o.z;
  return m;
}

}  // namespace

XtGeMatrix3d XtGeMatrix3d::alignCoordSys(const XtGePoint3d& fromOrigin,
                                         const XtGeVector3d& fromX, const XtGeVector3d& fromY,
                                         const XtGeVector3d& fromZ, const XtGePoint3d& toOrigin,
                                         const XtGeVector3d& toX, const XtGeVector3d& toY,
                                         const XtGeVector3d& toZ) {
  XtGeMatrix3d from = frameMatrix(fromOrigin, fromX, fromY, fromZ);
  if (!from.invert()) return XtGeMatrix3d();
  return frameMatrix(toOrigin, toX, toY, toZ) * from;
}

XtGeMatrix3d XtGeMatrix3d::planeToWorld(const XtGeVector3d& normal) {
  const double len = normal.length();
  if (!(len > 0.0) || !std::isfinite(len)) return XtGeMatrix3d();
  const XtGeVector3d n = normal / len;
  constexpr double kArbitraryAxisLimit = 1.0 / 64.0;
  XtGeVector3d ax = (std::fabs(n.x) < kArbitraryAxisLimit && std::fabs(n.y) < kArbitraryAxisLimit)
                        ? XtGeVector3d::kYAxis.crossProduct(n)
                        : XtGeVector3d::kZAxis.crossProduct(n);
  ax = ax / ax.length();
  const XtGeVector3d ay = n.crossProduct(ax);
  return frameMatrix(XtGePoint3d(), ax, ay, n);
}

XtGeMatrix3d XtGeMatrix3d::operator*(const XtGeMatrix3d& b) const {
  XtGeMatrix3d r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      double s = 0.0;
      for (int k = 0; k < 4; ++k) s += m_e[i][k] * b.m_e[k][j];
      r.m_e[i][j] = s;
    }
  return r;
}

XtGePoint3d XtGeMatrix3d::operator*(const XtGePoint3d& p) const {
  return {m_e[0][0] * p.x + m_e[0][1] * p.y + m_e[0][2] * p.z + m_e[0][3],
          m_e[1][0] * p.x + m_e[1][1] * p.y + m_e[1][2] * p.z + m_e[1][3],
          m_e[2][0] * p.x + m_e[2][1] * p.y + m_e[2][2] * p.z + m_e[2][3]};
}

XtGeVector3d XtGeMatrix3d::operator*(const XtGeVector3d& v) const {
  return {m_e[0][0] * v.x + m_e[0][1] * v.y + m_e[0][2] * v.z,
          m_e[1][0] * v.x + m_e[1][1] * v.y + m_e[1][2] * v.z,
          m_e[2][0] * v.x + m_e[2][1] * v.y + m_e[2][2] * v.z};
}

double XtGeMatrix3d::det() const {
  const auto& e = m_e;
  return e[0][0] * (e[1][1] * e[2][2] - e[1][2] * e[2][1]) -
         e[0][1] * (e[1][0] * e[2][2] - e[1][2] * e[2][0]) +
         e[0][2] * (e[1][0] * e[2][1] - e[1][1] * e[2][0]);
}

bool XtGeMatrix3d::invert() {
  // Affine inverse: [A t]^-1 = [A^-1  -A^-1 t].
  const double d = det();
  if (!(d != 0.0) || !std::isfinite(d)) return false;
  const auto& e = m_e;
  XtGeMatrix3d r;
  r.m_e[0][0] = (e[1][1] * e[2][2] - e[1][2] * e[2][1]) / d;
  r.m_e[0][1] = (e[0][2] * e[2][1] - e[0][1] * e[2][2]) / d;
  r.m_e[0][2] = (e[0][1] * e[1][2] - e[0][2] * e[1][1]) / d;
  r.m_e[1][0] = (e[1][2] * e[2][0] - e[1][0] * e[2][2]) / d;
  r.m_e[1][1] = (e[0][0] * e[2][2] - e[0][2] * e[2][0]) / d;
  r.m_e[1][2] = (e[0][2] * e[1][0] - e[0][0] * e[1][2]) / d;
  r.m_e[2][0] = (e[1][0] * e[2][1] - e[1][1] * e[2][0]) / d;
  r.m_e[2][1] = (e[0][1] * e[2][0] - e[0][0] * e[2][1]) / d;
  r.m_e[2][2] = (e[0][0] * e[1][1] - e[0][1] * e[1][0]) / d;
  for (int i = 0; i < 3; ++i)
    r.m_e[i][3] = -(r.m_e[i][0] * e[0][3] + r.m_e[i][1] * e[1][3] + r.m_e[i][2] * e[2][3]);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 4; ++j)
      if (!std::isfinite(r.m_e[i][j])) return false;
  *this = r;
  return true;
}

XtGeMatrix3d XtGeMatrix3d::inverse() const {
  XtGeMatrix3d r = *this;
  r.invert();
  return r;
}

void XtGeMatrix3d::getCoordSystem(XtGePoint3d& origin, XtGeVector3d& xAxis,
                                  XtGeVector3d& yAxis, XtGeVector3d& zAxis) const {
  origin.set(m_e[0][3], m_e[1][3], m_e[2][3]);
  xAxis.set(m_e[0][0], m_e[1][0], m_e[2][0]);
  yAxis.set(m_e[0][1], m_e[1][1], m_e[2][1]);
  zAxis.set(m_e[0][2], m_e[1][2], m_e[2][2]);
}
