// The attribute copy (kind 15, ATTRIB): the text values and the tag. A
// multiline attribute's text is its embedded text (the 1 and 3 chunks after
// its 101, joined), which the copy keeps as the value. A rewrite keeps it an
// ATTRIB (see rewriteAttributeList): the text part from the fields, group 1
// the single-line form of a multiline value, the attribute part from the held
// list with the tag, the vertical justification and the embedded chunks from
// the fields. A copy without an attribute part is written with its tag alone
// (none without a tag: it stays dirty).
#pragma once

#include <string>

#include "host/entities/ltText2D.h"

class ltAttrib2D final : public ltText2D {
 public:
  ltAttrib2D() = default;

  ltEntKind entType() const override { return ltEntKind::attrib; }
  std::unique_ptr<ltEnt2D> clone() const override;
  const char16_t* dxfName() const override { return u"ATTRIB"; }
  const char16_t* subclassName() const override { return u"AcDbAttribute"; }
  void writeList() override;

  std::u16string& tag() { return tag_; }
  const std::u16string& tag() const { return tag_; }

 protected:
  bool readList(const resbuf* list) override;

 private:
  ltAttrib2D(const ltAttrib2D&) = default;

  std::u16string tag_;
};
