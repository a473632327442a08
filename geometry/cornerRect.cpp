#include "geometry/cornerRect.h"

#include <algorithm>

cornerRect rectOffsetBy(const cornerRect& rect, const XtGeVector2d& offset) {
  const XtGePoint2d a = rect.minCorner + offset;
  const XtGePoint2d b = rect.maxCorner + offset;
  return {XtGePoint2d(std::min(a.x, b.x), std::min(a.y, b.y)),
          XtGePoint2d(std::max(a.x, b.x), std::max(a.y, b.y))};
}

int oppositeCorner(int code) {
  switch (code) {
    case 1: return 3;
    case 3: return 1;
    case 2: return 4;
    case 4: return 2;
    default: return code;
  }
}
