// A lock owned by one thread at a time, which its owner may take again; it is
// free when the owner has released it as often as it took it. The ground of
// CMutex and CCriticalSection.
#pragma once

#include "platform/win/WinTypes.h"

#include <condition_variable>
#include <mutex>

class HvRecursiveLock {
 public:
  HvRecursiveLock() = default;
  HvRecursiveLock(const HvRecursiveLock&) = delete;
  HvRecursiveLock& operator=(const HvRecursiveLock&) = delete;

  // Takes the lock, waiting at most `timeoutMs` (INFINITE: for ever, 0: only
  // tries). False when the time ran out.
  bool lock(DWORD timeoutMs);

  // Releases one level. False, and nothing changes, when the calling thread
  // does not own the lock.
  bool unlock();

  bool ownedByCurrentThread() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable released_;
  DWORD owner_ = 0;  // thread id; 0 when free
  unsigned depth_ = 0;
};
