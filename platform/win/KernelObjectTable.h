// Inside of the kernel-object stand-in, shared by the handle, thread and event
// sources; not for use outside platform/win.
#pragma once

#include "platform/win/WinTypes.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace hv::win {

enum class KernelObjectKind { thread, event };

// One kernel object. Every field but `kind` and `threadId` (fixed at creation)
// is guarded by the table's mutex.
struct KernelObjectState {
  explicit KernelObjectState(KernelObjectKind k) : kind(k) {}

  const KernelObjectKind kind;
  bool signalled = false;
  bool manualReset = true;
  int openHandles = 0;

  // Threads only.
  DWORD threadId = 0;
  DWORD exitCode = STILL_ACTIVE;
  DWORD suspendCount = 0;
  bool started = false;    // has passed the resume gate
  bool abandoned = false;  // never resumed and no handle left: it can never run
};

// The process-wide table of open handles. One mutex and one condition variable
// serve every wait: objects change state rarely, and a wait on several objects
// needs a single place to sleep. Handle values are never reused, so a closed
// handle is refused instead of being taken for a newer object.
class KernelObjectTable {
 public:
  static KernelObjectTable& instance();

  std::mutex mutex;
  std::condition_variable changed;

  // The following require `mutex` to be held by the caller.
  HANDLE open(std::shared_ptr<KernelObjectState> object);
  std::shared_ptr<KernelObjectState> find(HANDLE handle) const;
  std::shared_ptr<KernelObjectState> close(HANDLE handle);
  std::size_t openCount() const { return handles_.size(); }

 private:
  KernelObjectTable() = default;

  std::unordered_map<std::uintptr_t, std::shared_ptr<KernelObjectState>> handles_;
  std::uintptr_t nextValue_ = 0x1000;
};

}  // namespace hv::win
