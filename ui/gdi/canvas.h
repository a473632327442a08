// The preview scene and its painter's view: how items are sampled for the
// current view (scale, accepted deviation band, visible and sampling boxes,
// view frame and matrix), the base layer of items and the extents of all
// that was added.
#pragma once

#include "platform/ge/XtGeBoundBlock2d.h"
#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGePoint2d.h"
#include "ui/gdi/curve.h"
#include "ui/gdi/item.h"
#include "ui/gdi/viewFrame.h"

#include <cstdint>
#include <vector>

namespace GDI {

class canvas {
 public:
  canvas() = default;
  canvas(const canvas&) = delete;
  canvas& operator=(const canvas&) = delete;
  // Releases the base layer.
  ~canvas();

  // Adds a copy of `geometry` to the base layer with its colour (64 bits: an
  // override colour has all high 32 bits set), pen width, line-type name in
  // code page 1250 (null: none), scale (null: none, kept as 1), the value
  // handed on to the painter and two further values (callers pass 0 and 1),
  // and grows the extents by the curve's box (an unbounded curve adds none).
  // The caller keeps its curve. Answers the new preview curve, or null when
  // there is no curve or it cannot be copied.
  curve* addCurve(const XtGeCurve2d* geometry, std::uint64_t colour, std::int32_t penWidth,
                  const char* linetype, const double* scale, std::int64_t passOn,
                  std::int32_t extra0, std::int32_t extra1);

  // An item's sampling is accepted while its deviation lies between
  // deviationLower and deviationUpper times the view scale.
  double viewScale = 1.0;
  double deviationLower = 0.5;
  double deviationUpper = 1.5;
  XtGePoint2d visibleMin;
  XtGePoint2d visibleMax;
  // The box a resampled item takes over.
  XtGePoint2d samplingMin;
  XtGePoint2d samplingMax;
  bool samplingValid = false;
  // Raised by every resampling.
  std::int64_t resampleCount = 0;
  // Plain copies of the curves instead of pieces clipped to the frame.
  bool plainCopies = false;
  viewFrame frame;
  // Applied to every sampled point.
  XtGeMatrix2d viewMatrix;
  // The line-type spacing test compares with half of it.
  double minSpacing = 0.0;
  // Owned items; released with the canvas.
  std::vector<item*> baseLayer;
  // The box of everything added (empty at first).
  XtGeBoundBlock2d extents;
};

}  // namespace GDI
