// Holds one synchronisation object for a scope: taken in the constructor when
// asked, released by the destructor when still held.
#pragma once

#include "platform/win/CSyncObject.h"

class CSingleLock {
 public:
  explicit CSingleLock(CSyncObject* object, BOOL initialLock = FALSE) : object_(object) {
    if (initialLock) Lock();
  }
  CSingleLock(const CSingleLock&) = delete;
  CSingleLock& operator=(const CSingleLock&) = delete;
  ~CSingleLock() { Unlock(); }

  // Taking it again while this lock holds it changes nothing and answers TRUE.
  BOOL Lock(DWORD timeoutMs = INFINITE) {
    if (object_ == nullptr) return FALSE;
    if (!locked_) locked_ = object_->Lock(timeoutMs) != FALSE;
    return locked_ ? TRUE : FALSE;
  }

  BOOL Unlock() {
    if (locked_) locked_ = object_->Unlock() == FALSE;
    return locked_ ? FALSE : TRUE;
  }

  BOOL IsLocked() const { return locked_ ? TRUE : FALSE; }

 private:
  CSyncObject* object_;
  bool locked_ = false;
};
