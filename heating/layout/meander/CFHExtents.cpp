#include "heating/layout/meander/CFHExtents.h"

#include <limits>

CFHExtents::CFHExtents()
    : minCorner(std::numeric_limits<double>::max(), std::numeric_limits<double>::max()),
      maxCorner(-std::numeric_limits<double>::max(), -std::numeric_limits<double>::max()) {}

void CFHExtents::addPoint(const XtGePoint2d& point) {
  // Comparisons with NaN are false: such a coordinate is left alone.
  if (point.x < minCorner.x) minCorner.x = point.x;
  if (point.y < minCorner.y) minCorner.y = point.y;
  if (point.x > maxCorner.x) maxCorner.x = point.x;
  if (point.y > maxCorner.y) maxCorner.y = point.y;
}

void CFHExtents::getMinMax(XtGePoint2d& minOut, XtGePoint2d& maxOut) const {
  minOut = minCorner;
  maxOut = maxCorner;
}
