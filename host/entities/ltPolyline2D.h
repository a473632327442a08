// An LWPOLYLINE entity copy: its composite curve of line segments and
// circular arcs, the start and end width of each vertex, and one further
// word that travels with the copy.
#pragma once

#include <cstdint>
#include <vector>

#include "host/entities/ltGeometryEnt2D.h"
#include "platform/ge/XtGeCompositeCurve2d.h"

class ltPolyline2D final : public ltCurveEnt2D<ltPolyline2D, XtGeCompositeCurve2d> {
 public:
  ltPolyline2D() = default;
  // The geometry, and the holder's list (may be null) for its properties
  // and the groups a rewrite keeps; the copy stays dirty until written.
  explicit ltPolyline2D(const XtGeCompositeCurve2d& geometry, ltListRef* holder = nullptr)
      : ltCurveEnt2D(geometry, holder) {}

  ltEntKind entType() const override { return ltEntKind::polyline; }

  // Start and end width per vertex as read (per segment when written); empty
  // for none: the list's constant width (43) then stands.
  std::vector<double>& widths() { return widths_; }
  const std::vector<double>& widths() const { return widths_; }

  // Non-zero when the pieces of a cut are to be joined again; cloned with
  // the copy, set by whoever cuts it.
  std::int32_t rejoinWord = 0;

  // Rewrites the list with the widths (readList reads them).
  void writeList() override;

  // The entity operations of the kind (see ltEnt2D).
  int splitByCurve(const XtGeCurve2d& cutter, ltEntArray& out) override;
  int splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                          const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) override;
  bool transformBy(const XtGeMatrix2d& matrix) override;
  bool reverseParam() override;
  bool getExtents(XtGeBoundBlock2d& extents, bool merge) const override;
  bool isEqualTo(const ltEnt2D& other) const override;

  // The kind's list reader and writer without widths (identity matrix).
  static bool readGeometry(XtGeCompositeCurve2d& geometry, const resbuf* list);
  static resbuf* writeGeometry(const ltEntProps& props, const XtGeCompositeCurve2d& geometry, const resbuf* previous);

 protected:
  bool readList(const resbuf* list) override;

 private:
  friend class ltGeometryEnt2D<ltPolyline2D, XtGeCompositeCurve2d>;
  ltPolyline2D(const ltPolyline2D&) = default;

  std::vector<double> widths_;
};
