// How the sides of a zone stand to its meander base: the band limits of the
// offset levels (how far in each side's border band reaches) and the test
// that a side runs along the boundary at a pipe end closely enough to become
// the base.
//
// Angles are counter-clockwise about +Z in [0, 2 pi), between the unit
// directions of the curves (angleBetweenVectors).
#pragma once

#include <cstdint>
#include <vector>

class CFHBoundLoop;
class CFHBoundLoopItem;

// One limit per item of the loop, in item order: the item's band value when
// it is positive and, in a meander (shape 0), the item runs across the base
// (isMeanderBandAngle of the angle from the item to the base; without a base
// the angle counts as pi, so no side of a meander has a band); 0 otherwise.
// Any other shape keeps every positive band value.
std::vector<double> zoneBandLimits(const CFHBoundLoop& loop, const CFHBoundLoopItem* base, std::uint32_t shape);

// Whether a side at angle a from the boundary at a pipe end runs along it
// closely enough to be the meander base: a <= pi/2 + pi/100 or
// a >= 3 pi/2 - pi/100, both bounds included.
bool runsAlongBoundary(double a);
