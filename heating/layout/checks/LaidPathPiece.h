// One simple piece of a circuit's laid path as the soundness checks take
// it: its geometry, the zone it was laid in (the zone's position in the
// circuit's zone list) and which part of the path it is. The circuit path's
// segments are cut into these, in path order, by appendLaidPieces.
//
// Threads: values; the appender reads the segments on the caller's thread
// (the zone's layouts must not change meanwhile).
#pragma once

#include "heating/layout/record/CFHCircuitSegment.h"
#include "heating/layout/checks/PathPiece.h"

#include <cstdint>
#include <vector>

struct LaidPathPiece {
  PathPiece geometry;
  std::uint32_t zone = 0;
  CFHCircuitSegment::Part part = CFHCircuitSegment::Part::kRun;
};

// Appends the simple pieces of every segment's curve, in order (lines and
// arcs, the pieces of a polyline one by one; any other kind of curve as the
// line between its ends), with the segment's zone and part. Segments
// without a curve are passed over. False when the segments hold more pieces
// than `maxPieces` in all: `pieces` then ends at that bound.
bool appendLaidPieces(const std::vector<CFHCircuitSegment*>& segments, std::size_t maxPieces,
                      std::vector<LaidPathPiece>& pieces);
