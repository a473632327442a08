// splitByCurve and splitByCurveBounded of every entity kind.
#include "host/entities/ltEnt2D.h"

// Kinds that are not cut hand on a whole copy.
int ltEnt2D::splitByCurve(const XtGeCurve2d&, ltEntArray& out) {
  out.push_back(clone());
  return 1;
}

int ltEnt2D::splitByCurveBounded(const XtGeCurve2d&, ltEntArray& out, int, bool* inside, const XtGePoint2d*,
                                 const XtGeBoundBlock2d*) {
  if (inside) *inside = false;
  out.push_back(clone());
  return 1;
}
