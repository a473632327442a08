// The CAD colour-index palette (indexes 0 to 256) as RGB colours.
//   1-7     red, yellow, green, cyan, blue, magenta, white;
//   8, 9    dark and light grey;
//   10-249  24 hues 15 degrees apart, each in five brightnesses (100, 65,
//           50, 30 and 15 % of 255) at full and at half saturation;
//   250-255 six greys from dark to white;
//   0, 256  (by block, by layer) have no colour of their own: the preview
//           draws them in the colour of index 7.
#pragma once

#include "platform/win/GdiHandles.h"

constexpr int HV_COLOR_INDEX_COUNT = 257;

// The RGB colour of a colour index; black for an index outside 0..256.
COLORREF colorIndexRgb(int index);
