#include "heating/design/CFHModel.h"

#include "heating/design/CurveRegistryLock.h"
#include "heating/design/HeatingCurveRegistration.h"

#include "platform/win/ThreadId.h"

#include <atomic>
#include <new>

namespace {

// Both under curveRegistryLock(). `g_modelExists` lets curves made outside a
// heating command skip the lock; whoever sees it set checks the pointer under
// the lock.
CFHModel* g_currentModel = nullptr;
std::atomic<bool> g_modelExists{false};

}  // namespace

CFHModel::CFHModel() : pipeNetwork_(this) {
  // Last, once everything the registry touches is built.
  std::lock_guard lock(curveRegistryLock());
  if (g_currentModel == nullptr) {
    g_currentModel = this;
    isCurrent_ = true;
    g_modelExists.store(true, std::memory_order_release);
  }
}

CFHModel::~CFHModel() {
  // First, so that no thread records into a model whose members are going.
  std::lock_guard lock(curveRegistryLock());
  if (g_currentModel == this) {
    g_currentModel = nullptr;
    g_modelExists.store(false, std::memory_order_release);
  }
}

CFHModel* CFHModel::current() {
  std::lock_guard lock(curveRegistryLock());
  return g_currentModel;
}

void CFHModel::recordCurveConstruction(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept {
  record(CFHCurveEvent::constructed, curve, tag);
}

void CFHModel::recordCurveDestruction(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept {
  record(CFHCurveEvent::destroyed, curve, tag);
}

void CFHModel::record(CFHCurveEvent event, const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept {
  if (!g_modelExists.load(std::memory_order_acquire)) return;
  const DWORD thread = GetCurrentThreadId();
  std::lock_guard lock(curveRegistryLock());
  CFHModel* model = g_currentModel;
  if (model == nullptr) return;
  // A listed curve destroyed by another owner leaves the list at once: the
  // network would otherwise delete it again when it goes.
  if (event == CFHCurveEvent::destroyed && model->pipeNetwork_.forgetPipeCurveLocked(curve))
    model->setStateBits(kModelStateListedCurveDestroyed);
  try {
    model->curveRegistry_.record(thread, event, curve, tag);
  } catch (const std::bad_alloc&) {
    // A record is bookkeeping only; losing it must not end the program from
    // inside a curve's destructor.
  }
}

void CFHModel::setCurrentStateBits(std::uint32_t bits) {
  std::lock_guard lock(curveRegistryLock());
  if (g_currentModel != nullptr) g_currentModel->setStateBits(bits);
}

void CFHModel::setStateBits(std::uint32_t bits) {
  std::lock_guard lock(stateLock_);
  stateBits_ |= bits;
}

std::uint32_t CFHModel::stateBits() const {
  std::lock_guard lock(stateLock_);
  return stateBits_;
}

std::vector<CFHCurveRecord> CFHModel::curveRecords(DWORD threadId, std::uint8_t tagKey, CFHCurveEvent event) const {
  std::lock_guard lock(curveRegistryLock());
  return curveRegistry_.records(threadId, tagKey, event);
}

std::size_t CFHModel::recordingThreadCount() const {
  std::lock_guard lock(curveRegistryLock());
  return curveRegistry_.threadCount();
}
