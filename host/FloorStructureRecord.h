// The floor-structure record the floor-structure library hands over: three
// narrow texts (each may be absent), three pointer-sized values and a 32-bit
// value that travel unchanged, and the structure's layer blocks, each with
// five words and its own values.
//
// A record owns everything it holds, so a copy is deep: it outlives the
// record it was made from, and no copy is ever half made (an allocation
// failure throws before the copy exists; an assignment changes nothing
// until its copy is whole). Host thread, like the library.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct FloorLayerBlock {
  std::array<std::int32_t, 5> words{};
  std::vector<std::int64_t> values;  // the block's own n 8-byte values
};

struct FloorStructureRecord {
  std::array<std::optional<std::string>, 3> texts;  // absent stays absent in a copy
  std::array<std::uintptr_t, 3> values{};
  std::uint32_t word = 0;
  std::vector<FloorLayerBlock> layers;
};
