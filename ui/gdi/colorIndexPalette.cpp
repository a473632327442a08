#include "ui/gdi/colorIndexPalette.h"

#include <array>
#include <cmath>

namespace {

// Channels are cut to whole values, as the palette has them.
BYTE channel(double value) { return static_cast<BYTE>(value); }

// A hue (degrees) at a brightness (the largest channel) and a saturation.
COLORREF hueColour(double hue, double brightness, double saturation) {
  const double chroma = brightness * saturation;
  const double sector = hue / 60.0;
  const double rising = chroma * (1.0 - std::fabs(std::fmod(sector, 2.0) - 1.0));
  const double floor = brightness - chroma;
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(sector) % 6) {
    case 0: r = chroma; g = rising; break;
    case 1: r = rising; g = chroma; break;
    case 2: g = chroma; b = rising; break;
    case 3: g = rising; b = chroma; break;
    case 4: r = rising; b = chroma; break;
    default: r = chroma; b = rising; break;
  }
  return RGB(channel(r + floor), channel(g + floor), channel(b + floor));
}

std::array<COLORREF, HV_COLOR_INDEX_COUNT> makePalette() {
  std::array<COLORREF, HV_COLOR_INDEX_COUNT> palette{};
  const COLORREF named[] = {RGB(255, 0, 0),   RGB(255, 255, 0), RGB(0, 255, 0),
                            RGB(0, 255, 255), RGB(0, 0, 255),   RGB(255, 0, 255),
                            RGB(255, 255, 255), RGB(128, 128, 128), RGB(192, 192, 192)};
  for (int i = 0; i < 9; ++i) palette[static_cast<std::size_t>(i + 1)] = named[i];
  const double brightness[] = {255.0, 255.0 * 0.65, 255.0 * 0.5, 255.0 * 0.3, 255.0 * 0.15};
  for (int index = 10; index < 250; ++index) {
    const int hue = (index - 10) / 10;
    const int shade = (index - 10) % 10;
    palette[static_cast<std::size_t>(index)] =
        hueColour(15.0 * hue, brightness[shade / 2], shade % 2 == 0 ? 1.0 : 0.5);
  }
  const BYTE greys[] = {51, 80, 105, 130, 190, 255};
  for (int i = 0; i < 6; ++i) palette[static_cast<std::size_t>(250 + i)] = RGB(greys[i], greys[i], greys[i]);
  palette[0] = palette[7];
  palette[256] = palette[7];
  return palette;
}

}  // namespace

COLORREF colorIndexRgb(int index) {
  static const std::array<COLORREF, HV_COLOR_INDEX_COUNT> palette = makePalette();
  if (index < 0 || index >= HV_COLOR_INDEX_COUNT) return RGB(0, 0, 0);
  return palette[static_cast<std::size_t>(index)];
}
