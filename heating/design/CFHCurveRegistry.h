// The design model's record of heating curves: for every thread identifier,
// the curves made and the curves destroyed on that thread, filed by the low
// 8 bits of the curve's tag, each entry the curve's address and full tag.
// The records are bookkeeping: nothing decides on them while a command runs.
//
// Not synchronised itself; the model guards it with curveRegistryLock().
#pragma once

#include "platform/win/WinTypes.h"

#include <array>
#include <cstdint>
#include <memory>
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
  // The list a tag is filed under.
  static constexpr std::uint8_t tagKey(std::uint32_t tag) { return static_cast<std::uint8_t>(tag & 0xFFu); }

  // Appends (curve, tag) to the thread's list of the event for tagKey(tag).
  // May throw std::bad_alloc.
  void record(DWORD threadId, CFHCurveEvent event, const CFloorHeatingCurve* curve, std::uint32_t tag);

  // The records of one thread, event and tag key in the order they came;
  // empty when there are none.
  const std::vector<CFHCurveRecord>& records(DWORD threadId, std::uint8_t key, CFHCurveEvent event) const;

  // The number of threads that recorded anything.
  std::size_t threadCount() const { return threads_.size(); }

 private:
  using TagLists = std::array<std::vector<CFHCurveRecord>, 256>;
  struct ThreadRecords {
    std::array<TagLists, 2> byEvent;
  };
  std::unordered_map<DWORD, std::unique_ptr<ThreadRecords>> threads_;
};
