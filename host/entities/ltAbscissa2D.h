// A LINE entity copy: its line segment.
#pragma once

#include "host/entities/ltGeometryEnt2D.h"
#include "platform/ge/XtGeLineSeg2d.h"

class ltAbscissa2D final : public ltCurveEnt2D<ltAbscissa2D, XtGeLineSeg2d> {
 public:
  ltAbscissa2D() = default;
  // The geometry, and the holder's list (may be null) for its properties
  // and the groups a rewrite keeps; the copy stays dirty until written.
  explicit ltAbscissa2D(const XtGeLineSeg2d& geometry, ltListRef* holder = nullptr) : ltCurveEnt2D(geometry, holder) {}

  ltEntKind entType() const override { return ltEntKind::abscissa; }

  // The entity operations of the kind (see ltEnt2D).
  int splitByCurve(const XtGeCurve2d& cutter, ltEntArray& out) override;
  int splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                          const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) override;
  bool transformBy(const XtGeMatrix2d& matrix) override;
  bool reverseParam() override;
  bool getExtents(XtGeBoundBlock2d& extents, bool merge) const override;
  bool isEqualTo(const ltEnt2D& other) const override;

  // The kind's list reader and writer (identity matrix).
  static bool readGeometry(XtGeLineSeg2d& geometry, const resbuf* list);
  static resbuf* writeGeometry(const ltEntProps& props, const XtGeLineSeg2d& geometry, const resbuf* previous);

 private:
  friend class ltGeometryEnt2D<ltAbscissa2D, XtGeLineSeg2d>;
  ltAbscissa2D(const ltAbscissa2D&) = default;
};
