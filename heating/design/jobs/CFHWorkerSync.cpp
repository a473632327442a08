#include "heating/design/jobs/CFHWorkerSync.h"

#include "platform/win/Events.h"
#include "platform/win/KernelObject.h"
#include "platform/win/WindowMessages.h"

#include <algorithm>
#include <utility>

CFHWorkerSync::CFHWorkerSync() : cancelEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CFHWorkerSync::~CFHWorkerSync() {
  cancel();
  joinWaiters();
  if (cancelEvent_ != nullptr) CloseHandle(cancelEvent_);
}

void CFHWorkerSync::cancel() {
  if (cancelEvent_ != nullptr) SetEvent(cancelEvent_);
}

void CFHWorkerSync::setNotifyWnd(HWND window) {
  std::lock_guard lock(lock_);
  notifyWnd_ = window;
  // A run end owed to the window before is no news for another.
  runEndOwed_ = false;
}

HWND CFHWorkerSync::notifyWnd() const {
  std::lock_guard lock(lock_);
  return notifyWnd_;
}

void CFHWorkerSync::closeHandles(Waiter& waiter) {
  for (HANDLE handle : waiter.watched) {
    if (handle != nullptr) CloseHandle(handle);
  }
  waiter.watched.clear();
  if (waiter.thread != nullptr) CloseHandle(waiter.thread);
  waiter.thread = nullptr;
}

void CFHWorkerSync::dropEndedWaitersLocked(std::vector<Waiter>& dropped) {
  // Testing a thread handle with a zero time-out never blocks.
  auto ended = [](const Waiter& waiter) {
    return waiter.thread == nullptr || WaitForSingleObject(waiter.thread, 0) == WAIT_OBJECT_0;
  };
  for (auto it = waiters_.begin(); it != waiters_.end();) {
    if (ended(*it)) {
      dropped.push_back(std::move(*it));
      it = waiters_.erase(it);
    } else {
      ++it;
    }
  }
}

std::uint32_t CFHWorkerSync::registerWaiter(HANDLE waiterThread, std::vector<HANDLE> watched) {
  std::vector<Waiter> dropped;
  std::uint32_t id = 0;
  {
    std::lock_guard lock(lock_);
    dropEndedWaitersLocked(dropped);
    id = nextWaiterId_++;
    waiters_.push_back(Waiter{id, waiterThread, std::move(watched), true});
  }
  for (Waiter& waiter : dropped) closeHandles(waiter);
  return id;
}

bool CFHWorkerSync::waiterFinished(std::uint32_t id, bool allEnded, bool notifyTwice) {
  std::lock_guard lock(lock_);
  const auto self = std::find_if(waiters_.begin(), waiters_.end(), [id](const Waiter& w) { return w.id == id; });
  if (self == waiters_.end() || !self->active) return false;
  self->active = false;
  if (!allEnded || notifyWnd_ == nullptr) return false;
  const bool othersActive = std::any_of(waiters_.begin(), waiters_.end(), [](const Waiter& w) { return w.active; });
  if (othersActive) {
    runEndOwed_ = runEndOwed_ || notifyTwice;
    return false;
  }
  // Posting never waits, so it may happen under the lock; the window cannot
  // be cleared meanwhile.
  PostMessageW(notifyWnd_, kDesignsChanged, 0, 0);
  if (notifyTwice || runEndOwed_) PostMessageW(notifyWnd_, kDesignRunEnded, 0, 0);
  runEndOwed_ = false;
  return true;
}

void CFHWorkerSync::joinWaiters() {
  // Only the command's thread registers, drops and joins, so the handles
  // read here stay open while it waits on them unlocked.
  std::vector<HANDLE> threads;
  {
    std::lock_guard lock(lock_);
    for (const Waiter& waiter : waiters_) {
      if (waiter.thread != nullptr) threads.push_back(waiter.thread);
    }
  }
  for (HANDLE thread : threads) WaitForSingleObject(thread, INFINITE);
  std::vector<Waiter> all;
  {
    std::lock_guard lock(lock_);
    all.swap(waiters_);
  }
  for (Waiter& waiter : all) closeHandles(waiter);
}

std::size_t CFHWorkerSync::waiterCount() const {
  std::lock_guard lock(lock_);
  return waiters_.size();
}

std::size_t CFHWorkerSync::activeWaiterCount() const {
  std::lock_guard lock(lock_);
  return static_cast<std::size_t>(
      std::count_if(waiters_.begin(), waiters_.end(), [](const Waiter& w) { return w.active; }));
}
