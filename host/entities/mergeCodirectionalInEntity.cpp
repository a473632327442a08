#include "host/entities/mergeCodirectionalInEntity.h"

#include "geometry/segmentMerging.h"
#include "host/entities/ltSolid2D.h"

bool mergeCodirectionalInEntity(ltEnt2D& entity) {
  XtGeCompositeCurve2d* composite = nullptr;
  if (XtGeCurve2d* curve = entity.getCurve(); curve && curve->type() == XtGe::kCompositeCrv2d)
    composite = static_cast<XtGeCompositeCurve2d*>(curve);
  else if (auto* solid = dynamic_cast<ltSolid2D*>(&entity))
    composite = &solid->geometry();
  if (composite == nullptr) return false;
  const int pieces = composite->numCurves();
  const bool merged = mergeCodirectionalNeighbours(*composite, XtGeContext::gTol);
  if (!merged && composite->numCurves() == pieces) return false;
  entity.markDirty();
  entity.writeList();
  return true;
}
