#include "host/entities/ltPolyline2D.h"

#include "host/entities/entKindFactories.h"
#include "host/entities/lwPolylineList.h"

std::unique_ptr<ltEnt2D> newPolyline2D() { return std::make_unique<ltPolyline2D>(); }

bool ltPolyline2D::readGeometry(XtGeCompositeCurve2d& geometry, const resbuf* list) {
  return entReader2D::polyline(geometry, list, nullptr, nullptr) != 0;
}

resbuf* ltPolyline2D::writeGeometry(const ltEntProps& props, const XtGeCompositeCurve2d& geometry,
                                    const resbuf* previous) {
  return entBuilder2D::polyline(props, geometry, XtGeMatrix2d::kIdentity, previous, nullptr);
}

bool ltPolyline2D::readList(const resbuf* list) {
  XtGeCompositeCurve2d curve;
  std::vector<double> widths;
  if (entReader2D::polyline(curve, list, nullptr, &widths) == 0) return false;
  geometry() = std::move(curve);
  widths_ = std::move(widths);
  return true;
}

void ltPolyline2D::writeList() {
  adoptWrittenList(entBuilder2D::polyline(getProps(), geometry(), XtGeMatrix2d::kIdentity, getList(), &widths_));
}
