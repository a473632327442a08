// The drawing style of one side of a laid pipe (supply or return): colour,
// linetype, pen width and the scale its linetype pattern is drawn at. The
// design model keeps one per side with its defaults (CFHPipeStyles); the
// preview and the output draw every segment with the style of its side.
//
// The colour is 64 bits: the colour index in the low 32 bits and the high 32
// bits all set. A caller's override index replaces the index only.
#pragma once

#include "platform/win/CString.h"

#include <cstdint>
#include <string>

struct CFHPipeStyle {
  static constexpr std::uint64_t kColourHighBits = 0xFFFFFFFF00000000ull;
  static constexpr std::uint64_t colourOfIndex(std::uint32_t index) { return kColourHighBits | index; }

  std::uint64_t colour = colourOfIndex(7);
  CString linetype = CString(u"CONTINUOUS");
  // Passed to the host's polyline drawing.
  std::uint32_t penWidth = 2;
  // Passed, as a double, to the curve when its drawing points are made.
  std::uint32_t scale = 1;

  std::uint32_t colourIndex() const { return static_cast<std::uint32_t>(colour & 0xFFFFFFFFu); }
  // The colour to draw with: the style's, or its high bits with the override
  // index when one is given (any value from 0 on).
  std::uint64_t drawColour(std::int32_t overrideIndex = -1) const {
    if (overrideIndex < 0) return colour;
    return (colour & kColourHighBits) | static_cast<std::uint32_t>(overrideIndex);
  }
  // The linetype name as the host takes it: code page 1250.
  std::string linetypeForHost() const;
};
