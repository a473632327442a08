#include "host/entities/ltAbscissa2D.h"

#include "host/entities/entKindFactories.h"
#include "host/entities/lineList.h"

std::unique_ptr<ltEnt2D> newAbscissa2D() { return std::make_unique<ltAbscissa2D>(); }

bool ltAbscissa2D::readGeometry(XtGeLineSeg2d& geometry, const resbuf* list) { return entReader2D::line(geometry, list, nullptr); }

resbuf* ltAbscissa2D::writeGeometry(const ltEntProps& props, const XtGeLineSeg2d& geometry, const resbuf* previous) {
  return entBuilder2D::line(props, geometry, XtGeMatrix2d::kIdentity, previous);
}
