#include "host/entities/ltPoint2D.h"

#include "host/entities/entKindFactories.h"
#include "host/entities/pointList.h"

std::unique_ptr<ltEnt2D> newPoint2D() { return std::make_unique<ltPoint2D>(); }

bool ltPoint2D::readGeometry(XtGePoint2d& geometry, const resbuf* list) { return entReader2D::point(geometry, list, nullptr); }

resbuf* ltPoint2D::writeGeometry(const ltEntProps& props, const XtGePoint2d& geometry, const resbuf* previous) {
  return entBuilder2D::point(props, geometry, XtGeMatrix2d::kIdentity, previous);
}
