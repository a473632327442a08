// The paint buffer of a preview curve: the points of all its runs (one run
// per visible piece), the index behind the last point of each run, the dash
// points of its line type, and what the last sampling was made for (the
// deviation and the visible box), with a flag telling whether that is valid.
#pragma once

#include "platform/ge/XtGeCurve2dPtrArray.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGePoint2dArray.h"
#include "ui/gdi/buffer.h"

#include <cstdint>

namespace GDI {

class buffer_curve : public buffer {
 public:
  // Empties the runs, the run ends and the dash points and zeroes the cached
  // deviation.
  void clear() override;

  XtGePoint2dArray points;
  XtGeIntArray runEnds;
  XtGePoint2dArray dashPoints;
  double deviation = 0.0;
  XtGePoint2d visibleMin;
  XtGePoint2d visibleMax;
  std::uint8_t cacheValid = 0;
};

}  // namespace GDI
