// The synchronisation block of a design model's jobs: the cancel event that
// ends the waiters, the window that hears when designs are ready, and the
// waiters themselves (each a thread that watches a set of design jobs and
// tells the window when all design jobs have ended).
//
// Ownership: the block owns its cancel event, every registered waiter's
// thread handle and the waiter's own references to the design threads it
// watches (DuplicateHandle copies; the circuits keep their own). A waiter is
// dropped, its handles closed, once its thread has ended: when a later waiter
// is registered, and at the latest by joinWaiters.
//
// Threads: the command's thread makes, registers, joins and destroys; waiter
// threads call waiterFinished and read the cancel event. The lock guards the
// notify window and the waiter list and is taken alone (no other lock of the
// model is taken under it, nor it under another); nothing waits under it.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstdint>
#include <mutex>
#include <vector>

class CFHWorkerSync {
 public:
  // The messages the notify window receives, both with zero parameters.
  static constexpr UINT kDesignsChanged = 0x0400 + 1;  // WM_USER + 1
  static constexpr UINT kDesignRunEnded = 0x0400 + 4;  // WM_USER + 4

  // Makes the cancel event (manual reset, not signalled). Without it (the
  // system refused) cancelEvent() is null and a waiter must not be started.
  CFHWorkerSync();
  // Signals the cancel event, joins the waiters, closes every handle.
  ~CFHWorkerSync();
  CFHWorkerSync(const CFHWorkerSync&) = delete;
  CFHWorkerSync& operator=(const CFHWorkerSync&) = delete;

  HANDLE cancelEvent() const { return cancelEvent_; }
  // Signals the cancel event: every waiter ends within one pass, posting
  // nothing. It stays signalled.
  void cancel();

  void setNotifyWnd(HWND window);
  HWND notifyWnd() const;

  // Registers a waiter thread (made suspended, not yet resumed) and the
  // references it watches; the block takes all of them. First drops the
  // waiters whose threads have ended. Answers the waiter's id, which it
  // passes to waiterFinished. From here until it finishes the waiter counts
  // as active.
  std::uint32_t registerWaiter(HANDLE waiterThread, std::vector<HANDLE> watched);

  // Called by a waiter when it stops watching: allEnded when every design
  // job it watched has ended, false when it gave up (cancel, a failed wait).
  // Posts kDesignsChanged (and kDesignRunEnded after it when notifyTwice) to
  // the notify window only when allEnded and no other waiter is still
  // active: the last waiter to finish tells the window once for all, and
  // posts kDesignRunEnded also when a waiter that finished before it, while
  // others were active, would have. Answers whether it posted.
  bool waiterFinished(std::uint32_t id, bool allEnded, bool notifyTwice);

  // Waits (no lock held) until every registered waiter thread has ended, then
  // closes their handles and drops them. Command's thread only; the caller
  // makes sure the waiters end (the design jobs ended, or cancel()).
  void joinWaiters();

  // The number of waiters not yet dropped, and of those still active.
  std::size_t waiterCount() const;
  std::size_t activeWaiterCount() const;

 private:
  struct Waiter {
    std::uint32_t id = 0;
    HANDLE thread = nullptr;
    std::vector<HANDLE> watched;
    bool active = true;
  };
  static void closeHandles(Waiter& waiter);
  // Drops the waiters whose threads have ended; the caller holds lock_.
  void dropEndedWaitersLocked(std::vector<Waiter>& dropped);

  HANDLE cancelEvent_ = nullptr;
  mutable std::mutex lock_;
  HWND notifyWnd_ = nullptr;        // under lock_
  std::vector<Waiter> waiters_;     // under lock_
  std::uint32_t nextWaiterId_ = 1;  // under lock_
  bool runEndOwed_ = false;         // under lock_
};
