#include "geometry/vectorAngles.h"

#include "platform/ge/XtGeVector3d.h"

double signedAngle3d(const XtGeVector2d& a, const XtGeVector2d& b, bool aboutNegativeZ) {
  const XtGeVector3d from(a.x, a.y, 0.0);
  const XtGeVector3d to(b.x, b.y, 0.0);
  return from.angleTo(to, aboutNegativeZ ? -XtGeVector3d::kZAxis : XtGeVector3d::kZAxis);
}
