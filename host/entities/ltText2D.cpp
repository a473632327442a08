#include "host/entities/ltText2D.h"

#include "host/entities/entKindFactories.h"
#include "host/entities/textList.h"

std::unique_ptr<ltEnt2D> newText2D() { return std::make_unique<ltText2D>(); }

std::unique_ptr<ltEnt2D> ltText2D::clone() const { return std::unique_ptr<ltEnt2D>(new ltText2D(*this)); }

bool ltText2D::readList(const resbuf* list) { return entReader2D::text(values_, list, nullptr, dxfName()); }

void ltText2D::writeList() { adoptWrittenList(entBuilder2D::text(getProps(), values_, getList())); }
