// A point with two values (the origin and zeros by default).
#pragma once

#include "platform/ge/XtGePoint2d.h"

#include <cstdint>

struct pointValuesRec {
  XtGePoint2d point;
  std::int64_t values[2] = {0, 0};
};
