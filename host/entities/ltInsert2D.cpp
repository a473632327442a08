#include "host/entities/ltInsert2D.h"

#include "host/entities/blockCache.h"
#include "host/entities/entKindFactories.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/insertList.h"

std::unique_ptr<ltEnt2D> newInsert2D() { return std::make_unique<ltInsert2D>(); }

std::unique_ptr<ltEnt2D> ltInsert2D::clone() const { return std::unique_ptr<ltEnt2D>(new ltInsert2D(*this)); }

bool ltInsert2D::readList(const resbuf* list) {
  return entReader2D::insert(insertion, blockName, scale, rotation, nullptr, nullptr, list, nullptr);
}

void ltInsert2D::writeList() {
  // The array of a multiple insert is no field of the copy: it comes from the
  // held list, as do the 66 and the extra groups.
  const resbuf* held = getList();
  const resbuf* columns = entReader2D::firstGroup(held, 70);
  const resbuf* rows = entReader2D::firstGroup(held, 71);
  const resbuf* columnGap = entReader2D::firstGroup(held, 44);
  const resbuf* rowGap = entReader2D::firstGroup(held, 45);
  const insertCounts counts{columns ? columns->value.i16 : 1.0, rows ? rows->value.i16 : 1.0};
  const insertSpacing spacing{columnGap ? columnGap->value.real : 0.0, rowGap ? rowGap->value.real : 0.0};
  const bool hasCounts = (columns || rows) && counts.columns >= 1.0 && counts.rows >= 1.0;
  const resbuf* extrusion = entReader2D::firstGroup(held, 210);
  const XtGeVector3d up{0.0, 0.0, 1.0};
  const bool flipped = extrusion != nullptr && extrusion->value.point[2] < 0.0;
  adoptWrittenList(entBuilder2D::insert(getProps(), insertion, blockName, scale, rotation,
                                        hasCounts ? &counts : nullptr, columnGap || rowGap ? &spacing : nullptr,
                                        held, 0, flipped ? &up : nullptr));
}

XtGeMatrix2d ltInsert2D::getTransform() const {
  return XtGeMatrix2d::translation(insertion.asVector()) * XtGeMatrix2d::rotation(rotation) *
         XtGeMatrix2d::scaling(scale.sx, scale.sy) * XtGeMatrix2d::translation(-basePoint.asVector());
}

bool ltInsert2D::getBlockEntities(ltEntArray& out, const HostExport2D* table, blockCache* cache) {
  if (cache != nullptr) return cache->findOrReadFromHost(blockName, table, out, &basePoint);
  blockRecord record;
  if (!readBlockFromHost(record, table, blockName.c_str(), true)) return false;
  appendBlockEntities(record, out, false);
  basePoint = record.basePoint;
  return true;
}

bool ltInsert2D::getBlockEntitiesFromLists(ltEntArray& out, std::span<ltListRef* const> lists,
                                           const XtGePoint2d& base, blockCache* cache) {
  if (cache != nullptr) {
    if (!cache->findOrReadFromLists(blockName, lists, base, out)) return false;
    basePoint = cache->find(blockName)->basePoint;
    return true;
  }
  blockRecord record;
  fillBlockFromLists(record, blockName, lists, base);
  appendBlockEntities(record, out, false);
  basePoint = base;
  return true;
}
