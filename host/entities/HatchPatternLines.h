// The pattern lines of a HATCH: the record a hatch copy holds, and the
// writer and reader of one line's groups, each the other's inverse.
//
// Line groups, in this order: 53 angle (radians in lists, degrees in
// files), 43 and 44 base point, 45 and 46 offset from one line to the next
// (drawing axes), 79 dash count, then one 49 per dash (negative: a gap).
// Values are already scaled and rotated. Host thread only; nothing throws.
#pragma once

#include <vector>

#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

struct ltHatchPatternLine {
  double angle = 0.0;
  XtGePoint2d base;
  XtGeVector2d offset;
  std::vector<double> dashes;
};

// A new chain of the line's groups (owned by the caller); null when a
// value is not finite or the dashes do not fit the count group.
resbuf* writeHatchPatternLine(const ltHatchPatternLine& line);

// Reads one line starting at `node` (its 53) into `line`: answers the node
// after the line, or `node` itself when the six groups do not follow in
// order, a value is not finite, the dash count is negative or fewer 49
// groups follow than it counts; `line` is then unchanged. With a count of 0
// the line ends after its 79.
const resbuf* readHatchPatternLine(ltHatchPatternLine& line, const resbuf* node);
