// Chaining loose curves end to end.
#pragma once

#include "geometry/curveList.h"

#include <memory>

// Takes curves out of the list into one chain and answers it (owned by the
// caller); null, with the list unchanged, when no curve of the list can
// start a chain. The first usable curve starts the chain; then the list is
// scanned again and again, and a curve joins at the end when its start
// equals the chain's end, at the front when its end equals the chain's
// start, reversed at the end when its end equals the chain's end, reversed
// at the front when its start equals the chain's start (workTol); a chain
// that has closed takes no more curves. Usable curves have both end points
// and, with linesAndArcsOnly, are line segments or circular arcs.
//
// A chain of one curve is answered as that curve unless linesAndArcsOnly is
// set; otherwise the pieces (composites exploded into copies of their
// simple pieces) become one new composite. With `close`, a chain whose ends
// do not meet is closed by a line segment from its end to its start.
std::unique_ptr<XtGeCurve2d> curveChainJoin(curvePtrArray& curves, bool linesAndArcsOnly, bool close);
