#include "host/entities/ltLine2D.h"

#include "host/entities/entKindFactories.h"
#include "host/entities/xlineList.h"

std::unique_ptr<ltEnt2D> newLine2D() { return std::make_unique<ltLine2D>(); }

bool ltLine2D::readGeometry(XtGeLine2d& geometry, const resbuf* list) { return entReader2D::xline(geometry, list, nullptr); }

resbuf* ltLine2D::writeGeometry(const ltEntProps& props, const XtGeLine2d& geometry, const resbuf* previous) {
  return entBuilder2D::xline(props, geometry, XtGeMatrix2d::kIdentity, previous);
}
