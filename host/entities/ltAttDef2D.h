// The attribute-definition copy (kind 14, ATTDEF): the text values of its
// text part. A rewrite keeps it an ATTDEF: the text part comes from the
// fields, the attribute part (prompt, tag, flags, embedded object) from the
// held list, its 74 from the vertical justification. A copy without an
// attribute part in its list cannot be rewritten (it stays dirty).
#pragma once

#include "host/entities/ltText2D.h"

class ltAttDef2D final : public ltText2D {
 public:
  ltAttDef2D() = default;

  ltEntKind entType() const override { return ltEntKind::attDef; }
  std::unique_ptr<ltEnt2D> clone() const override;
  const char16_t* dxfName() const override { return u"ATTDEF"; }
  const char16_t* subclassName() const override { return u"AcDbAttributeDefinition"; }
  void writeList() override;

 private:
  ltAttDef2D(const ltAttDef2D&) = default;
};
