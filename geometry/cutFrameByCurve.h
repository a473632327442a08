// Turning a cutting curve into a closed region: a closed curve is the
// region itself; an open curve, lengthened at both ends, cuts a frame round
// a bound block in two and the side holding a given point is the region.
// The drawing entities cut with open curves through it.
//
// Tolerances: closedness of the given curve uses the calling thread's
// XtGeContext::gTol, the meeting of the two end extensions and the chaining
// workTol, the cut of the frame intersectAndSplitPair's. Nothing keeps
// state or throws.
#pragma once

#include "platform/ge/XtGeBoundBlock2d.h"
#include "platform/ge/XtGeCurve2d.h"

#include <cstdint>
#include <memory>

// The frame is the block grown by a tenth of each side on every side. A
// closed curve gives a copy of itself (sideFlag 1 when the point lies inside
// it). Otherwise the curve (an unbounded one first clipped to the frame,
// which must leave one chain) is lengthened at each end along its end
// tangent by the frame's width plus height:
// - when the two extensions meet, they close the curve into a loop up to
//   their meeting point, and the loop is the region (sideFlag 1 when the
//   point does not lie inside it);
// - otherwise the lengthened curve cuts the frame in two, and the region is
//   the part that holds the point (sideFlag 0).
// Null (the caller owns any region answered) when the pieces do not make
// one chain, the chain does not cross the frame exactly twice, or the point
// lies in neither part (on the cut, or outside the frame).
std::unique_ptr<XtGeCurve2d> cutFrameByCurve(const XtGeCurve2d& curve, const XtGeBoundBlock2d& block,
                                             const XtGePoint2d& point, std::uint8_t& sideFlag);
