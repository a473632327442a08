#include "geometry/FailureNotice.h"

#include "platform/win/MessageBox.h"
#include "platform/win/ThreadId.h"
#include "platform/win/WindowMessages.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <utility>

namespace {

struct SinkSlot {
  std::mutex mutex;
  std::shared_ptr<const hvFailureNoticeSink> sink;  // null: the default
};

SinkSlot& sinkSlot() {
  static SinkSlot slot;
  return slot;
}

// Set when the library is loaded, on the loading thread.
std::atomic<DWORD> g_hostThread{GetCurrentThreadId()};

int showOnHostThread(const hvFailureNotice& notice) {
  HWND owner = nullptr;
  if (notice.ownedByActiveWindow) {
    owner = GetActiveWindow();
    if (owner) owner = GetLastActivePopup(owner);
  }
  // A pending quit request would close the box at once: keep it aside.
  MSG quit;
  const bool hadQuit = notice.ownedByActiveWindow &&
                       PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  const int answer = MessageBoxW(owner, notice.text.c_str(), notice.caption.c_str(), notice.flags);
  if (hadQuit) PostQuitMessage(static_cast<int>(quit.wParam));
  return answer;
}

int defaultSink(const hvFailureNotice& notice) {
  if (notice.hostThread) return showOnHostThread(notice);
  MessageBoxW(nullptr, notice.text.c_str(), notice.caption.c_str(), MB_ICONSTOP);
  return IDOK;
}

}  // namespace

hvFailureNoticeSink hvSetFailureNoticeSink(hvFailureNoticeSink sink) {
  auto next = sink ? std::make_shared<const hvFailureNoticeSink>(std::move(sink)) : nullptr;
  SinkSlot& slot = sinkSlot();
  std::lock_guard lock(slot.mutex);
  std::shared_ptr<const hvFailureNoticeSink> previous = std::exchange(slot.sink, std::move(next));
  return previous ? *previous : hvFailureNoticeSink();
}

void hvSetFailureHostThread(DWORD threadId) { g_hostThread.store(threadId); }

DWORD hvFailureHostThread() { return g_hostThread.load(); }

int hvDeliverFailureNotice(std::u16string caption, std::u16string text, UINT flags,
                           bool ownedByActiveWindow) {
  hvFailureNotice notice;
  notice.threadId = GetCurrentThreadId();
  const DWORD host = g_hostThread.load();
  notice.hostThread = host != 0 && host == notice.threadId;
  notice.ownedByActiveWindow = ownedByActiveWindow;
  notice.caption = std::move(caption);
  notice.text = std::move(text);
  notice.flags = flags;

  std::shared_ptr<const hvFailureNoticeSink> sink;
  {
    SinkSlot& slot = sinkSlot();
    std::lock_guard lock(slot.mutex);
    sink = slot.sink;
  }
  return sink ? (*sink)(notice) : defaultSink(notice);
}
