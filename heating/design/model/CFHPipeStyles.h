// The default drawing styles of the pipe circuits of a design: one record per
// model, made with it. The preview and the output draw supply segments (side
// 1) with the supply style and return segments (side 0) with the return
// style. The general style, the two further colours, the four numbers and the
// one-entry list are kept with their defaults for the drawing options; nothing
// reads them yet. Used on the command's thread only.
#pragma once

#include "heating/layout/record/CFHPipeStyle.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

class CFHPipeStyles {
 public:
  CFHPipeStyles();

  // The style of a segment side: 1 supply, any other value return.
  const CFHPipeStyle& styleOfSide(int side) const { return side == 1 ? supply : returnStyle; }

  CFHPipeStyle general;
  CFHPipeStyle supply;
  CFHPipeStyle returnStyle;
  std::array<std::uint64_t, 2> furtherColours;
  std::array<double, 4> values{1.2, 0.5, 240.0, 180.0};
  std::vector<std::pair<std::uint32_t, std::uint32_t>> entries{{1u, 0u}};
  std::uint32_t word = 0;
};
