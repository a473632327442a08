#include "platform/win/KernelObject.h"

#include "platform/win/KernelObjectTable.h"
#include "platform/win/LastError.h"
#include "platform/win/SystemErrors.h"

#include <array>
#include <cstdint>
#include <chrono>

namespace hv::win {

KernelObjectTable& KernelObjectTable::instance() {
  // Never destroyed: detached threads may still end after static destruction.
  static KernelObjectTable* table = new KernelObjectTable;
  return *table;
}

HANDLE KernelObjectTable::open(std::shared_ptr<KernelObjectState> object) {
  const std::uintptr_t value = nextValue_;
  nextValue_ += 4;
  ++object->openHandles;
  handles_.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObjectState> KernelObjectTable::find(HANDLE handle) const {
  const auto it = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
  return it == handles_.end() ? nullptr : it->second;
}

std::shared_ptr<KernelObjectState> KernelObjectTable::close(HANDLE handle) {
  const auto it = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
  if (it == handles_.end()) return nullptr;
  auto object = std::move(it->second);
  handles_.erase(it);
  --object->openHandles;
  return object;
}

}  // namespace hv::win

using hv::win::KernelObjectKind;
using hv::win::KernelObjectState;
using hv::win::KernelObjectTable;

BOOL CloseHandle(HANDLE handle) {
  auto& table = KernelObjectTable::instance();
  std::shared_ptr<KernelObjectState> object;
  {
    std::lock_guard lock(table.mutex);
    object = table.close(handle);
    if (!object) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    if (object->kind == KernelObjectKind::thread && object->openHandles == 0 && !object->started &&
        object->suspendCount > 0) {
      // Nobody can resume it any more: let its thread end without running.
      object->abandoned = true;
    }
  }
  table.changed.notify_all();
  return TRUE;
}

HANDLE GetCurrentProcess() {
  // Windows answers (HANDLE)-1; the table's handles start at 0x1000 and are
  // multiples of 4, so this value never names a kernel object here.
  return reinterpret_cast<HANDLE>(~static_cast<std::uintptr_t>(0));
}

BOOL DuplicateHandle(HANDLE sourceProcess, HANDLE source, HANDLE targetProcess, LPHANDLE target, DWORD,
                     BOOL, DWORD options) {
  if (sourceProcess != GetCurrentProcess() || targetProcess != GetCurrentProcess()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  auto& table = KernelObjectTable::instance();
  {
    std::lock_guard lock(table.mutex);
    std::shared_ptr<KernelObjectState> object = table.find(source);
    if (!object) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    if (target != nullptr) *target = table.open(object);
    // Closing the source cannot abandon a suspended thread here: the
    // duplicate (when made) still refers to it, and without one CloseHandle
    // below does the abandoning.
    if (target != nullptr && (options & DUPLICATE_CLOSE_SOURCE) != 0) table.close(source);
  }
  if (target == nullptr) {
    if ((options & DUPLICATE_CLOSE_SOURCE) != 0) CloseHandle(source);
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

namespace {

// A satisfied wait takes the signal of an auto-reset event.
void consumeSignal(KernelObjectState& object) {
  if (object.kind == KernelObjectKind::event && !object.manualReset) object.signalled = false;
}

// Index of the object that satisfies the wait, or -1.
int satisfiedIndex(const std::array<std::shared_ptr<KernelObjectState>, MAXIMUM_WAIT_OBJECTS>& objects,
                   DWORD count, bool waitAll) {
  if (!waitAll) {
    for (DWORD i = 0; i < count; ++i)
      if (objects[i]->signalled) return static_cast<int>(i);
    return -1;
  }
  for (DWORD i = 0; i < count; ++i)
    if (!objects[i]->signalled) return -1;
  return 0;
}

DWORD waitForObjects(DWORD count, const HANDLE* handles, bool waitAll, DWORD timeoutMs) {
  if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || handles == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  auto& table = KernelObjectTable::instance();
  std::unique_lock lock(table.mutex);

  // The objects are held for the whole wait, so a handle closed meanwhile by
  // another thread does not end the wait, as on Windows.
  std::array<std::shared_ptr<KernelObjectState>, MAXIMUM_WAIT_OBJECTS> objects;
  for (DWORD i = 0; i < count; ++i) {
    objects[i] = table.find(handles[i]);
    if (!objects[i]) {
      SetLastError(ERROR_INVALID_HANDLE);
      return WAIT_FAILED;
    }
    if (waitAll) {
      for (DWORD j = 0; j < i; ++j) {
        if (objects[j] == objects[i]) {  // the same object twice cannot be waited for all
          SetLastError(ERROR_INVALID_PARAMETER);
          return WAIT_FAILED;
        }
      }
    }
  }

  bool timedOut = false;
  for (;;) {
    const int index = satisfiedIndex(objects, count, waitAll);
    if (index >= 0) {
      if (waitAll) {
        for (DWORD i = 0; i < count; ++i) consumeSignal(*objects[i]);
      } else {
        consumeSignal(*objects[index]);
      }
      return WAIT_OBJECT_0 + static_cast<DWORD>(index);
    }
    if (timeoutMs == 0 || timedOut) return WAIT_TIMEOUT;
    if (timeoutMs == INFINITE) {
      table.changed.wait(lock);
    } else if (table.changed.wait_until(lock, deadline) == std::cv_status::timeout) {
      timedOut = true;  // look once more, then answer the time-out
    }
  }
}

}  // namespace

DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs) {
  return waitForObjects(1, &handle, false, timeoutMs);
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD timeoutMs) {
  return waitForObjects(count, handles, waitAll != FALSE, timeoutMs);
}

std::size_t hvOpenHandleCount() {
  auto& table = KernelObjectTable::instance();
  std::lock_guard lock(table.mutex);
  return table.openCount();
}
