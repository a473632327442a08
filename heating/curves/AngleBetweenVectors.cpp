#include "heating/curves/AngleBetweenVectors.h"

#include "geometry/vectorAngles.h"

double angleBetweenVectors(const XtGeVector2d& a, const XtGeVector2d& b, bool fromFirst) {
  return fromFirst ? signedAngle3d(a, b, false) : signedAngle3d(b, a, false);
}
