// The centre line of a pipe path that runs out and back side by side (the
// supply and return runs of a circuit's connection), drawn as one route.
#pragma once

#include "heating/curves/CFloorHeatingPolyLine.h"

#include <cstdint>
#include <memory>

// The points lie on the path in the order A1, B1, A2, B2: it runs out from
// A1 to B1 and comes back from A2 to B2. The outward run is A1, the vertices
// after it, B1; the return run, walked backwards from the path's end, B2,
// the vertices before it, A2 (vertices within 2 x workTol of a run's ends
// are not taken twice). The runs are paired from their starts, which lie
// side by side: a pair farther apart than 2 x workTol + 1.77 x spacing skips
// the point that lags (the return point when it lies as far or farther from
// the path's end than the outward one from its start, else the outward one);
// a nearer pair gives its midpoint. A new polyline through the midpoints
// with the tag, or null for fewer than two midpoints or a path without
// length.
std::unique_ptr<CFloorHeatingPolyLine> buildCircuitPolyline(const CFloorHeatingPolyLine& path, const XtGePoint2d& a1,
                                                            const XtGePoint2d& b1, const XtGePoint2d& a2,
                                                            const XtGePoint2d& b2, double spacing,
                                                            std::uint32_t tag);
