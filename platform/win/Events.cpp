#include "platform/win/Events.h"

#include "platform/win/KernelObjectTable.h"
#include "platform/win/LastError.h"
#include "platform/win/SystemErrors.h"

using hv::win::KernelObjectKind;
using hv::win::KernelObjectState;
using hv::win::KernelObjectTable;

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCWSTR name) {
  if (name != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto object = std::make_shared<KernelObjectState>(KernelObjectKind::event);
  object->manualReset = manualReset != FALSE;
  object->signalled = initialState != FALSE;
  auto& table = KernelObjectTable::instance();
  std::lock_guard lock(table.mutex);
  return table.open(std::move(object));
}

namespace {

BOOL setEventState(HANDLE event, bool signalled) {
  auto& table = KernelObjectTable::instance();
  {
    std::lock_guard lock(table.mutex);
    const auto object = table.find(event);
    if (!object || object->kind != KernelObjectKind::event) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    object->signalled = signalled;
  }
  if (signalled) table.changed.notify_all();
  return TRUE;
}

}  // namespace

BOOL SetEvent(HANDLE event) { return setEventState(event, true); }

BOOL ResetEvent(HANDLE event) { return setEventState(event, false); }
