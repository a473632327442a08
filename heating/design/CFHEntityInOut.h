// A drawn entity read from the drawing for the heating design. So far it holds
// what the heating curves read: the kind of entity and its geometry, a line
// segment, a composite curve or a circular arc by kind. Heating curves keep a
// pointer to the record and never free it; the record owns its geometry.
#pragma once

#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <cstdint>
#include <memory>

class CFHEntityInOut {
 public:
  enum Kind : std::uint32_t { kLine = 0, kPolyline = 1, kArc = 3 };

  CFHEntityInOut() = default;
  CFHEntityInOut(const CFHEntityInOut&) = delete;
  CFHEntityInOut& operator=(const CFHEntityInOut&) = delete;

  // Takes the geometry and sets the kind from its type: a line segment gives
  // kLine, a composite curve kPolyline, a circular arc kArc. Any other curve
  // (or none) is refused: false, and the record keeps what it had.
  bool setGeometry(std::unique_ptr<XtGeCurve2d> geometry);

  // kLine until a geometry is set.
  std::uint32_t kind() const { return kind_; }
  // The geometry, or null when none is set.
  const XtGeCurve2d* geometry() const { return geometry_.get(); }
  // The geometry as its type, or null when the kind is another.
  const XtGeLineSeg2d* lineSeg() const;
  const XtGeCircArc2d* arc() const;

 private:
  std::uint32_t kind_ = kLine;
  std::unique_ptr<XtGeCurve2d> geometry_;
};
