#include "host/entities/ltSolid2D.h"

#include "host/entities/HatchBuilder.h"
#include "host/entities/entKindFactories.h"
#include "host/entities/solidList.h"

std::unique_ptr<ltEnt2D> newSolid2D() { return std::make_unique<ltSolid2D>(); }

bool ltSolid2D::readGeometry(XtGeCompositeCurve2d& outline, const resbuf* list) {
  return entReader2D::solid(outline, list, nullptr);
}

resbuf* ltSolid2D::writeGeometry(const ltEntProps& props, const XtGeCompositeCurve2d& outline,
                                 const resbuf* previous) {
  return entBuilder2D::solid(props, outline, XtGeMatrix2d::kIdentity, previous);
}

void ltSolid2D::writeList() {
  resbuf* list = writeGeometry(getProps(), geometry(), getList());
  if (list == nullptr) list = entBuilder2D::solidHatchOne(getProps(), geometry());
  adoptWrittenList(list);
}
