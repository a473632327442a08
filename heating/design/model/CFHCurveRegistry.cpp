#include "heating/design/model/CFHCurveRegistry.h"

#include "platform/win/ThreadId.h"

#include <atomic>

namespace {

std::atomic<std::uint64_t> g_nextSerial{1};

// The list set the calling thread last used, and the registry it belongs to.
struct CachedRecords {
  std::uint64_t serial = 0;
  void* records = nullptr;
};
thread_local CachedRecords t_cached;

}  // namespace

CFHCurveRegistry::CFHCurveRegistry() : serial_(g_nextSerial.fetch_add(1, std::memory_order_relaxed)) {}

CFHCurveRegistry::ThreadRecords& CFHCurveRegistry::ownRecords() {
  if (t_cached.serial == serial_) return *static_cast<ThreadRecords*>(t_cached.records);
  const DWORD thread = GetCurrentThreadId();
  ThreadRecords* found = nullptr;
  {
    std::shared_lock lock(mapLock_);
    const auto it = threads_.find(thread);
    if (it != threads_.end()) found = it->second.get();
  }
  if (found == nullptr) {
    auto fresh = std::make_unique<ThreadRecords>();
    std::unique_lock lock(mapLock_);
    std::unique_ptr<ThreadRecords>& entry = threads_[thread];
    if (!entry) entry = std::move(fresh);
    found = entry.get();
  }
  t_cached = {serial_, found};
  return *found;
}

void CFHCurveRegistry::recordOnThisThread(CFHCurveEvent event, const CFloorHeatingCurve* curve,
                                          std::uint32_t tag) {
  ThreadRecords& own = ownRecords();
  std::lock_guard lock(own.lock);
  own.byEvent[static_cast<std::size_t>(event)][tagKey(tag)].push_back({curve, tag});
}

std::vector<CFHCurveRecord> CFHCurveRegistry::records(DWORD threadId, std::uint8_t key,
                                                      CFHCurveEvent event) const {
  std::shared_lock mapLock(mapLock_);
  const auto found = threads_.find(threadId);
  if (found == threads_.end()) return {};
  std::lock_guard lock(found->second->lock);
  return found->second->byEvent[static_cast<std::size_t>(event)][key];
}

std::size_t CFHCurveRegistry::threadCount() const {
  std::shared_lock lock(mapLock_);
  return threads_.size();
}

std::size_t CFHCurveRegistry::recordCount(CFHCurveEvent event) const {
  std::shared_lock mapLock(mapLock_);
  std::size_t count = 0;
  for (const auto& [thread, records] : threads_) {
    std::lock_guard lock(records->lock);
    for (const auto& list : records->byEvent[static_cast<std::size_t>(event)]) count += list.size();
  }
  return count;
}
