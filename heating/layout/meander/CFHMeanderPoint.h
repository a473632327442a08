// The point records of the meander: where a run crosses the zone boundary or
// an offset loop (CFHMeanderPoint), and the loop entries the meander chains
// along its first offset loop (CFHMeanderLoopEntry).
//
// Kinds of a crossing: kMeanderBoundary the working boundary loop,
// kMeanderFirstLoop the first offset loop (first loop of level 0),
// kMeanderInnerLoop a loop of level 1. The searches of MeanderRecordSearches.h
// read the numbers.
//
// Values: copies copy the point's links; a move takes them over and leaves
// the source without links. The links and the loop point into the layout's
// loops and stay valid while those live.
#pragma once

#include "heating/layout/offsets/COffsetPoint.h"

#include "heating/curves/CLoopPoint.h"

#include <cstdint>

class CLoop;

inline constexpr std::uint32_t kMeanderBoundary = 1;
inline constexpr std::uint32_t kMeanderFirstLoop = 2;
inline constexpr std::uint32_t kMeanderInnerLoop = 3;

struct CFHMeanderPoint {
  CFHMeanderPoint() = default;
  CFHMeanderPoint(std::uint32_t kind, const CLoopPoint& point, CLoop* loop) : kind(kind), point(point), loop(loop) {}

  std::uint32_t kind = 0;
  // The crossing on its loop, with the loop elements it lies on.
  CLoopPoint point;
  // The loop the point lies on (not owned).
  CLoop* loop = nullptr;
  // 0 when made; only temporary copies of the meander are marked.
  std::uint8_t marker = 0;
};

// A crossing of the first offset loop that the meander chains, with the run
// and the crossing record it came from.
struct CFHMeanderLoopEntry {
  CFHMeanderLoopEntry() = default;
  CFHMeanderLoopEntry(const CFHMeanderPoint& record, int runIndex, int recordIndex)
      : kind(record.kind), point(record.point), loop(record.loop), marker(record.marker), runIndex(runIndex),
        recordIndex(recordIndex) {}

  std::uint32_t kind = 0;
  COffsetPoint point;
  CLoop* loop = nullptr;
  std::uint8_t marker = 0;
  int runIndex = -1;
  int recordIndex = -1;
};
