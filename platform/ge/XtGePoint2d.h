// A 2D point of the geometry library. The default point is exactly (0, 0).
#pragma once

#include "platform/ge/XtGeVector2d.h"

#include <cmath>

class XtGeMatrix2d;
class XtGeLine2d;

class XtGePoint2d {
public:
  constexpr XtGePoint2d() : x(0.0), y(0.0) {}
  constexpr XtGePoint2d(double xx, double yy) : x(xx), y(yy) {}

  static const XtGePoint2d kOrigin;

  constexpr XtGePoint2d& set(double xx, double yy) {
    x = xx;
    y = yy;
    return *this;
  }

  constexpr XtGeVector2d asVector() const { return {x, y}; }
  double distanceTo(const XtGePoint2d& p) const { return (*this - p).length(); }

  // Equal when the distance is at most tol.equalPoint (also with a zero
  // tolerance, so that identical points always compare equal).
  bool isEqualTo(const XtGePoint2d& p, const XtGeTol& tol = XtGeContext::gTol) const {
    return distanceTo(p) <= tol.equalPoint();
  }
  // Equality under the calling thread's XtGeContext::gTol.
  bool operator==(const XtGePoint2d& p) const { return isEqualTo(p); }
  bool operator!=(const XtGePoint2d& p) const { return !isEqualTo(p); }

  XtGePoint2d& transformBy(const XtGeMatrix2d& m);
  XtGePoint2d& rotateBy(double angle, const XtGePoint2d& centre = XtGePoint2d());
  XtGePoint2d& mirror(const XtGeLine2d& line);
  XtGePoint2d& scaleBy(double factor, const XtGePoint2d& centre = XtGePoint2d());

  constexpr XtGeVector2d operator-(const XtGePoint2d& p) const { return {x - p.x, y - p.y}; }
  constexpr XtGePoint2d operator+(const XtGeVector2d& v) const { return {x + v.x, y + v.y}; }
  constexpr XtGePoint2d operator-(const XtGeVector2d& v) const { return {x - v.x, y - v.y}; }
  constexpr XtGePoint2d& operator+=(const XtGeVector2d& v) {
    x += v.x;
    y += v.y;
    return *this;
  }
  constexpr XtGePoint2d& operator-=(const XtGeVector2d& v) {
    x -= v.x;
    y -= v.y;
    return *this;
  }

  bool isFinite() const { return std::isfinite(x) && std::isfinite(y); }

  double x;
  double y;
};

inline constexpr XtGePoint2d XtGePoint2d::kOrigin{0.0, 0.0};
