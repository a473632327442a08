// The zones of one circuit of a drawn design, as the grouping of the zone
// labels found them (CFHDrawingInOut::groupZonesByCircuit). The edit command
// makes a zone entry for each number and notes where it put it.
#pragma once

#include <cstdint>
#include <vector>

struct CFHZoneGroup {
  // The labels' "_PT_ZONA_C_OKRUHU"; -1 for zones without a circuit.
  std::int32_t circuitNumber = -1;
  // The zone numbers, ascending.
  std::vector<std::int32_t> zoneNumbers;
  // Filled by the edit command: the positions of the zone entries it made
  // for zoneNumbers (a zone that could not be read has none).
  std::vector<std::int32_t> zonePositions;
};
