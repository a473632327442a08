// The wipeout copy (kind 11, WIPEOUT): an image copy of type "WIPEOUT" with
// the subclass "AcDbWipeout"; it needs no image definition.
#pragma once

#include "host/entities/ltImage2D.h"

class ltWipeout2D final : public ltImage2D {
 public:
  ltWipeout2D() = default;

  ltEntKind entType() const override { return ltEntKind::wipeout; }
  std::unique_ptr<ltEnt2D> clone() const override;
  const char16_t* dxfName() const override { return u"WIPEOUT"; }
  const char16_t* subclassName() const override { return u"AcDbWipeout"; }

 private:
  ltWipeout2D(const ltWipeout2D&) = default;
};
