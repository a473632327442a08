#include "platform/win/RecursiveLock.h"

#include "platform/win/ThreadId.h"

#include <chrono>

bool HvRecursiveLock::lock(DWORD timeoutMs) {
  const DWORD me = GetCurrentThreadId();
  std::unique_lock guard(mutex_);
  if (owner_ == me) {
    ++depth_;
    return true;
  }
  const auto isFree = [this] { return owner_ == 0; };
  if (timeoutMs == INFINITE) {
    released_.wait(guard, isFree);
  } else if (!released_.wait_for(guard, std::chrono::milliseconds(timeoutMs), isFree)) {
    return false;
  }
  owner_ = me;
  depth_ = 1;
  return true;
}

bool HvRecursiveLock::unlock() {
  {
    std::lock_guard guard(mutex_);
    if (owner_ != GetCurrentThreadId() || depth_ == 0) return false;
    if (--depth_ > 0) return true;
    owner_ = 0;
  }
  released_.notify_one();
  return true;
}

bool HvRecursiveLock::ownedByCurrentThread() const {
  std::lock_guard guard(mutex_);
  return owner_ == GetCurrentThreadId();
}
