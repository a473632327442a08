// A POINT entity copy: its location (not a curve: getCurve answers null).
#pragma once

#include "host/entities/ltGeometryEnt2D.h"
#include "platform/ge/XtGePoint2d.h"

class ltPoint2D final : public ltGeometryEnt2D<ltPoint2D, XtGePoint2d> {
 public:
  ltPoint2D() = default;
  // The geometry, and the holder's list (may be null) for its properties
  // and the groups a rewrite keeps; the copy stays dirty until written.
  explicit ltPoint2D(const XtGePoint2d& geometry, ltListRef* holder = nullptr) : ltGeometryEnt2D(geometry, holder) {}

  ltEntKind entType() const override { return ltEntKind::point; }

  // The entity operations of the kind (see ltEnt2D).
  int splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                          const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) override;
  bool transformBy(const XtGeMatrix2d& matrix) override;
  bool getExtents(XtGeBoundBlock2d& extents, bool merge) const override;
  bool isEqualTo(const ltEnt2D& other) const override;

  // The kind's list reader and writer (identity matrix).
  static bool readGeometry(XtGePoint2d& geometry, const resbuf* list);
  static resbuf* writeGeometry(const ltEntProps& props, const XtGePoint2d& geometry, const resbuf* previous);

 private:
  friend class ltGeometryEnt2D<ltPoint2D, XtGePoint2d>;
  ltPoint2D(const ltPoint2D&) = default;
};
