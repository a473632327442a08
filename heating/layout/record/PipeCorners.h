// The corners a pipe turns where a step leaves one loop and meets the next.
//
// A pipe that turns sharper than kSharpestPipeCorner (an inside angle below
// 60 degrees) comes back nearer than the spacing to itself: two points t
// along either leg from the corner lie 2 t sin(angle / 2) apart, under s
// for t = s (2 s along the pipe). The steps across the levels and the
// bridges onto the next loop look at the corners they would make and keep
// clear of such ones where they have a choice.
//
// Threads: values; any thread.
#pragma once

#include "platform/ge/XtGeVector2d.h"

#include <numbers>

class CLoop;
class CLoopPoint;

inline constexpr double kSharpestPipeCorner = std::numbers::pi / 3.0;

// The inside angle, in [0, pi], of the corner where the pipe comes in
// along `in` and goes on along `out` (directions of travel): pi for no
// turn, 0 for a turn back on itself. Zero-length directions give pi.
double insideAngle(const XtGeVector2d& in, const XtGeVector2d& out);

// The direction of travel along the loop at the point when walking it
// forward (with the sections' order) or backward, over the stretch of the
// loop `reach` long that one arrives by (`arriving`) or leaves by: from its
// far end to the point, or from the point to its far end, so that a short
// section next to a corner counts with the corner. False when the walk
// fails or comes back to the point.
bool travelDirection(const CLoop& loop, const CLoopPoint& p, bool forward, bool arriving, double reach,
                     XtGeVector2d& direction);

// Whether the pipe keeps clear of a sharp corner at both ends of a step from
// `from` on `own` (reached walking `forward`) straight to `to` on `next`
// (walked on `forward`), the directions taken over `reach`. Ends whose
// direction is unknown pass.
bool stepTurnsGently(const CLoop& own, const CLoopPoint& from, const CLoop& next, const CLoopPoint& to, bool forward,
                     double reach);
