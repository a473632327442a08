// An ELLIPSE entity copy: its elliptical arc.
#pragma once

#include "host/entities/ltGeometryEnt2D.h"
#include "platform/ge/XtGeEllipArc2d.h"

class ltEllipse2D final : public ltCurveEnt2D<ltEllipse2D, XtGeEllipArc2d> {
 public:
  ltEllipse2D() = default;
  // The geometry, and the holder's list (may be null) for its properties
  // and the groups a rewrite keeps; the copy stays dirty until written.
  explicit ltEllipse2D(const XtGeEllipArc2d& geometry, ltListRef* holder = nullptr) : ltCurveEnt2D(geometry, holder) {}

  ltEntKind entType() const override { return ltEntKind::ellipse; }

  // The entity operations of the kind (see ltEnt2D).
  int splitByCurve(const XtGeCurve2d& cutter, ltEntArray& out) override;
  int splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                          const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) override;
  bool transformBy(const XtGeMatrix2d& matrix) override;
  bool reverseParam() override;
  bool getExtents(XtGeBoundBlock2d& extents, bool merge) const override;
  bool isEqualTo(const ltEnt2D& other) const override;

  // The kind's list reader and writer (identity matrix).
  static bool readGeometry(XtGeEllipArc2d& geometry, const resbuf* list);
  static resbuf* writeGeometry(const ltEntProps& props, const XtGeEllipArc2d& geometry, const resbuf* previous);

 private:
  friend class ltGeometryEnt2D<ltEllipse2D, XtGeEllipArc2d>;
  ltEllipse2D(const ltEllipse2D&) = default;
};
