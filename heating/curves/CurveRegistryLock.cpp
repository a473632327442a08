#include "heating/curves/CurveRegistryLock.h"

#include <functional>
#include <thread>

namespace {

// The calling thread's slot, from a hash of its id. Not a thread_local
// dealt on first use: in the module the host loads, that made
// LeakSanitizer's check at the host's exit fault in its tracer.
std::size_t ownSlot(std::size_t slots) {
  return std::hash<std::thread::id>{}(std::this_thread::get_id()) % slots;
}

}  // namespace

void CurveRegistryLock::lock() {
  writer_.lock();
  writerWaiting_.store(true, std::memory_order_release);
  for (Slot& slot : slots_) slot.mutex.lock();
}

void CurveRegistryLock::unlock() {
  for (Slot& slot : slots_) slot.mutex.unlock();
  writerWaiting_.store(false, std::memory_order_release);
  writer_.unlock();
}

void CurveRegistryLock::lock_shared() {
  // A waiting writer goes first: wait until it is done before taking the
  // slot, so a thread that makes curves in a loop cannot keep it out.
  if (writerWaiting_.load(std::memory_order_acquire)) std::lock_guard wait(writer_);
  slots_[ownSlot(kSlots)].mutex.lock();
}

void CurveRegistryLock::unlock_shared() { slots_[ownSlot(kSlots)].mutex.unlock(); }

CurveRegistryLock& curveRegistryLock() {
  // Built on first use, never destroyed: curves made during static
  // initialisation or destroyed during static destruction still find it.
  static CurveRegistryLock* lock = new CurveRegistryLock;
  return *lock;
}
