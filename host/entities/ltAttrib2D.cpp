#include "host/entities/ltAttrib2D.h"

#include "host/entities/attributeList.h"
#include "host/entities/entKindFactories.h"
#include "host/entities/textList.h"

std::unique_ptr<ltEnt2D> newAttrib2D() { return std::make_unique<ltAttrib2D>(); }

std::unique_ptr<ltEnt2D> ltAttrib2D::clone() const { return std::unique_ptr<ltEnt2D>(new ltAttrib2D(*this)); }

bool ltAttrib2D::readList(const resbuf* list) {
  textValues read;
  if (!entReader2D::text(read, list, nullptr, dxfName())) return false;
  std::u16string embedded;
  if (readEmbeddedText(list, embedded)) read.value = std::move(embedded);
  values_ = std::move(read);
  tag_ = readAttributeTag(list);
  return true;
}

void ltAttrib2D::writeList() {
  std::u16string embedded;
  const bool multiline = readEmbeddedText(getList(), embedded);
  adoptWrittenList(rewriteAttributeList(getProps(), values_, dxfName(), subclassName(), getList(), &tag_,
                                        multiline ? &values_.value : nullptr));
}
