// Whether the contours the tessellator made of an offset level's joined
// polygon (the ring) run along the ring's edges, as every side of a region
// of the ring does.
//
// The tessellator may put a crossing of two edges onto a vertex of the ring
// nearby (COffsetBuilder.cpp tells when); the contour then runs from that
// vertex off every edge of the ring. Each section of the loops is checked
// from its ends that are vertices of the ring (as fed to the tessellator,
// CGLHTesselationData::withLowByteCleared): the other end must lie within
// `tol` of an edge of the ring at that vertex. Sections between two
// crossings are not checked.
//
// Threads: no state; the ring and the loops are only read.
#pragma once

#include "heating/layout/offsets/COffsetLoop.h"

#include "platform/ge/XtGePoint2d.h"

#include <cstddef>
#include <vector>

bool loopsFollowRing(const std::vector<XtGePoint2d>& ring, const std::vector<COffsetLoop*>& loops, std::size_t first,
                     double tol);
