#include "ui/gdi/paletteColor.h"

#include "ui/gdi/colorIndexPalette.h"

#include <cstdlib>

namespace {

int channelDistance(COLORREF a, COLORREF b) {
  int sum = 0;
  for (int shift = 0; shift < 24; shift += 8)
    sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
  return sum;
}

}  // namespace

std::uint32_t paletteColor(std::uint32_t colour, std::int32_t mode) {
  if (mode == 0) return colour;
  if (mode != 1) return 0;
  std::uint32_t best = 1;
  int bestDistance = channelDistance(colour, colorIndexRgb(1));
  for (int index = 2; index <= 255 && bestDistance > 0; ++index) {
    const int distance = channelDistance(colour, colorIndexRgb(index));
    if (distance < bestDistance) {
      best = static_cast<std::uint32_t>(index);
      bestDistance = distance;
    }
  }
  return best;
}
