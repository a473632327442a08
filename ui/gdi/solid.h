// A filled polygon of the preview: the closed curves of its outline, the
// points the ring sampler makes of them (after the optional transform),
// the scale they were sampled at and their extents.
#pragma once

#include "platform/ge/XtGeBoundBlock2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGePoint2dArray.h"
#include "ui/gdi/item.h"

#include <memory>
#include <optional>
#include <vector>

namespace GDI {

class solid : public item {
 public:
  // Drops what was sampled before the rings are sampled again: the points,
  // the extents, the sampling scale and the valid flag. The rings and the
  // transform stay.
  virtual void reset();

  bool valid = false;
  double samplingScale = 0.0;
  XtGeBoundBlock2d extents;
  std::vector<std::unique_ptr<XtGeCompositeCurve2d>> rings;
  XtGePoint2dArray points;
  std::optional<XtGeMatrix2d> transform;
};

}  // namespace GDI
