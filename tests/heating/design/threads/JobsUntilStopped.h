// What the threaded design tests share: a design step that keeps its job
// running until the test stops it, and a bounded wait for a state.
//
// A job whose zones are designed once may end before the test looks at it
// (on one core it may end before the test thread runs again), so a test
// that needs a running job gives it this step: the job ends only when its
// circuit asks it to stop, or, in a test that never does, at the deadline.
#pragma once

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHZoneEntry.h"

#include <chrono>
#include <thread>

namespace jobs_test {

// The longest a job or a wait of these tests runs; far beyond any run on a
// loaded one-core machine under a sanitizer.
inline constexpr std::chrono::seconds kDeadline{120};

// Runs `round` on the zone again and again until its circuit asks the job
// to stop (or kDeadline has passed). Between rounds the job sleeps a
// moment, so that a reader waiting for the zone to be idle finds it so even
// when the two share one core.
template <typename Round>
void repeatUntilStopped(CFHZoneEntry& zone, Round round) {
  const auto deadline = std::chrono::steady_clock::now() + kDeadline;
  while (!zone.circuit->stopRequested() && std::chrono::steady_clock::now() < deadline) {
    round();
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

// Waits until the condition holds, at most `limit`; answers whether it does.
template <typename Condition>
bool eventually(Condition condition, std::chrono::milliseconds limit = kDeadline) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace jobs_test
