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
//
// Every heating curve made or destroyed on a design thread takes it shared,
// so a reader must not touch memory other readers write: each thread takes
// one of a set of slots of its own cache line (by a hash of its id), and a
// writer takes every slot. Writers are rare (a command's start
// and end, a change of the pipe list) and take them in order under a writer
// mutex of their own.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <mutex>

class CurveRegistryLock {
 public:
  CurveRegistryLock() = default;
  CurveRegistryLock(const CurveRegistryLock&) = delete;
  CurveRegistryLock& operator=(const CurveRegistryLock&) = delete;

  // Exclusive (std::lock_guard, std::unique_lock).
  void lock();
  void unlock();
  // Shared (std::shared_lock).
  void lock_shared();
  void unlock_shared();

 private:
  // A writer holds every slot at once: ThreadSanitizer follows at most 64
  // locks held by one thread, so the slots stay well below that.
  static constexpr std::size_t kSlots = 32;
  struct alignas(64) Slot {
    std::mutex mutex;
  };
  std::array<Slot, kSlots> slots_;
  // Held by a writer from before it takes the first slot to after it lets
  // the last go; readers that see writerWaiting_ queue on it first.
  std::mutex writer_;
  std::atomic<bool> writerWaiting_{false};
};

CurveRegistryLock& curveRegistryLock();
