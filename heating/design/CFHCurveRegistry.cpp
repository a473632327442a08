#include "heating/design/CFHCurveRegistry.h"

void CFHCurveRegistry::record(DWORD threadId, CFHCurveEvent event, const CFloorHeatingCurve* curve,
                              std::uint32_t tag) {
  std::unique_ptr<ThreadRecords>& entry = threads_[threadId];
  if (!entry) entry = std::make_unique<ThreadRecords>();
  entry->byEvent[static_cast<std::size_t>(event)][tagKey(tag)].push_back({curve, tag});
}

const std::vector<CFHCurveRecord>& CFHCurveRegistry::records(DWORD threadId, std::uint8_t key,
                                                             CFHCurveEvent event) const {
  static const std::vector<CFHCurveRecord> none;
  const auto found = threads_.find(threadId);
  if (found == threads_.end()) return none;
  return found->second->byEvent[static_cast<std::size_t>(event)][key];
}
