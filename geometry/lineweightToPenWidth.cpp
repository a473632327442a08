#include "geometry/lineweightToPenWidth.h"

#include <algorithm>

int lineweightToPenWidth(int value) {
  if (value < 0 || value > 211) return 1;
  return std::max(1, static_cast<int>(value / 211.0 * 14.0));
}
