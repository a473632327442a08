#include "platform/win/Threads.h"

#include "platform/win/KernelObjectTable.h"
#include "platform/win/LastError.h"
#include "platform/win/SystemErrors.h"
#include "platform/win/ThreadId.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <system_error>
#include <thread>

using hv::win::KernelObjectKind;
using hv::win::KernelObjectState;
using hv::win::KernelObjectTable;

namespace {

DWORD runEntry(LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD threadId) {
  try {
    return start(parameter);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "hv_win: thread %u ended by an exception: %s\n", static_cast<unsigned>(threadId),
                 e.what());
  } catch (...) {
    std::fprintf(stderr, "hv_win: thread %u ended by an exception\n", static_cast<unsigned>(threadId));
  }
  return HV_THREAD_EXCEPTION_EXIT_CODE;
}

void threadMain(std::shared_ptr<KernelObjectState> self, LPTHREAD_START_ROUTINE start, LPVOID parameter) {
  hvAdoptThreadId(self->threadId);
  auto& table = KernelObjectTable::instance();
  {
    std::unique_lock lock(table.mutex);
    table.changed.wait(lock, [&] { return self->suspendCount == 0 || self->abandoned; });
    if (self->abandoned) return;
    self->started = true;
  }
  const DWORD exitCode = runEntry(start, parameter, self->threadId);
  {
    std::lock_guard lock(table.mutex);
    self->exitCode = exitCode;
    self->signalled = true;
  }
  table.changed.notify_all();
}

// The thread object behind a handle, or null (ERROR_INVALID_HANDLE). The
// caller holds the table's mutex.
std::shared_ptr<KernelObjectState> findThread(KernelObjectTable& table, HANDLE handle) {
  auto object = table.find(handle);
  if (!object || object->kind != KernelObjectKind::thread) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return object;
}

}  // namespace

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD creationFlags, LPDWORD threadId) {
  if (start == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto object = std::make_shared<KernelObjectState>(KernelObjectKind::thread);
  object->threadId = hvAllocateThreadId();
  object->suspendCount = (creationFlags & CREATE_SUSPENDED) ? 1 : 0;
  if (threadId != nullptr) *threadId = object->threadId;

  auto& table = KernelObjectTable::instance();
  HANDLE handle;
  {
    std::lock_guard lock(table.mutex);
    handle = table.open(object);
  }
  try {
    std::thread(threadMain, std::move(object), start, parameter).detach();
  } catch (const std::system_error&) {
    std::lock_guard lock(table.mutex);
    table.close(handle);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return handle;
}

DWORD ResumeThread(HANDLE thread) {
  auto& table = KernelObjectTable::instance();
  DWORD previous;
  {
    std::lock_guard lock(table.mutex);
    const auto object = findThread(table, thread);
    if (!object) return 0xFFFFFFFFu;
    previous = object->suspendCount;
    if (previous > 0) --object->suspendCount;
  }
  if (previous == 1) table.changed.notify_all();
  return previous;
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
  if (exitCode == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto& table = KernelObjectTable::instance();
  std::lock_guard lock(table.mutex);
  const auto object = findThread(table, thread);
  if (!object) return FALSE;
  *exitCode = object->exitCode;
  return TRUE;
}

DWORD GetThreadId(HANDLE thread) {
  auto& table = KernelObjectTable::instance();
  std::lock_guard lock(table.mutex);
  const auto object = findThread(table, thread);
  return object ? object->threadId : 0;
}

void Sleep(DWORD milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
