// The block reference copy (kind 9, INSERT): block name, insertion point,
// the block's base point (filled by the block walk), scale and rotation. A
// reference read with a negative-z extrusion holds its values flipped into
// the drawing plane (insertList.h) and is rewritten with the extrusion
// (0, 0, 1), so it stays where it was. Host thread only.
#pragma once

#include <span>
#include <string>

#include "host/entities/ltEnt2D.h"
#include "platform/cadhost/HostTables.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeScale3d.h"

class blockCache;

class ltInsert2D final : public ltEnt2D {
 public:
  ltInsert2D() = default;

  ltEntKind entType() const override { return ltEntKind::insert; }
  std::unique_ptr<ltEnt2D> clone() const override;

  // The INSERT writer from the fields; the held list's 66 (and with it its
  // attributes), array counts and spacing and extra groups are kept.
  void writeList() override;

  // Block coordinates to drawing coordinates: translation to the insertion
  // point x rotation x scaling (x and y scale) x translation by minus the
  // block's base point.
  XtGeMatrix2d getTransform() const;

  // The entities of the referenced block, in block coordinates, appended to
  // `out`; sets the base point from the block. Without a cache the block is
  // read through the host's walk and its copies handed over; with one, the
  // cache's record (read when missing) gives clones. False, with `out` and
  // the base point unchanged, when the block cannot be read.
  bool getBlockEntities(ltEntArray& out, const HostExport2D* table, blockCache* cache);
  // The same from given lists (entReader2D::entity each) and a base point.
  bool getBlockEntitiesFromLists(ltEntArray& out, std::span<ltListRef* const> lists, const XtGePoint2d& base,
                                 blockCache* cache);

  std::u16string blockName;
  XtGePoint2d insertion;
  XtGePoint2d basePoint;
  XtGeScale3d scale;
  double rotation = 0.0;  // radians

 protected:
  bool readList(const resbuf* list) override;

 private:
  ltInsert2D(const ltInsert2D&) = default;
};
