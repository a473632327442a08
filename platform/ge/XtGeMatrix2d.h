// An affine transform of the plane, acting on column vectors: (A * B) applies
// B first. "Post-multiplied by B" is A*B, "pre-multiplied by B" is B*A.
#pragma once

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

class XtGeLine2d;

class XtGeMatrix2d {
public:
  XtGeMatrix2d() { setToIdentity(); }

  static const XtGeMatrix2d kIdentity;

  XtGeMatrix2d& setToIdentity();
  bool isIdentity(const XtGeTol& tol = XtGeContext::gTol) const;
  bool isEqualTo(const XtGeMatrix2d& m, const XtGeTol& tol = XtGeContext::gTol) const;

  // Entry of row i, column j (0..2); the last row is (0, 0, 1).
  double operator()(int i, int j) const { return m_e[i][j]; }
  double& operator()(int i, int j) { return m_e[i][j]; }

  // Builders.
  static XtGeMatrix2d translation(const XtGeVector2d& v);
  static XtGeMatrix2d rotation(double angle, const XtGePoint2d& centre = XtGePoint2d());
  static XtGeMatrix2d scaling(double factor, const XtGePoint2d& centre = XtGePoint2d());
  static XtGeMatrix2d scaling(double sx, double sy, const XtGePoint2d& centre = XtGePoint2d());
  static XtGeMatrix2d mirroring(const XtGeLine2d& line);
  static XtGeMatrix2d mirroring(const XtGePoint2d& centre);
  // The affine map sending o1 -> o2, o1 + x1 -> o2 + x2 and o1 + y1 -> o2 + y2.
  // The axes need be neither unit nor orthogonal; when x1 and y1 are parallel
  // the identity is answered.
  static XtGeMatrix2d alignCoordSys(const XtGePoint2d& o1, const XtGeVector2d& x1,
                                    const XtGeVector2d& y1, const XtGePoint2d& o2,
                                    const XtGeVector2d& x2, const XtGeVector2d& y2);

  XtGeMatrix2d& setToTranslation(const XtGeVector2d& v) { return *this = translation(v); }
  XtGeMatrix2d& setToRotation(double angle, const XtGePoint2d& centre = XtGePoint2d()) {
    return *this = rotation(angle, centre);
  }
  XtGeMatrix2d& setToScaling(double factor, const XtGePoint2d& centre = XtGePoint2d()) {
    return *this = scaling(factor, centre);
  }
  XtGeMatrix2d& setToMirroring(const XtGeLine2d& line) { return *this = mirroring(line); }
  XtGeMatrix2d& setToAlignCoordSys(const XtGePoint2d& o1, const XtGeVector2d& x1,
                                   const XtGeVector2d& y1, const XtGePoint2d& o2,
                                   const XtGeVector2d& x2, const XtGeVector2d& y2) {
    return *this = alignCoordSys(o1, x1, y1, o2, x2, y2);
  }

  XtGeMatrix2d operator*(const XtGeMatrix2d& m) const;
  XtGeMatrix2d& operator*=(const XtGeMatrix2d& m) { return postMultBy(m); }
  XtGeMatrix2d& preMultBy(const XtGeMatrix2d& left) { return *this = left * *this; }
  XtGeMatrix2d& postMultBy(const XtGeMatrix2d& right) { return *this = *this * right; }
  XtGeMatrix2d& setToProduct(const XtGeMatrix2d& a, const XtGeMatrix2d& b) {
    return *this = a * b;
  }

  XtGePoint2d operator*(const XtGePoint2d& p) const {
    return {m_e[0][0] * p.x + m_e[0][1] * p.y + m_e[0][2],
            m_e[1][0] * p.x + m_e[1][1] * p.y + m_e[1][2]};
  }
  XtGeVector2d operator*(const XtGeVector2d& v) const {
    return {m_e[0][0] * v.x + m_e[0][1] * v.y, m_e[1][0] * v.x + m_e[1][1] * v.y};
  }

  double det() const { return m_e[0][0] * m_e[1][1] - m_e[0][1] * m_e[1][0]; }
  bool isSingular(const XtGeTol& tol = XtGeContext::gTol) const;
  // Inverts in place; a singular matrix stays unchanged and false is answered.
  bool invert();
  // The inverse; a singular matrix answers itself.
  XtGeMatrix2d inverse() const;

  // The larger of |M*X| and |M*Y|: the factor by which widths grow.
  double scale() const;
  // The linear part is a rotation (possibly with a mirror) times one uniform
  // positive scale, within tol.equalVector relative to that scale.
  bool isUniScaledOrtho(const XtGeTol& tol = XtGeContext::gTol) const;
  bool isFinite() const;

  XtGeVector2d translation() const { return {m_e[0][2], m_e[1][2]}; }
  void getCoordSystem(XtGePoint2d& origin, XtGeVector2d& xAxis, XtGeVector2d& yAxis) const;

private:
  double m_e[3][3];
};
