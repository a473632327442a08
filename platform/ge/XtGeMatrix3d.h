// An affine transform of space acting on column vectors: (A * B) applies B first.
#pragma once

#include "platform/ge/XtGePoint3d.h"
#include "platform/ge/XtGeScale3d.h"
#include "platform/ge/XtGeVector3d.h"

class XtGeMatrix3d {
public:
  XtGeMatrix3d() { setToIdentity(); }

  static const XtGeMatrix3d kIdentity;

  XtGeMatrix3d& setToIdentity();
  bool isEqualTo(const XtGeMatrix3d& m, const XtGeTol& tol = XtGeContext::gTol) const;

  double operator()(int i, int j) const { return m_e[i][j]; }
  double& operator()(int i, int j) { return m_e[i][j]; }

  static XtGeMatrix3d translation(const XtGeVector3d& v);
  // Rotation by angle about the axis through centre (right-hand rule).
  static XtGeMatrix3d rotation(double angle, const XtGeVector3d& axis,
                               const XtGePoint3d& centre = XtGePoint3d());
  static XtGeMatrix3d scaling(double factor, const XtGePoint3d& centre = XtGePoint3d());
  static XtGeMatrix3d scaling(const XtGeScale3d& s, const XtGePoint3d& centre = XtGePoint3d());
  // The affine map sending the first frame onto the second: origin to origin
  // and each (possibly scaled, non-orthogonal) axis onto the matching axis.
  // Identity when the first frame's axes are linearly dependent.
  static XtGeMatrix3d alignCoordSys(const XtGePoint3d& fromOrigin, const XtGeVector3d& fromX,
                                    const XtGeVector3d& fromY, const XtGeVector3d& fromZ,
                                    const XtGePoint3d& toOrigin, const XtGeVector3d& toX,
                                    const XtGeVector3d& toY, const XtGeVector3d& toZ);
  // Rotation from the plane of the given normal (extrusion direction) to the
  // world system, with the plane's X axis chosen by the arbitrary-axis rule
  // of drawing files. A zero normal gives the identity.
  static XtGeMatrix3d planeToWorld(const XtGeVector3d& normal);

  XtGeMatrix3d& setToTranslation(const XtGeVector3d& v) { return *this = translation(v); }
  XtGeMatrix3d& setToAlignCoordSys(const XtGePoint3d& fromOrigin, const XtGeVector3d& fromX,
                                   const XtGeVector3d& fromY, const XtGeVector3d& fromZ,
                                   const XtGePoint3d& toOrigin, const XtGeVector3d& toX,
                                   const XtGeVector3d& toY, const XtGeVector3d& toZ) {
    return *this = alignCoordSys(fromOrigin, fromX, fromY, fromZ, toOrigin, toX, toY, toZ);
  }

  XtGeMatrix3d operator*(const XtGeMatrix3d& m) const;
  XtGeMatrix3d& operator*=(const XtGeMatrix3d& m) { return postMultBy(m); }
  XtGeMatrix3d& preMultBy(const XtGeMatrix3d& left) { return *this = left * *this; }
  XtGeMatrix3d& postMultBy(const XtGeMatrix3d& right) { return *this = *this * right; }
  XtGeMatrix3d& setToProduct(const XtGeMatrix3d& a, const XtGeMatrix3d& b) {
    return *this = a * b;
  }

  XtGePoint3d operator*(const XtGePoint3d& p) const;
  XtGeVector3d operator*(const XtGeVector3d& v) const;

  double det() const;
  // Inverts in place; a singular matrix stays unchanged and false is answered.
  bool invert();
  XtGeMatrix3d inverse() const;

  XtGeVector3d translation() const { return {m_e[0][3], m_e[1][3], m_e[2][3]}; }
  void getCoordSystem(XtGePoint3d& origin, XtGeVector3d& xAxis, XtGeVector3d& yAxis,
                      XtGeVector3d& zAxis) const;

private:
  double m_e[4][4];
};
