#include "ui/gdi/canvas.h"

#include "ui/gdi/releaseGdiItemArray.h"

#include <memory>

namespace GDI {

canvas::~canvas() { releaseGdiItemArray(baseLayer); }

curve* canvas::addCurve(const XtGeCurve2d* geometry, std::uint64_t colour, std::int32_t penWidth,
                        const char* linetype, const double* scale, std::int64_t passOn,
                        std::int32_t extra0, std::int32_t extra1) {
  if (geometry == nullptr) return nullptr;
  std::unique_ptr<XtGeCurve2d> copy(geometry->copy());
  if (!copy) return nullptr;
  const XtGeBoundBlock2d box = copy->orthoBoundBlock();

  auto added = std::make_unique<curve>(std::move(copy));
  added->colour = colour;
  added->penWidth = penWidth;
  if (linetype) added->linetype = linetype;
  added->hasScale = scale != nullptr;
  if (scale) added->scale = *scale;
  added->passOn = passOn;
  added->extra[0] = extra0;
  added->extra[1] = extra1;
  baseLayer.reserve(baseLayer.size() + 1);
  curve* result = added.release();
  baseLayer.push_back(result);

  XtGePoint2d minCorner;
  XtGePoint2d maxCorner;
  if (box.getMinMaxPoints(minCorner, maxCorner) && minCorner.isFinite() && maxCorner.isFinite())
    extents.extend(box);
  return result;
}

}  // namespace GDI
