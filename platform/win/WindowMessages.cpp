#include "platform/win/WindowMessages.h"

#include "platform/win/Clock.h"
#include "platform/win/LastError.h"
#include "platform/win/SystemErrors.h"
#include "platform/win/ThreadId.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include <unistd.h>

namespace {

struct Window {
  DWORD owner;
  HvWindowProc procedure;
};

struct ThreadQueue {
  std::deque<MSG> posted;
  bool quitPending = false;
  int quitCode = 0;
};

// Every window and queue of the process, under one mutex; `changed` wakes the
// threads that wait for messages.
struct MessageSystem {
  std::mutex mutex;
  std::condition_variable changed;
  std::unordered_map<std::uintptr_t, std::shared_ptr<Window>> windows;
  std::unordered_map<DWORD, ThreadQueue> queues;
  std::uintptr_t nextWindow = 0x10000;
};

MessageSystem& messageSystem() {
  // Never destroyed: threads may end after static destruction.
  static MessageSystem* system = new MessageSystem;
  return *system;
}

std::uintptr_t key(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

// Destroys the windows and the queue of a thread when it ends.
struct ThreadMessageCleanup {
  DWORD threadId = 0;
  ~ThreadMessageCleanup() {
    if (threadId == 0) return;
    auto& system = messageSystem();
    std::vector<std::shared_ptr<Window>> ended;  // released after the mutex
    std::lock_guard lock(system.mutex);
    for (auto it = system.windows.begin(); it != system.windows.end();) {
      if (it->second->owner == threadId) {
        ended.push_back(std::move(it->second));
        it = system.windows.erase(it);
      } else {
        ++it;
      }
    }
    system.queues.erase(threadId);
  }
};

void cleanUpAtThreadEnd(DWORD threadId) {
  thread_local ThreadMessageCleanup cleanup;
  cleanup.threadId = threadId;
}

// The window, when it exists and belongs to `thread`; the caller holds the mutex.
std::shared_ptr<Window> ownWindow(MessageSystem& system, HWND window, DWORD thread) {
  const auto it = system.windows.find(key(window));
  if (it == system.windows.end()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (it->second->owner != thread) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return it->second;
}

bool matches(const MSG& message, HWND window, UINT first, UINT last) {
  if (window != nullptr && message.hwnd != window) return false;
  if (first == 0 && last == 0) return true;
  return message.message >= first && message.message <= last;
}

enum class Found { nothing, message, quit };

// Finds the first matching message of the thread's queue, then the quit
// request; the caller holds the mutex.
Found findMessage(MessageSystem& system, DWORD thread, MSG* out, HWND window, UINT first, UINT last,
                  bool remove, bool quitToo) {
  const auto queueIt = system.queues.find(thread);
  if (queueIt == system.queues.end()) return Found::nothing;
  ThreadQueue& queue = queueIt->second;
  const auto it = std::find_if(queue.posted.begin(), queue.posted.end(),
                               [&](const MSG& m) { return matches(m, window, first, last); });
  if (it != queue.posted.end()) {
    if (out != nullptr) *out = *it;
    if (remove) queue.posted.erase(it);
    return Found::message;
  }
  if (quitToo && queue.quitPending && window == nullptr && matches(MSG{nullptr, WM_QUIT}, window, first, last)) {
    if (out != nullptr) *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0, GetTickCount()};
    if (remove) queue.quitPending = false;
    return Found::quit;
  }
  return Found::nothing;
}

// Waits until a message for `window` or a quit request is there, or the time
// is out; the lock holds the mutex. False on time-out.
bool waitForMessage(MessageSystem& system, std::unique_lock<std::mutex>& lock, DWORD thread, HWND window,
                    DWORD timeoutMs) {
  const auto ready = [&] { return findMessage(system, thread, nullptr, window, 0, 0, false, true) != Found::nothing; };
  if (timeoutMs == INFINITE) {
    system.changed.wait(lock, ready);
    return true;
  }
  return system.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
}

// Registers the calling thread's queue for clean-up and answers its id.
DWORD currentThreadWithQueue() {
  const DWORD me = GetCurrentThreadId();
  cleanUpAtThreadEnd(me);
  return me;
}

}  // namespace

HWND hvCreateWindow(HvWindowProc procedure) {
  const DWORD me = currentThreadWithQueue();
  auto& system = messageSystem();
  std::lock_guard lock(system.mutex);
  const std::uintptr_t value = system.nextWindow;
  system.nextWindow += 2;
  system.windows.emplace(value, std::make_shared<Window>(Window{me, std::move(procedure)}));
  return reinterpret_cast<HWND>(value);
}

BOOL DestroyWindow(HWND window) {
  auto& system = messageSystem();
  std::shared_ptr<Window> destroyed;  // released after the mutex
  std::lock_guard lock(system.mutex);
  const DWORD me = GetCurrentThreadId();
  destroyed = ownWindow(system, window, me);
  if (!destroyed) return FALSE;
  system.windows.erase(key(window));
  const auto queueIt = system.queues.find(me);
  if (queueIt != system.queues.end()) {
    auto& posted = queueIt->second.posted;
    posted.erase(std::remove_if(posted.begin(), posted.end(), [&](const MSG& m) { return m.hwnd == window; }),
                 posted.end());
  }
  return TRUE;
}

BOOL IsWindow(HWND window) {
  auto& system = messageSystem();
  std::lock_guard lock(system.mutex);
  return system.windows.count(key(window)) != 0 ? TRUE : FALSE;
}

DWORD GetWindowThreadProcessId(HWND window, DWORD* processId) {
  auto& system = messageSystem();
  std::lock_guard lock(system.mutex);
  const auto it = system.windows.find(key(window));
  if (it == system.windows.end()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (processId != nullptr) *processId = static_cast<DWORD>(getpid());
  return it->second->owner;
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& system = messageSystem();
  const DWORD target = window == nullptr ? currentThreadWithQueue() : 0;
  {
    std::lock_guard lock(system.mutex);
    DWORD owner = target;
    if (window != nullptr) {
      const auto it = system.windows.find(key(window));
      if (it == system.windows.end()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
      }
      owner = it->second->owner;
    }
    auto& queue = system.queues[owner];
    if (queue.posted.size() >= HV_MESSAGE_QUEUE_LIMIT) {
      SetLastError(ERROR_NOT_ENOUGH_QUOTA);
      return FALSE;
    }
    queue.posted.push_back(MSG{window, message, wParam, lParam, GetTickCount()});
  }
  system.changed.notify_all();
  return TRUE;
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& system = messageSystem();
  std::shared_ptr<Window> target;
  {
    std::lock_guard lock(system.mutex);
    target = ownWindow(system, window, GetCurrentThreadId());
  }
  if (!target || !target->procedure) return 0;
  return target->procedure(window, message, wParam, lParam);
}

BOOL PeekMessageW(LPMSG message, HWND window, UINT first, UINT last, UINT removeFlags) {
  const DWORD me = currentThreadWithQueue();
  auto& system = messageSystem();
  std::lock_guard lock(system.mutex);
  if (window != nullptr && !ownWindow(system, window, me)) return FALSE;
  MSG found;
  if (findMessage(system, me, &found, window, first, last, (removeFlags & PM_REMOVE) != 0, true) == Found::nothing)
    return FALSE;
  if (message != nullptr) *message = found;
  return TRUE;
}

BOOL GetMessageW(LPMSG message, HWND window, UINT first, UINT last) {
  if (message == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  const DWORD me = currentThreadWithQueue();
  auto& system = messageSystem();
  std::unique_lock lock(system.mutex);
  if (window != nullptr && !ownWindow(system, window, me)) return -1;
  Found found = Found::nothing;
  system.changed.wait(lock, [&] {
    found = findMessage(system, me, message, window, first, last, true, true);
    return found != Found::nothing;
  });
  return found == Found::quit ? 0 : 1;
}

LRESULT DispatchMessageW(const MSG* message) {
  if (message == nullptr || message->hwnd == nullptr) return 0;
  return SendMessageW(message->hwnd, message->message, message->wParam, message->lParam);
}

void PostQuitMessage(int exitCode) {
  const DWORD me = currentThreadWithQueue();
  auto& system = messageSystem();
  {
    std::lock_guard lock(system.mutex);
    auto& queue = system.queues[me];
    queue.quitPending = true;
    queue.quitCode = exitCode;
  }
  system.changed.notify_all();
}

HWND GetActiveWindow() { return nullptr; }

HWND GetLastActivePopup(HWND window) { return IsWindow(window) ? window : nullptr; }

HvMessageWait hvGetMessage(MSG* message, HWND window, DWORD timeoutMs) {
  const DWORD me = currentThreadWithQueue();
  auto& system = messageSystem();
  std::unique_lock lock(system.mutex);
  if (message == nullptr || (window != nullptr && !ownWindow(system, window, me))) return HvMessageWait::failed;
  if (!waitForMessage(system, lock, me, window, timeoutMs)) return HvMessageWait::timeout;
  switch (findMessage(system, me, message, window, 0, 0, true, true)) {
    case Found::message: return HvMessageWait::message;
    case Found::quit: return HvMessageWait::quit;
    case Found::nothing: break;
  }
  return HvMessageWait::timeout;
}

std::size_t hvPumpMessages(HWND window, DWORD timeoutMs) {
  const DWORD me = currentThreadWithQueue();
  auto& system = messageSystem();
  std::unique_lock lock(system.mutex);
  if (window != nullptr && !ownWindow(system, window, me)) return 0;
  if (!waitForMessage(system, lock, me, window, timeoutMs)) return 0;
  // Only the messages waiting now: a procedure that posts again cannot keep
  // the pump going for ever.
  const auto queueIt = system.queues.find(me);
  const std::size_t waiting =
      queueIt == system.queues.end()
          ? 0
          : static_cast<std::size_t>(std::count_if(queueIt->second.posted.begin(), queueIt->second.posted.end(),
                                                   [&](const MSG& m) { return matches(m, window, 0, 0); }));
  std::size_t taken = 0;
  MSG message;
  while (taken < waiting && findMessage(system, me, &message, window, 0, 0, true, false) == Found::message) {
    ++taken;
    lock.unlock();
    DispatchMessageW(&message);
    lock.lock();
  }
  return taken;
}

std::size_t hvPendingMessageCount(HWND window) {
  auto& system = messageSystem();
  std::lock_guard lock(system.mutex);
  DWORD thread = GetCurrentThreadId();
  if (window != nullptr) {
    const auto it = system.windows.find(key(window));
    if (it == system.windows.end()) return 0;
    thread = it->second->owner;
  }
  const auto queueIt = system.queues.find(thread);
  if (queueIt == system.queues.end()) return 0;
  return static_cast<std::size_t>(std::count_if(queueIt->second.posted.begin(), queueIt->second.posted.end(),
                                                [&](const MSG& m) { return matches(m, window, 0, 0); }));
}
