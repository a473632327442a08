#include "platform/ge/XtGeVector3d.h"

#include "platform/ge/XtGe.h"
#include "platform/ge/XtGeMatrix3d.h"

double XtGeVector3d::angleTo(const XtGeVector3d& v) const {
  if (lengthSqrd() == 0.0 || v.lengthSqrd() == 0.0) return 0.0;
  return std::atan2(crossProduct(v).length(), dotProduct(v));
}

double XtGeVector3d::angleTo(const XtGeVector3d& v, const XtGeVector3d& ref) const {
  const double a = angleTo(v);
  if (crossProduct(v).dotProduct(ref) < 0.0) {
    const double r = XtGe::kTwoPi - a;
    return r >= XtGe::kTwoPi ? 0.0 : r;
  }
  return a;
}

XtGeVector3d& XtGeVector3d::transformBy(const XtGeMatrix3d& m) { return *this = m * *this; }
