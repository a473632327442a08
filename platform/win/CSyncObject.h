// Base of the framework's synchronisation objects, so that CSingleLock can take
// any of them.
#pragma once

#include "platform/win/WinTypes.h"

class CSyncObject {
 public:
  CSyncObject() = default;
  CSyncObject(const CSyncObject&) = delete;
  CSyncObject& operator=(const CSyncObject&) = delete;
  virtual ~CSyncObject() = default;

  // TRUE when the object was taken within `timeoutMs`.
  virtual BOOL Lock(DWORD timeoutMs = INFINITE) = 0;
  // FALSE when the calling thread does not hold the object.
  virtual BOOL Unlock() = 0;
};
