#include "host/entities/ltArc2D.h"

#include "host/entities/entKindFactories.h"
#include "host/entities/circArcList.h"

std::unique_ptr<ltEnt2D> newArc2D() { return std::make_unique<ltArc2D>(); }

bool ltArc2D::readGeometry(XtGeCircArc2d& geometry, const resbuf* list) { return readCircArc2d(geometry, list, nullptr); }

resbuf* ltArc2D::writeGeometry(const ltEntProps& props, const XtGeCircArc2d& geometry, const resbuf* previous) {
  return writeCircArc2d(props, geometry, XtGeMatrix2d::kIdentity, previous);
}
