// The lock of the current design model's pointer. It guards the process-wide
// pointer to the current design model and the list of distribution-pipe
// curves that the curve registry checks, so that a curve made or destroyed on
// any thread either finds the model whole or finds none.
//
// A curve's registration holds it shared (so design threads registering at
// the same time do not wait for each other) and takes the registry's own
// per-thread locks inside it; setting or clearing the pointer and changing the
// pipe list hold it exclusively. A waiting writer goes before new readers, so
// threads that make curves all the time never keep the command's thread out.
// It is held only for short bookkeeping and is not recursive, either way:
// never make or destroy a heating curve while holding it.
#pragma once

#include <pthread.h>

class CurveRegistryLock {
 public:
  CurveRegistryLock();
  ~CurveRegistryLock();
  CurveRegistryLock(const CurveRegistryLock&) = delete;
  CurveRegistryLock& operator=(const CurveRegistryLock&) = delete;

  // Exclusive (std::lock_guard, std::unique_lock).
  void lock();
  void unlock();
  // Shared (std::shared_lock).
  void lock_shared();
  void unlock_shared();

 private:
  pthread_rwlock_t lock_;
};

CurveRegistryLock& curveRegistryLock();
