// A 3D point of the geometry library.
#pragma once

#include "platform/ge/XtGeVector3d.h"

class XtGePoint3d {
public:
  constexpr XtGePoint3d() = default;
  constexpr XtGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

  static const XtGePoint3d kOrigin;

  constexpr XtGePoint3d& set(double xx, double yy, double zz) {
    x = xx;
    y = yy;
    z = zz;
    return *this;
  }
  constexpr XtGeVector3d asVector() const { return {x, y, z}; }
  double distanceTo(const XtGePoint3d& p) const { return (*this - p).length(); }
  bool isEqualTo(const XtGePoint3d& p, const XtGeTol& tol = XtGeContext::gTol) const {
    return distanceTo(p) <= tol.equalPoint();
  }
  bool operator==(const XtGePoint3d& p) const { return isEqualTo(p); }
  bool operator!=(const XtGePoint3d& p) const { return !isEqualTo(p); }

  XtGePoint3d& transformBy(const XtGeMatrix3d& m);

  constexpr XtGeVector3d operator-(const XtGePoint3d& p) const {
    return {x - p.x, y - p.y, z - p.z};
  }
  constexpr XtGePoint3d operator+(const XtGeVector3d& v) const {
    return {x + v.x, y + v.y, z + v.z};
  }
  constexpr XtGePoint3d operator-(const XtGeVector3d& v) const {
    return {x - v.x, y - v.y, z - v.z};
  }
  constexpr XtGePoint3d& operator+=(const XtGeVector3d& v) { return *this = *this + v; }
  constexpr XtGePoint3d& operator-=(const XtGeVector3d& v) { return *this = *this - v; }

  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

inline constexpr XtGePoint3d XtGePoint3d::kOrigin{0.0, 0.0, 0.0};
