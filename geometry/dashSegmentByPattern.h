// Dashing a straight stretch by a line-type pattern.
#pragma once

#include "geometry/hvArray.h"
#include "platform/ge/XtGePoint2dArray.h"

#include <cstdint>

// A line-type pattern: its total length and its elements, each a length
// with a flag telling whether it is drawn (1) or a gap (0).
struct lineDashPattern {
  double totalLength = 0.0;
  hvArray<double> dashes;
  hvArray<std::uint8_t> draw;
};

// Appends the drawn dashes of the stretch from p1 to p2 to points, two
// points per dash. t1 and t2 are the lengths along the whole line at p1 and
// p2; divided by scale they are positions in the pattern, so consecutive
// stretches of one line continue the pattern. A pattern of no length (or no
// elements) gives the solid stretch (p1, p2); a stretch of no length gives
// nothing. The walk always runs from the smaller position to the larger.
void dashSegmentByPattern(const lineDashPattern& pattern, const XtGePoint2d& p1,
                          const XtGePoint2d& p2, double t1, double t2, double scale,
                          XtGePoint2dArray& points);
