// The framework's critical section: owned per thread and recursive. Creating
// one cannot fail here; only allocation could, as std::bad_alloc.
#pragma once

#include "platform/win/CSyncObject.h"
#include "platform/win/RecursiveLock.h"

class CCriticalSection : public CSyncObject {
 public:
  CCriticalSection() = default;

  BOOL Lock(DWORD timeoutMs = INFINITE) override { return lock_.lock(timeoutMs) ? TRUE : FALSE; }
  BOOL Unlock() override { return lock_.unlock() ? TRUE : FALSE; }

 private:
  HvRecursiveLock lock_;
};
