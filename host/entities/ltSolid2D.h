// A SOLID entity copy: its closed outline of three or four line segments
// (not a curve of the copy: getCurve answers null).
//
// A rewrite goes through the SOLID writer; a closed outline it cannot write
// as a solid (other pieces or counts) is written as a solid-fill HATCH; an
// open one leaves the copy dirty.
#pragma once

#include "host/entities/ltGeometryEnt2D.h"
#include "platform/ge/XtGeCompositeCurve2d.h"

class ltSolid2D final : public ltGeometryEnt2D<ltSolid2D, XtGeCompositeCurve2d> {
 public:
  ltSolid2D() = default;
  // The outline, and the holder's list (may be null) for its properties;
  // the copy stays dirty until written.
  explicit ltSolid2D(const XtGeCompositeCurve2d& outline, ltListRef* holder = nullptr)
      : ltGeometryEnt2D(outline, holder) {}

  ltEntKind entType() const override { return ltEntKind::solid; }
  void writeList() override;

  // The entity operations of the kind (see ltEnt2D). A cut combines the
  // outline with the cutter as regions: an outline left whole gives a dirty
  // copy; results of line segments only become solids (written as hatches
  // when they have more than four corners), others solid-fill hatches.
  int splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                          const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) override;
  bool transformBy(const XtGeMatrix2d& matrix) override;
  bool getExtents(XtGeBoundBlock2d& extents, bool merge) const override;

  // The kind's list reader and writer (identity matrix).
  static bool readGeometry(XtGeCompositeCurve2d& outline, const resbuf* list);
  static resbuf* writeGeometry(const ltEntProps& props, const XtGeCompositeCurve2d& outline, const resbuf* previous);

 private:
  friend class ltGeometryEnt2D<ltSolid2D, XtGeCompositeCurve2d>;
  ltSolid2D(const ltSolid2D&) = default;
};
