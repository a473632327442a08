// The visible pieces of a hatch pattern in a square preview box, as line
// segments, without a general clipper: every line is y = slope x + c (or
// vertical), cut against the four sides of the box and, for dashed
// families, cut into dashes.
//
// Frames. A family is given in box units with y up: its angle in degrees,
// a base point its reference line passes through, the offset from one line
// to the next and its dash list (hatchFamily). The output is in pixels with
// y down: box units (x, y) are pixels (x, size - y), and that is the frame
// in which the line routines below (lineXAxisPoint ... dashClippedLine)
// work. The angle is normalised into [0, 360); within 1e-9 degrees of 90 or
// 270 a family is vertical, within 1e-9 degrees of 0, 180 or 360 its slope
// is exactly 0. A family's pixel slope is -tan(angle).
//
// Line n of a family passes through base + n * offset, and its dash pattern
// starts there: dashes lie at [m T + c_i, m T + c_i + d_i] along the family
// direction (T the pattern length, c_i the sum of the magnitudes of the
// entries before dash i; a 0 entry is a dot, a negative one a gap). A dash is
// kept whole when its start, its end or its middle lies in the box (borders
// included), so some stick out: the preview clips when it paints.
//
// Refusals (false, nothing added): a box size below 1; a family whose
// angle, base or offset is not finite or beyond 2^31 in magnitude; lines that
// do not advance across (the offset has no part across the lines); more than
// 100,000 lines of a family or pattern repetitions of a line. A pattern of
// length 0 (or no dashes) draws solid lines; a pattern of gaps only draws
// nothing.
//
// A segment limit above 0 stops a walk as soon as the output holds more
// segments than the limit (one beyond it); what was collected stays and the
// answer is true.
//
// Pure functions; no allocation per dash beyond the output's own growth.
// Any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGePoint2dArray.h"
#include "platform/ge/XtGeVector2d.h"

// One family of parallel lines of a hatch pattern, in box units, y up.
struct hatchFamily {
  double angle = 0.0;  // degrees
  XtGePoint2d base;
  XtGeVector2d offset;
  std::vector<double> dashes;
};

// ---- Points of the line of `slope` through (x0, y0)

// Where it meets y = 0; (-1, -1) for slope 0.
XtGePoint2d lineXAxisPoint(double slope, double x0, double y0);
// Where it meets x = 0.
XtGePoint2d lineYAxisPoint(double slope, double x0, double y0);
// Its point at height y; (-1, -1) for slope 0.
XtGePoint2d lineXAtY(double slope, double x0, double y0, double y);
// Its point at x.
XtGePoint2d lineYAtX(double slope, double x0, double y0, double x);

// ---- Line operations (pixels)

// The piece of a family line inside the box [0, size]^2. Angle exactly 90:
// the line x = x0 from (x0, size) to (x0, 0); 270: from (x0, 0) to
// (x0, size); false when x0 lies outside [0, size]. Other angles: the first
// two of the points at y = 0, y = size, x = size, x = 0 that lie in the box
// and differ from the first one taken (the same: equal x with y within 1e-5,
// or equal y with x within 1e-5), ordered along the family (smaller x first
// for angles in [0, 90) and (270, 360], larger x first otherwise); false
// with fewer than two.
bool clipLineToBox(double slope, double x0, double y0, std::int32_t size, double angle, XtGePoint2d& start,
                   XtGePoint2d& end);

// The index, counted in spacings from the reference line through (x0, y0),
// of the family line just beyond a corner of the box. The coordinate
// compared is x at a fixed y for sloped families (with `spacingX`), y for
// horizontal ones (with `spacingY`); spacings count by magnitude.
//   slope > 0: flag set, x at y = 0 against the corner (size, 0); clear, x at
//              y = size against (0, size).
//   slope < 0: flag set, x at y = size against (size, size); clear, x at
//              y = 0 against (0, 0).
//   slope = 0: y0 against size (set) or 0 (clear).
// With k = trunc(distance / spacing): flag set, k when the reference
// coordinate is the larger, else -k - 1; flag clear the other way round; 0
// when they are equal. So the flag-set index counts towards the smaller
// coordinate and the flag-clear one towards the larger: y0 = 50, spacing
// 10, size 100 gives -6 both (the lines at y = 110 and y = -10). Nothing for
// a spacing that is not above 0 or a distance of 2^31 spacings or more.
std::optional<std::int32_t> hatchLineIndexAt(double slope, double x0, double y0, std::int32_t size, bool flag,
                                             double spacingX, double spacingY);

// ---- Dash lists and pattern lines

// The dash list as intervals (start, end) along a line at `angle` (radians):
// each entry v measures |v cos(angle)| (|v| with noProjection); a dash
// appends (s, s + |v|'), a dot (s, s), a gap nothing. `total` is the whole
// length (0 for an empty list). The points are replaced.
void stepPointsLength(const double* lengths, int count, XtGePoint2dArray& points, double& total, double angle,
                      bool noProjection);

// The points of the line y = (x - xRef) slope + yRef at x = x0 + dx and
// x = x1 + dx.
void hatchLinePoints(double x0, double x1, double dx, double xRef, double yRef, double slope, XtGePoint2d& a,
                     XtGePoint2d& b);

// The largest of the families' offset lengths and pattern lengths (sums of
// the magnitudes of their dash entries); 0 for no families.
double hatchPatternExtents(const std::vector<hatchFamily>& families);

// ---- Walks

// All families of a pattern, in order, under one limit. False, and the
// output as it was, when a family is refused.
bool hatchPreviewSegments(const std::vector<hatchFamily>& families, std::int32_t size, std::size_t limit,
                          std::vector<XtGeLineSeg2d>& output);

// One vertical family (false for another): the lines x = b from the one at or
// just outside the box, stepping by the offset's x part, until the first
// line after the first that misses the box.
bool hatchPatternInPolygon(const hatchFamily& family, std::int32_t size, std::size_t limit,
                           std::vector<XtGeLineSeg2d>& output);

// A dash walk along one clipped line: the repetitions of the intervals
// (pattern coordinates, `patternLength` long) from the last repetition
// starting at or before the first clipped end (`origin` is where repetition
// 0 starts, as a coordinate along `axis` 0 (x) or 1 (y); `sign` is +1 when
// the line runs towards larger values of that coordinate). The dash ends
// are points of `slope`'s line through (xRef, yRef) for axis 0, and of the
// vertical line x = xRef for axis 1. False when the line needs more than
// 100,000 repetitions.
struct hatchDashWalk {
  const XtGePoint2dArray* intervals = nullptr;
  double patternLength = 0.0;
  int axis = 0;
  double sign = 1.0;
  double origin = 0.0;
  double slope = 0.0;
  double xRef = 0.0;
  double yRef = 0.0;
};

// The dashes of one clipped line of a sloped family (axis 0).
bool hatchFamilySegments(const hatchDashWalk& walk, const XtGePoint2d& start, const XtGePoint2d& end,
                         std::int32_t size, std::size_t limit, std::vector<XtGeLineSeg2d>& output);
// The dashes of one clipped vertical line x = walk.xRef (axis 1); the sign
// is +1 when `end` has the larger pixel y.
bool dashClippedLine(hatchDashWalk walk, const XtGePoint2d& start, const XtGePoint2d& end, std::int32_t size,
                     std::size_t limit, std::vector<XtGeLineSeg2d>& output);
