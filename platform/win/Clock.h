// Clocks. All of them run on the monotonic clock, so none goes backwards.
#pragma once

#include "platform/win/WinTypes.h"

// Microseconds from an arbitrary start. Computed directly from the monotonic
// clock, so it neither overflows nor loses precision over long uptimes.
ULONGLONG highResTimerUs();

// Milliseconds from an arbitrary start; the 32-bit value wraps after 49.7 days.
DWORD GetTickCount();
ULONGLONG GetTickCount64();
