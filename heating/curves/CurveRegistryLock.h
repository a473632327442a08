// The lock of the heating-curve observer (HeatingCurveObserver.h). It guards
// the process-wide pointer to the installed observer, and the observer's
// owner guards with it what the observer reads while a curve reports: the
// design model keeps its current-model pointer and its list of
// distribution-pipe curves under it, so that a curve made or destroyed on any
// thread either finds the model whole or finds none.
//
// A curve's report holds it shared (so design threads reporting at the same
// time do not wait for each other), and the observer takes its own locks
// inside it; installing or removing the observer, setting or clearing the
// model pointer and changing the pipe list hold it exclusively. A waiting
// writer goes before new readers, so threads that make curves all the time
// never keep the command's thread out. It is held only for short bookkeeping
// and is not recursive, either way: never make or destroy a heating curve
// while holding it.
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
