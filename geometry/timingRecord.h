// A running time measurement: its start on the high-resolution microsecond
// clock, a state (1 while it runs) and two accumulated values.
#pragma once

#include "platform/win/Clock.h"

#include <cstdint>

struct timingRecord {
  ULONGLONG startUs = highResTimerUs();
  std::int32_t state = 1;
  std::int64_t values[2] = {0, 0};
};
