#include "host/entities/ltImage2D.h"

#include "host/entities/entKindFactories.h"
#include "host/entities/imageList.h"

std::unique_ptr<ltEnt2D> newImage2D() { return std::make_unique<ltImage2D>(); }

std::unique_ptr<ltEnt2D> ltImage2D::clone() const { return std::unique_ptr<ltEnt2D>(new ltImage2D(*this)); }

bool ltImage2D::readList(const resbuf* list) {
  return entReader2D::image(insertion, u, v, size, clipBoundary, list, nullptr, dxfName()) != 0;
}

void ltImage2D::writeList() {
  adoptWrittenList(entBuilder2D::image(getProps(), insertion, u, v, size, &clipBoundary, getList(), dxfName(),
                                       subclassName()));
}
