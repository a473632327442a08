// A 3D vector of the geometry library (orientation tests, angles, view frames).
#pragma once

#include "platform/ge/XtGeContext.h"

#include <cmath>

class XtGeMatrix3d;

class XtGeVector3d {
public:
  constexpr XtGeVector3d() = default;
  constexpr XtGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

  static const XtGeVector3d kIdentity;  // the zero vector
  static const XtGeVector3d kXAxis;
  static const XtGeVector3d kYAxis;
  static const XtGeVector3d kZAxis;

  constexpr XtGeVector3d& set(double xx, double yy, double zz) {
    x = xx;
    y = yy;
    z = zz;
    return *this;
  }

  double length() const { return std::sqrt(x * x + y * y + z * z); }
  constexpr double lengthSqrd() const { return x * x + y * y + z * z; }
  constexpr double dotProduct(const XtGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
  constexpr XtGeVector3d crossProduct(const XtGeVector3d& v) const {
    return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
  }
  // Unit vector; a vector not longer than tol.equalPoint comes back unchanged.
  XtGeVector3d normal(const XtGeTol& tol = XtGeContext::gTol) const {
    XtGeVector3d v = *this;
    return v.normalize(tol);
  }
  XtGeVector3d& normalize(const XtGeTol& tol = XtGeContext::gTol) {
    const double len = length();
    if (std::isfinite(len) && len > tol.equalPoint() && len > 0.0) *this /= len;
    return *this;
  }
  bool isZeroLength(const XtGeTol& tol = XtGeContext::gTol) const {
    return length() <= tol.equalPoint();
  }
  bool isEqualTo(const XtGeVector3d& v, const XtGeTol& tol = XtGeContext::gTol) const {
    return (*this - v).length() <= tol.equalVector();
  }

  // Unsigned angle in [0, pi]; 0 when one vector is zero.
  double angleTo(const XtGeVector3d& v) const;
  // Angle from this vector to v counter-clockwise about ref, in [0, 2*pi).
  double angleTo(const XtGeVector3d& v, const XtGeVector3d& ref) const;

  XtGeVector3d& transformBy(const XtGeMatrix3d& m);  // linear part only

  constexpr XtGeVector3d operator-() const { return {-x, -y, -z}; }
  constexpr XtGeVector3d operator+(const XtGeVector3d& v) const {
    return {x + v.x, y + v.y, z + v.z};
  }
  constexpr XtGeVector3d operator-(const XtGeVector3d& v) const {
    return {x - v.x, y - v.y, z - v.z};
  }
  constexpr XtGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
  constexpr XtGeVector3d operator/(double s) const { return {x / s, y / s, z / s}; }
  constexpr XtGeVector3d& operator+=(const XtGeVector3d& v) { return *this = *this + v; }
  constexpr XtGeVector3d& operator-=(const XtGeVector3d& v) { return *this = *this - v; }
  constexpr XtGeVector3d& operator*=(double s) { return *this = *this * s; }
  constexpr XtGeVector3d& operator/=(double s) { return *this = *this / s; }
  bool operator==(const XtGeVector3d& v) const { return isEqualTo(v); }
  bool operator!=(const XtGeVector3d& v) const { return !isEqualTo(v); }

  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

constexpr XtGeVector3d operator*(double s, const XtGeVector3d& v) { return v * s; }

inline constexpr XtGeVector3d XtGeVector3d::kIdentity{0.0, 0.0, 0.0};
inline constexpr XtGeVector3d XtGeVector3d::kXAxis{1.0, 0.0, 0.0};
inline constexpr XtGeVector3d XtGeVector3d::kYAxis{0.0, 1.0, 0.0};
inline constexpr XtGeVector3d XtGeVector3d::kZAxis{0.0, 0.0, 1.0};
