#include "heating/design/CFHCircuit.h"

#include "heating/design/CFHModel.h"
#include "heating/design/CFHZoneDesign.h"
#include "heating/design/CFHZoneEntry.h"

#include "geometry/reportAssertion.h"

#include "platform/win/KernelObject.h"
#include "platform/win/ThreadId.h"
#include "platform/win/Threads.h"

#include <algorithm>

CFHCircuit::CFHCircuit(CFHModel* model, std::uint32_t index)
    : calc(this, model->defaults(), model->dataFiles().heating),
      number(index),
      colourIndex(index + 1),
      model_(model) {}

CFHCircuit::~CFHCircuit() {
  stopWorker();
  std::lock_guard lock(lock_);
  if (worker_ != nullptr) CloseHandle(worker_);
  worker_ = nullptr;
}

void CFHCircuit::addZone(CFHZoneEntry* zone) {
  if (zone == nullptr) return;
  if (std::find(zones_.begin(), zones_.end(), zone) == zones_.end()) zones_.push_back(zone);
  zone->circuit = this;
}

bool CFHCircuit::removeZone(const CFHZoneEntry* zone) {
  const auto found = std::find(zones_.begin(), zones_.end(), zone);
  if (found == zones_.end()) return false;
  zones_.erase(found);
  return true;
}

void CFHCircuit::popLastZone() {
  if (zones_.empty()) return;
  stopWorker();
  CFHZoneEntry* last = zones_.back();
  zones_.pop_back();
  last->circuit = nullptr;
}

void CFHCircuit::prepareDesignSpacing() {
  for (CFHZoneEntry* zone : zones_) {
    if (zone->design() == nullptr) continue;
    zone->design()->setSpacing(zone->calc.pipePitch * model_->unitFactor());
    zone->design()->setPipeDiameter(zone->calc.pipeDiameter * model_->unitFactor());
  }
}

void CFHCircuit::setPipes(CFloorHeatingCurve::Ptr supply, CFloorHeatingCurve::Ptr returnPipe) {
  supplyPipe_ = std::move(supply);
  returnPipe_ = std::move(returnPipe);
}

void CFHCircuit::clearPipes() {
  supplyPipe_.reset();
  returnPipe_.reset();
}

void CFHCircuit::setWorker(HANDLE thread) {
  HANDLE previous = nullptr;
  {
    std::lock_guard lock(lock_);
    previous = worker_;
    worker_ = thread;
    stopRequested_.store(false, std::memory_order_release);
  }
  // The new job reads the inputs as they are now.
  layoutsOutdated_ = false;
  if (previous != nullptr && previous != thread) CloseHandle(previous);
}

void CFHCircuit::designInputChanged() {
  stopWorker();
  layoutsOutdated_ = true;
}

bool CFHCircuit::isWorkerRunning() const {
  std::lock_guard lock(lock_);
  return worker_ != nullptr && WaitForSingleObject(worker_, 0) != WAIT_OBJECT_0;
}

HANDLE CFHCircuit::duplicateWorkerHandle() const {
  std::lock_guard lock(lock_);
  if (worker_ == nullptr || WaitForSingleObject(worker_, 0) == WAIT_OBJECT_0) return nullptr;
  HANDLE copy = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), worker_, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
    return nullptr;
  return copy;
}

void CFHCircuit::stopWorker() {
  requestStop();
  waitForWorker();
}

void CFHCircuit::waitForWorker() {
  HANDLE own = nullptr;
  bool onWorker = false;
  {
    std::lock_guard lock(lock_);
    if (worker_ == nullptr) return;
    onWorker = GetThreadId(worker_) == GetCurrentThreadId();
    if (!onWorker &&
        !DuplicateHandle(GetCurrentProcess(), worker_, GetCurrentProcess(), &own, 0, FALSE, DUPLICATE_SAME_ACCESS))
      own = nullptr;
  }
  if (onWorker) {
    // A job that waits for itself would never end.
    HV_REPORT_ASSERTION(u"CFHCircuit.cpp", __LINE__, u"CFHCircuit::waitForWorker");
    return;
  }
  if (own == nullptr) return;
  WaitForSingleObject(own, INFINITE);
  CloseHandle(own);
}
