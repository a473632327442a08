// Whether values a builder writes or a reader takes are finite numbers:
// lists must never carry NaN or infinities.
#pragma once

#include <cmath>
#include <initializer_list>

inline bool allFinite(std::initializer_list<double> values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}
