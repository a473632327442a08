// A pipe end of a zone's circuit: where the pipe enters or leaves the zone,
// or where a laid segment of the circuit path begins or ends.
//
// A plain value record: copies are deep (the block is copied whole, as the
// zone design's second layout copies the zone's two ends). The zone design
// owns the zone's ends and its exit points; a circuit layout only points to
// those and owns the records it made for its segments (CFHCircuitLayout::
// pipeEnds). The circuit path makes its records with flag 1 and value 0, the
// spiral's sub-areas with flag 0.
#pragma once

#include "platform/ge/XtGePoint2d.h"

#include <array>
#include <cstdint>
#include <vector>

struct CFHPipeEnd {
  static constexpr std::size_t kBlockSize = 2048;

  // The origin, flag 0, a zeroed block, value 0.
  CFHPipeEnd() = default;
  // The point with the flag and value; a zeroed block.
  CFHPipeEnd(const XtGePoint2d& point, std::uint8_t flag, std::int32_t value)
      : point(point), flag(flag), value(value) {}

  // The point comes first: readers take a pipe end for its point.
  XtGePoint2d point;
  std::uint8_t flag = 0;
  // Data carried for the writer of the drawn design; the layout never reads it.
  std::array<std::uint8_t, kBlockSize> block{};
  std::int32_t value = 0;
};

// Deletes every pipe-end record of the vector (null entries passed over)
// and empties it.
void deleteZoneRecordsAndClear(std::vector<CFHPipeEnd*>& records);
