#include "host/entities/curvesBoundExtents.h"

#include "geometry/curveBoundBlock.h"
#include "host/entities/ltSolid2D.h"

int curvesBoundExtents(const ltEnt2D& entity, XtGeBoundBlock2d& block) {
  const XtGeCurve2d* curve = entity.getCurve();
  if (const auto* solid = dynamic_cast<const ltSolid2D*>(&entity)) curve = &solid->geometry();
  if (curve == nullptr) return 7;
  return curveBoundBlock(*curve, block, false) ? 0 : 6;
}
