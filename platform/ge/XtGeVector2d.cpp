#include "platform/ge/XtGeVector2d.h"

#include "platform/ge/XtGe.h"
#include "platform/ge/XtGeMatrix2d.h"

double XtGeVector2d::angle() const {
  if (x == 0.0 && y == 0.0) return 0.0;
  double a = std::atan2(y, x);
  if (a < 0.0) a += XtGe::kTwoPi;
  if (a >= XtGe::kTwoPi) a = 0.0;
  return a;
}

double XtGeVector2d::angleTo(const XtGeVector2d& v) const {
  if ((x == 0.0 && y == 0.0) || (v.x == 0.0 && v.y == 0.0)) return 0.0;
  return std::atan2(std::fabs(crossProduct(v)), dotProduct(v));
}

XtGeVector2d& XtGeVector2d::rotateBy(double angle) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  return set(c * x - s * y, s * x + c * y);
}

XtGeVector2d& XtGeVector2d::transformBy(const XtGeMatrix2d& m) { return *this = m * *this; }

bool XtGeVector2d::isParallelTo(const XtGeVector2d& v, const XtGeTol& tol) const {
  const double la = length();
  const double lb = v.length();
  if (!(la > tol.equalPoint()) || !(lb > tol.equalPoint()) || !std::isfinite(la) ||
      !std::isfinite(lb))
    return false;
  return std::fabs(crossProduct(v) / (la * lb)) <= tol.equalVector();
}

bool XtGeVector2d::isCodirectionalTo(const XtGeVector2d& v, const XtGeTol& tol) const {
  return isParallelTo(v, tol) && dotProduct(v) > 0.0;
}

bool XtGeVector2d::isPerpendicularTo(const XtGeVector2d& v, const XtGeTol& tol) const {
  const double la = length();
  const double lb = v.length();
  if (!(la > tol.equalPoint()) || !(lb > tol.equalPoint()) || !std::isfinite(la) ||
      !std::isfinite(lb))
    return false;
  return std::fabs(dotProduct(v) / (la * lb)) <= tol.equalVector();
}
