#include "platform/win/Clock.h"

#include <chrono>

namespace {

template <typename Unit>
ULONGLONG monotonicCount() {
  const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<ULONGLONG>(std::chrono::duration_cast<Unit>(sinceStart).count());
}

}  // namespace

ULONGLONG highResTimerUs() { return monotonicCount<std::chrono::microseconds>(); }

ULONGLONG GetTickCount64() { return monotonicCount<std::chrono::milliseconds>(); }

DWORD GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }
