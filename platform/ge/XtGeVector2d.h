// A 2D vector (direction and length) of the geometry library.
#pragma once

#include "platform/ge/XtGeContext.h"

#include <cmath>

class XtGeMatrix2d;

class XtGeVector2d {
public:
  constexpr XtGeVector2d() = default;
  constexpr XtGeVector2d(double xx, double yy) : x(xx), y(yy) {}

  static const XtGeVector2d kIdentity;  // the zero vector
  static const XtGeVector2d kXAxis;
  static const XtGeVector2d kYAxis;

  constexpr XtGeVector2d& set(double xx, double yy) {
    x = xx;
    y = yy;
    return *this;
  }

  double length() const {
    // sqrt of the sum is several times faster than hypot; hypot only where
    // the squares overflow or underflow.
    const double s = x * x + y * y;
    if (s < 1e300 && s > 1e-300) return std::sqrt(s);
    return std::hypot(x, y);
  }
  constexpr double lengthSqrd() const { return x * x + y * y; }
  constexpr double dotProduct(const XtGeVector2d& v) const { return x * v.x + y * v.y; }
  // Z component of the 3D cross product (this x v): positive when v lies
  // counter-clockwise of this vector.
  constexpr double crossProduct(const XtGeVector2d& v) const { return x * v.y - y * v.x; }

  // Unit vector of the same direction; a vector not longer than
  // tol.equalPoint (or not finite) comes back unchanged.
  XtGeVector2d normal(const XtGeTol& tol = XtGeContext::gTol) const {
    XtGeVector2d v = *this;
    v.normalize(tol);
    return v;
  }
  XtGeVector2d& normalize(const XtGeTol& tol = XtGeContext::gTol) {
    const double len = length();
    if (std::isfinite(len) && len > tol.equalPoint() && len > 0.0) {
      x /= len;
      y /= len;
    }
    return *this;
  }

  // The left normal (-y, x): this vector turned by +90 degrees.
  constexpr XtGeVector2d perpVector() const { return {-y, x}; }

  // Angle counter-clockwise from +X, in [0, 2*pi); 0 for the zero vector.
  double angle() const;
  // Unsigned angle between the two vectors, in [0, pi]; 0 when one is zero.
  double angleTo(const XtGeVector2d& v) const;

  XtGeVector2d& rotateBy(double angle);
  XtGeVector2d& transformBy(const XtGeMatrix2d& m);  // linear part only
  constexpr XtGeVector2d& negate() {
    x = -x;
    y = -y;
    return *this;
  }

  bool isEqualTo(const XtGeVector2d& v, const XtGeTol& tol = XtGeContext::gTol) const {
    return (*this - v).length() <= tol.equalVector();
  }
  bool isZeroLength(const XtGeTol& tol = XtGeContext::gTol) const {
    return length() <= tol.equalPoint();
  }
  bool isUnitLength(const XtGeTol& tol = XtGeContext::gTol) const {
    return std::fabs(length() - 1.0) <= tol.equalVector();
  }
  // Both vectors longer than tol.equalPoint and their unit vectors'
  // cross product at most tol.equalVector.
  bool isParallelTo(const XtGeVector2d& v, const XtGeTol& tol = XtGeContext::gTol) const;
  // Parallel and pointing the same way.
  bool isCodirectionalTo(const XtGeVector2d& v, const XtGeTol& tol = XtGeContext::gTol) const;
  // Both vectors non-zero and the dot product of their unit vectors at most
  // tol.equalVector.
  bool isPerpendicularTo(const XtGeVector2d& v, const XtGeTol& tol = XtGeContext::gTol) const;

  constexpr XtGeVector2d operator-() const { return {-x, -y}; }
  constexpr XtGeVector2d operator+(const XtGeVector2d& v) const { return {x + v.x, y + v.y}; }
  constexpr XtGeVector2d operator-(const XtGeVector2d& v) const { return {x - v.x, y - v.y}; }
  constexpr XtGeVector2d operator*(double s) const { return {x * s, y * s}; }
  constexpr XtGeVector2d operator/(double s) const { return {x / s, y / s}; }
  constexpr XtGeVector2d& operator+=(const XtGeVector2d& v) {
    x += v.x;
    y += v.y;
    return *this;
  }
  constexpr XtGeVector2d& operator-=(const XtGeVector2d& v) {
    x -= v.x;
    y -= v.y;
    return *this;
  }
  constexpr XtGeVector2d& operator*=(double s) {
    x *= s;
    y *= s;
    return *this;
  }
  constexpr XtGeVector2d& operator/=(double s) {
    x /= s;
    y /= s;
    return *this;
  }
  // Equality under the calling thread's XtGeContext::gTol.
  bool operator==(const XtGeVector2d& v) const { return isEqualTo(v); }
  bool operator!=(const XtGeVector2d& v) const { return !isEqualTo(v); }

  bool isFinite() const { return std::isfinite(x) && std::isfinite(y); }

  double x = 0.0;
  double y = 0.0;
};

constexpr XtGeVector2d operator*(double s, const XtGeVector2d& v) { return v * s; }

inline constexpr XtGeVector2d XtGeVector2d::kIdentity{0.0, 0.0};
inline constexpr XtGeVector2d XtGeVector2d::kXAxis{1.0, 0.0};
inline constexpr XtGeVector2d XtGeVector2d::kYAxis{0.0, 1.0};
