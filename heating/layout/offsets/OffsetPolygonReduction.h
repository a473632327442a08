// A smaller polygon for the tessellation of a deeper offset level, with the
// same contours where they matter.
//
// A level keeps only the loops that lie inside a loop of the level before,
// so only the joined polygon's winding numbers inside those loops (the
// domain) shape the kept loops. Deep levels of a notched outline have long
// connecting lines back to the boundary and mitre spikes that cross each
// other thousands of times outside the domain, and the tessellator's work
// grows with those crossings. A run of the polygon's edges that keeps clear
// of every domain loop is replaced by a chord that also keeps clear of them
// and, together with the run, winds round no domain loop: the winding number
// at every point of the domain stays the same, so the contours of the
// positive region inside the domain stay the same: the same vertices, the
// crossings among them up to rounding (the tessellator splits the edges in
// another order). Which vertex a contour starts at, and the order of the
// contours, are the tessellator's own and may differ.
//
// Whether a contour of the reduced polygon may be trusted is checked after
// the tessellation (contoursClearOfDomain): one that comes near a domain
// loop could differ from the full polygon's there, and the caller then
// tessellates the full polygon.
//
// Clear means farther than a margin from every section of every domain loop
// (LoopContainment::isClearOf). Threads: no state; the domain is only read.
#pragma once

#include "heating/layout/offsets/LoopContainment.h"

#include "platform/ge/XtGePoint2d.h"

#include <vector>

class COffsetLoop;

enum class RingReduction {
  kReduced,        // `reduced` holds the ring to tessellate
  kClearOfDomain,  // no edge comes near the domain: no contour of the ring
                   // can lie inside a domain loop
};

// The ring (a closed polygon, its vertices in order) with every run of
// edges clear of the domain replaced by as few chords as the greedy walk
// finds; kept vertices are the ring's own, in ring order. The runs are
// bounded by the ring: each vertex is visited once.
RingReduction reduceRingOutsideDomain(const std::vector<XtGePoint2d>& ring,
                                      const std::vector<const LoopContainment*>& domain, double margin,
                                      std::vector<XtGePoint2d>& reduced);

// Whether every section of every loop keeps clear of the domain.
bool contoursClearOfDomain(const std::vector<COffsetLoop*>& loops, const std::vector<const LoopContainment*>& domain,
                           double margin);
