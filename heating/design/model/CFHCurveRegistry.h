// The design model's record of heating curves: for every thread, the curves
// made and the curves destroyed on that thread, filed by the low 8 bits of the
// curve's tag, each entry the curve's address and full tag. The records are
// bookkeeping: nothing decides on them while a command runs.
//
// Threads: every thread records into its own list set, which has a lock of
// its own, so that design threads making curves at the same time never wait
// for each other. The map from thread to list set has a further lock, taken
// shared to find a thread's set and exclusively to add one; a thread finds
// its set without it after the first time (the set stays put while the
// registry lives). Readers lock the map shared and then each set in turn.
// Lock order: map, then one set; nothing else is taken under either.
#pragma once

#include "platform/win/WinTypes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>
#include <vector>

class CFloorHeatingCurve;

enum class CFHCurveEvent : int { constructed = 0, destroyed = 1 };

struct CFHCurveRecord {
  const CFloorHeatingCurve* curve;
  std::uint32_t tag;
};

class CFHCurveRegistry {
 public:
  CFHCurveRegistry();
  CFHCurveRegistry(const CFHCurveRegistry&) = delete;
  CFHCurveRegistry& operator=(const CFHCurveRegistry&) = delete;

  // The list a tag is filed under.
  static constexpr std::uint8_t tagKey(std::uint32_t tag) { return static_cast<std::uint8_t>(tag & 0xFFu); }

  // Appends (curve, tag) to the calling thread's list of the event for
  // tagKey(tag). May throw std::bad_alloc (nothing is recorded then).
  void recordOnThisThread(CFHCurveEvent event, const CFloorHeatingCurve* curve, std::uint32_t tag);

  // A copy of the records of one thread, event and tag key in the order they
  // came; empty when there are none.
  std::vector<CFHCurveRecord> records(DWORD threadId, std::uint8_t key, CFHCurveEvent event) const;

  // The number of threads that recorded anything.
  std::size_t threadCount() const;

  // The number of records of one event over all threads.
  std::size_t recordCount(CFHCurveEvent event) const;

 private:
  using TagLists = std::array<std::vector<CFHCurveRecord>, 256>;
  struct ThreadRecords {
    mutable std::mutex lock;
    std::array<TagLists, 2> byEvent;  // under lock
  };

  ThreadRecords& ownRecords();

  // Tells this registry apart from every other one a thread has cached.
  const std::uint64_t serial_;
  mutable std::shared_mutex mapLock_;
  std::unordered_map<DWORD, std::unique_ptr<ThreadRecords>> threads_;  // under mapLock_
};
