#include "host/entities/ltEllipse2D.h"

#include "host/entities/entKindFactories.h"
#include "host/entities/ellipseList.h"

std::unique_ptr<ltEnt2D> newEllipse2D() { return std::make_unique<ltEllipse2D>(); }

bool ltEllipse2D::readGeometry(XtGeEllipArc2d& geometry, const resbuf* list) { return readEllipArc2d(geometry, list, nullptr); }

resbuf* ltEllipse2D::writeGeometry(const ltEntProps& props, const XtGeEllipArc2d& geometry, const resbuf* previous) {
  return writeEllipArc2d(props, geometry, XtGeMatrix2d::kIdentity, previous);
}
