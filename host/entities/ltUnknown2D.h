// The catch-all entity copy (kind 12): any entity no other kind reads
// (dimensions, leaders, multileaders, splines, faces ...). It has no fields of
// its own: the list alone carries the entity, and a rewrite replaces only the
// common part before the second subclass marker.
#pragma once

#include "host/entities/ltEnt2D.h"

class ltUnknown2D final : public ltEnt2D {
 public:
  ltUnknown2D() = default;

  ltEntKind entType() const override { return ltEntKind::unknown; }
  std::unique_ptr<ltEnt2D> clone() const override;

  // Clears the dirty flag, then rebuilds the list as the entity header (with
  // the old list's type and brace sections) followed by a copy of the old
  // list from its second 100 group up to its extended data (the first code of
  // 1000 or more), and a copy of the properties' tail. Without a list, a
  // type, or a second 100 group before the extended data (or when the heap
  // runs out) the list stays as it is.
  void writeList() override;

  // The entity operations of the kind (see ltEnt2D).
  bool transformBy(const XtGeMatrix2d& matrix) override;

 protected:
  // Accepts every list but none.
  bool readList(const resbuf* list) override { return list != nullptr; }

 private:
  ltUnknown2D(const ltUnknown2D&) = default;
};
