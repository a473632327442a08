// Small comparisons of values shared by the list code and the hatch
// previews.
#pragma once

#include <cstdint>
#include <utility>

#include "platform/ge/XtGePoint2d.h"

// Strict lexicographic less-than: first values, then second values.
bool compareIntPairs(const std::pair<std::int32_t, std::int32_t>& a, const std::pair<std::int32_t, std::int32_t>& b);

// True when both values lie in [0, n].
bool isValueInRange(double first, double second, int n);

// True when the points have one coordinate exactly equal and differ by less
// than 1e-5 in the other (points on one grid line of a hatch preview).
bool pointWithinTolerance(const XtGePoint2d& a, const XtGePoint2d& b);

// True when `a` is below `b` by more than the equal-point value of workTol.
bool lessBeyondTolerance(double a, double b);
