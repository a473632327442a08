// A placed point of the shared library's block readers: a kind (1 by
// default), an origin, an X axis, a list of indices and a value.
#pragma once

#include "geometry/hvArray.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

#include <cstdint>

struct pointRecord {
  std::int32_t kind = 1;
  XtGePoint2d origin;
  XtGeVector2d xAxis = XtGeVector2d::kXAxis;
  hvArray<std::int32_t> indices{0, 8};
  std::int64_t value = 0;
};
