// The framework's mutex: owned per thread and recursive. Only unnamed mutexes
// are used; a name is ignored.
#pragma once

#include "platform/win/CSyncObject.h"
#include "platform/win/RecursiveLock.h"
#include "platform/win/Threads.h"

class CMutex : public CSyncObject {
 public:
  explicit CMutex(BOOL initiallyOwn = FALSE, LPCWSTR name = nullptr, LPSECURITY_ATTRIBUTES security = nullptr) {
    (void)name;
    (void)security;
    if (initiallyOwn) lock_.lock(INFINITE);
  }

  BOOL Lock(DWORD timeoutMs = INFINITE) override { return lock_.lock(timeoutMs) ? TRUE : FALSE; }
  BOOL Unlock() override { return lock_.unlock() ? TRUE : FALSE; }

 private:
  HvRecursiveLock lock_;
};
