// A table of the colours of the colour indexes 0 to 256, filled on demand.
#pragma once

#include "ui/gdi/colorIndexPalette.h"

#include <array>
#include <cstdint>

struct colorTable {
  // Mode 1 fills the 257 entries from the colour-index palette, mode 0 keeps
  // them; both record the mode as the table's kind. Other modes fail and
  // change nothing.
  bool fill(std::int32_t mode);

  std::int32_t kind = 0;
  std::array<COLORREF, HV_COLOR_INDEX_COUNT> colours{};
};

// The same table with the colours as 32-bit signed values.
struct signedColorTable {
  bool fill(std::int32_t mode);

  std::int32_t kind = 0;
  std::array<std::int32_t, HV_COLOR_INDEX_COUNT> colours{};
};
