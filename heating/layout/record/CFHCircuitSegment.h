// One laid piece of a circuit's pipe: a heating curve between two pipe-end
// records, with the side of the circuit it belongs to. The circuit path
// fills a layout's segment list with these in path order; the output and the
// preview draw them.
//
// Ownership: the segment owns its curve. The two pipe-end records belong to
// the layout's pipeEnds; the root source is only pointed to.
//
// Threads: made and read on the design thread of its layout; the dialog reads
// it only while no design of the zone runs.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

#include <cstdint>

struct CFHPipeEnd;

struct CFHCircuitSegment {
  // Takes the curve and finds its root source (rootSourceOf).
  CFHCircuitSegment(CFHPipeEnd* startEnd, CFHPipeEnd* endEnd, CFloorHeatingCurve::Ptr curve, std::uint32_t value);
  CFHCircuitSegment(const CFHCircuitSegment&) = delete;
  CFHCircuitSegment& operator=(const CFHCircuitSegment&) = delete;

  CFHPipeEnd* startEnd;
  CFHPipeEnd* endEnd;
  CFloorHeatingCurve::Ptr curve;
  // The curve at the end of the curve's chain of source links; null when the
  // curve has no source.
  const CFloorHeatingCurve* rootSource;
  // 1 when the segment is drawn (set by the circuit path).
  std::uint8_t drawn = 0;
  // 1 supply side, 0 return side.
  std::uint8_t side = 1;
  std::uint32_t value;

  // Which part of the circuit's path the segment is (set by the circuit
  // path): a run of a zone's layout, a lead of a zone's layout (the path's
  // first or last edge in that zone, from or to a pipe end, which may lie
  // beyond the zone's wall), or a link between two zones of the circuit
  // (through the wall between them).
  enum class Part : std::uint8_t { kRun, kLead, kLink };
  Part part = Part::kRun;
  // The position, in the circuit's zone list, of the zone whose layout the
  // segment was walked from (for a link: the zone it leaves toward the next).
  std::uint32_t zonePosition = 0;
};

// The most source links rootSourceOf follows; only a cycle of sources is
// that long.
inline constexpr int kMaxSourceChain = 4096;

// The last curve reached by following source() from the curve: null for a
// curve without source (and for none). Unlike CFloorHeatingCurve::rootSource,
// which answers the curve itself then. A chain longer than kMaxSourceChain
// answers the curve reached at that bound.
const CFloorHeatingCurve* rootSourceOf(const CFloorHeatingCurve* curve);
