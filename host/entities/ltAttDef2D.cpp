#include "host/entities/ltAttDef2D.h"

#include "host/entities/attributeList.h"
#include "host/entities/entKindFactories.h"

std::unique_ptr<ltEnt2D> newAttDef2D() { return std::make_unique<ltAttDef2D>(); }

std::unique_ptr<ltEnt2D> ltAttDef2D::clone() const { return std::unique_ptr<ltEnt2D>(new ltAttDef2D(*this)); }

void ltAttDef2D::writeList() {
  adoptWrittenList(rewriteAttributeList(getProps(), values_, dxfName(), subclassName(), getList(), nullptr, nullptr));
}
