// Three scale factors (X, Y, Z), 1 each by default.
#pragma once

class XtGeScale3d {
public:
  constexpr XtGeScale3d() = default;
  constexpr explicit XtGeScale3d(double factor) : sx(factor), sy(factor), sz(factor) {}
  constexpr XtGeScale3d(double x, double y, double z) : sx(x), sy(y), sz(z) {}

  constexpr XtGeScale3d& set(double x, double y, double z) {
    sx = x;
    sy = y;
    sz = z;
    return *this;
  }
  constexpr bool isProportional() const { return sx == sy && sy == sz; }
  constexpr XtGeScale3d operator*(const XtGeScale3d& s) const {
    return {sx * s.sx, sy * s.sy, sz * s.sz};
  }

  double sx = 1.0;
  double sy = 1.0;
  double sz = 1.0;
};
