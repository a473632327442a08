// The nearest points of an offset loop to a point, and the one among them
// that lies farthest along the loop from a node.
//
// Tolerances: each section's closest point is taken with workTolFine; `tol`
// decides which candidates are as near as the best and which coincide.
// Threads: reads the loop only.
#pragma once

#include "heating/layout/offsets/COffsetPoint.h"

#include <cstdint>
#include <vector>

class COffsetLoop;
struct COffsetNode;

// Every nearest point: each section's closest point to `point` is a
// candidate; the candidates within tol's equal point of the best distance
// are all kept (in section order), any farther one is dropped. Candidates
// at one place (a joint) become one point linked to each of their sections.
// `out` is emptied first; true when it ends non-empty.
bool projectOntoLoop(const COffsetLoop& loop, const XtGePoint2d& point, std::vector<COffsetPoint>& out,
                     const XtGeTol& tol);

// Of the nearest points, the one with the greatest length along the loop
// from the node (CLoop::lengthBetween, walking with the section order when
// direction is 1, against it when 0; the first of equal lengths), written
// into `out` with its links (out's links cleared first). False, `out`
// untouched, when there is none.
bool bestProjectionOnLoop(const COffsetLoop& loop, const XtGePoint2d& point, const COffsetNode& node,
                          std::uint8_t direction, COffsetPoint& out, const XtGeTol& tol);
