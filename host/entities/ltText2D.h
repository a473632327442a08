// The single-line text copy (kind 13, TEXT) and the base of the attribute
// copies: the text values of the list (textValues.h). The list reader and
// writer take the entity type and subclass texts from dxfName and
// subclassName, so one reader serves TEXT, ATTDEF and ATTRIB. Host thread
// only, like every copy (ltEnt2D.h).
#pragma once

#include "host/entities/ltEnt2D.h"
#include "host/entities/textValues.h"

class ltText2D : public ltEnt2D {
 public:
  ltText2D() = default;

  ltEntKind entType() const override { return ltEntKind::text; }
  std::unique_ptr<ltEnt2D> clone() const override;

  // The entity type and the subclass marker of the kind.
  virtual const char16_t* dxfName() const { return u"TEXT"; }
  virtual const char16_t* subclassName() const { return u"AcDbText"; }

  // Rewrites the list with the TEXT writer from the fields; 39 and 210 are
  // kept from the held list.
  void writeList() override;

  // The entity operations of the kind (see ltEnt2D).
  bool transformBy(const XtGeMatrix2d& matrix) override;
  bool reverseParam() override;
  bool getExtents(XtGeBoundBlock2d& extents, bool merge) const override;
  bool isEqualTo(const ltEnt2D& other) const override;

  textValues& values() { return values_; }
  const textValues& values() const { return values_; }

 protected:
  ltText2D(const ltText2D&) = default;
  // The text reader with dxfName.
  bool readList(const resbuf* list) override;

  textValues values_;
};
