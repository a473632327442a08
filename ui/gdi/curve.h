// A curve of the preview: its own copy of a geometry curve, its line-type
// pattern, its paint buffer (a buffer_curve, owned as the item's buffer) and
// the drawing attributes it was added with.
#pragma once

#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/XtGePoint2d.h"
#include "ui/gdi/buffer_curve.h"
#include "ui/gdi/item.h"

#include <cstdint>
#include <memory>
#include <string>

namespace GDI {

// A line-type pattern as the dashing reads it: its total length and its
// number of elements (0: continuous).
struct linetypePattern {
  double length = 0.0;
  std::int32_t elementCount = 0;
};

class curve : public item {
 public:
  // Takes the geometry curve over (it may be null); the paint buffer is made
  // empty.
  explicit curve(std::unique_ptr<XtGeCurve2d> geometry = nullptr);

  // The paint buffer; null once the item's buffer was released.
  buffer_curve* paintBuffer() { return dynamic_cast<buffer_curve*>(owned.get()); }

  std::unique_ptr<XtGeCurve2d> geCurve;
  linetypePattern pattern;
  // 64 bits: an override colour has all high 32 bits set.
  std::uint64_t colour = 0;
  std::int32_t penWidth = 1;
  // The line-type name in code page 1250.
  std::string linetype;
  bool hasScale = false;
  double scale = 1.0;
  std::int64_t passOn = 0;
  // The two further values the painter is handed (callers pass 0 and 1).
  std::int32_t extra[2] = {0, 1};
  // The extents of the geometry curve; the corners mean nothing while
  // extentsValid is false.
  XtGePoint2d extentsMin;
  XtGePoint2d extentsMax;
  bool extentsValid = false;
};

}  // namespace GDI
