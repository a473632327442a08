#include "host/entities/colorValue.h"

std::uint32_t colorFromIndex(int index) {
  if (index == 0) return colorKindByBlock;
  if (index == 256) return colorKindByLayer;
  return colorKindIndex | (static_cast<std::uint32_t>(index) & 0xFFFFu);
}

std::uint32_t colorFromRgb(std::uint32_t rgb) { return colorKindTrue + (rgb & 0xFFFFFFu); }

int colorSplit(std::uint32_t color, int& index, std::uint32_t& rgb) {
  switch (color & 0xFF000000u) {
    case colorKindByLayer:
      index = 256;
      return 1;
    case colorKindByBlock:
      index = 0;
      return 1;
    case colorKindIndex:
      index = static_cast<int>(color & 0xFFFFu);
      return 1;
    case colorKindTrue:
      rgb = color & 0xFFFFFFu;
      return 2;
    default:
      return -1;
  }
}
