// The rungs of the spiral's centre turn (CFHCircuitLayout::tryCentreTurn,
// SpiralCentreTurn.cpp): each rung crosses from the outer to the inner loop,
// four points (outer, inner, next inner, next outer) or two (outer, inner);
// its count tells how many of its points stay, from the first.
#pragma once

#include "heating/layout/offsets/COffsetPointQuad.h"

#include <vector>

// The end of the rung list fitted to what is left of the loops:
// `outerShort` and `innerShort` tell whether less than half a spacing is
// left beyond the last rung on the outer and on the inner loop. A last rung
// of four points keeps three when only the outer loop is short, else two;
// one of two points keeps none when the outer loop is short, else one; a
// rung left with no point is removed. Then the list ends on the inner loop:
// a last rung of one point is removed, and a last rung of four points keeps
// three. Nothing for an empty list.
void trimLastRung(std::vector<COffsetPointQuad>& rungs, bool outerShort, bool innerShort);
