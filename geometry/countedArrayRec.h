// A counted list: its kind (14 by default) and its items.
#pragma once

#include "geometry/hvArray.h"

#include <cstdint>

struct countedArrayRec {
  std::int32_t kind = 14;
  hvArray<std::int64_t> items{0, 8};
};
