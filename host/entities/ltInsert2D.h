// The block reference copy (kind 9, INSERT): block name, insertion point,
// the block's base point (filled by the block walk), scale and rotation. A
// reference read with a negative-z extrusion holds its values flipped into
// the drawing plane (insertList.h) and is rewritten with the extrusion
// (0, 0, 1), so it stays where it was. Host thread only.
#pragma once

#include <span>
#include <string>
#include <vector>

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

  // ---- Operations on the block's content (BlockReferenceOps.cpp)

  // Widens (merge true: from the first curve on) or sets the block by the
  // placed curves of the block's entities, read through the host's walk
  // (which also sets the base point). Circular arcs under a non-uniform
  // scale are measured as their elliptical images. Entities without a curve
  // (texts, hatches, nested references) add nothing. True when a curve
  // contributed.
  bool getBlockExtents(XtGeBoundBlock2d& extents, const HostExport2D* table, bool merge);

  // Appends the block's entities placed by the reference's transform,
  // nested references exploded in turn (their scales must be equal in X and
  // Y: `nested` asks for that of this one). Catch-all copies that cannot be
  // moved (splines, leaders ...) are appended as read. Answers 1, or 0 with
  // nothing appended: the block cannot be read, a nested reference has
  // unequal scales, an entity of a kind that is moved cannot follow the
  // transform (an arc under a non-uniform scale), or a block holds itself,
  // directly or through others.
  int explode(ltEntArray& out, const HostExport2D* table, blockCache* cache, bool nested);

  // The reference on a block of the content cut by curves given in drawing
  // coordinates, placed by `outer` times the reference's transform: the
  // curves of `keepInside` keep what lies inside or on them, those of
  // `cutAway` cut away what lies inside them. The content is read from
  // `lists` with `base` when given, else from the host or the cache; nested
  // references are clipped in turn. When something was cut and pieces are
  // left (or, for a nested clip, whenever the block has entities), the
  // pieces become a new block through word 111 (anonymous names from the
  // counter, see makeUniqueName) and the answer refers to it; when the host
  // makes no block the answer keeps the old name. `cutting` receives each
  // given curve that cut something, once. Answers a new reference (owned by
  // the caller), or null when nothing of the content is left; a block that
  // cannot be read gives a clone of this reference. A lone open cutter of an
  // anonymous clip becomes the region on the base point's side of it.
  std::unique_ptr<ltInsert2D> clipByCurves(std::span<const XtGeCurve2d* const> keepInside,
                                           std::span<const XtGeCurve2d* const> cutAway, const HostExport2D* table,
                                           const XtGeMatrix2d& outer, blockCache* cache, bool nested,
                                           std::vector<const XtGeCurve2d*>& cutting, std::span<ltListRef* const> lists,
                                           const XtGePoint2d& base, bool anonymous);

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
