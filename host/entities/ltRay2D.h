// A RAY entity copy: its ray.
#pragma once

#include "host/entities/ltGeometryEnt2D.h"
#include "platform/ge/XtGeRay2d.h"

class ltRay2D final : public ltCurveEnt2D<ltRay2D, XtGeRay2d> {
 public:
  ltRay2D() = default;
  // The geometry, and the holder's list (may be null) for its properties
  // and the groups a rewrite keeps; the copy stays dirty until written.
  explicit ltRay2D(const XtGeRay2d& geometry, ltListRef* holder = nullptr) : ltCurveEnt2D(geometry, holder) {}

  ltEntKind entType() const override { return ltEntKind::ray; }

  // The entity operations of the kind (see ltEnt2D).
  int splitByCurve(const XtGeCurve2d& cutter, ltEntArray& out) override;
  int splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                          const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) override;
  bool transformBy(const XtGeMatrix2d& matrix) override;
  bool isEqualTo(const ltEnt2D& other) const override;

  // The kind's list reader and writer (identity matrix).
  static bool readGeometry(XtGeRay2d& geometry, const resbuf* list);
  static resbuf* writeGeometry(const ltEntProps& props, const XtGeRay2d& geometry, const resbuf* previous);

 private:
  friend class ltGeometryEnt2D<ltRay2D, XtGeRay2d>;
  ltRay2D(const ltRay2D&) = default;
};
