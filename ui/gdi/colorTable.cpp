#include "ui/gdi/colorTable.h"

bool colorTable::fill(std::int32_t mode) {
  if (mode != 0 && mode != 1) return false;
  kind = mode;
  if (mode == 1)
    for (int i = 0; i < HV_COLOR_INDEX_COUNT; ++i) colours[static_cast<std::size_t>(i)] = colorIndexRgb(i);
  return true;
}
