#include "platform/win/ThreadId.h"

#include <atomic>

namespace {
std::atomic<DWORD> g_nextThreadId{1};
thread_local DWORD t_threadId = 0;
}  // namespace

DWORD hvAllocateThreadId() {
  DWORD id = 0;
  while (id == 0) id = g_nextThreadId.fetch_add(1, std::memory_order_relaxed);
  return id;
}

void hvAdoptThreadId(DWORD id) { t_threadId = id; }

DWORD GetCurrentThreadId() {
  if (t_threadId == 0) t_threadId = hvAllocateThreadId();
  return t_threadId;
}
