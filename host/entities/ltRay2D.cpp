#include "host/entities/ltRay2D.h"

#include "host/entities/entKindFactories.h"
#include "host/entities/rayList.h"

std::unique_ptr<ltEnt2D> newRay2D() { return std::make_unique<ltRay2D>(); }

bool ltRay2D::readGeometry(XtGeRay2d& geometry, const resbuf* list) { return readRay2d(geometry, list, nullptr); }

resbuf* ltRay2D::writeGeometry(const ltEntProps& props, const XtGeRay2d& geometry, const resbuf* previous) {
  return writeRay2d(props, geometry, XtGeMatrix2d::kIdentity, previous);
}
