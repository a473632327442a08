#include "heating/curves/HeatingCurveObserver.h"

#include "heating/curves/CurveRegistryLock.h"

#include <atomic>
#include <mutex>
#include <shared_mutex>

namespace {

// Under curveRegistryLock(). `g_installed` lets curves made outside a heating
// command skip the lock; whoever sees it set checks the pointer under the
// lock.
HeatingCurveObserver* g_observer = nullptr;
std::atomic<bool> g_installed{false};

}  // namespace

bool installHeatingCurveObserverLocked(HeatingCurveObserver& observer) {
  if (g_observer != nullptr) return false;
  g_observer = &observer;
  g_installed.store(true, std::memory_order_release);
  return true;
}

void removeHeatingCurveObserverLocked(const HeatingCurveObserver& observer) {
  if (g_observer != &observer) return;
  g_observer = nullptr;
  g_installed.store(false, std::memory_order_release);
}

void copyCurvePiecesLocked(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept {
  if (!g_installed.load(std::memory_order_acquire)) return;
  std::shared_lock lock(curveRegistryLock());
  if (g_observer != nullptr) g_observer->recordCurveConstruction(curve, tag);
}

void copyCurvePiecesLockedFlag(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept {
  if (!g_installed.load(std::memory_order_acquire)) return;
  std::shared_lock lock(curveRegistryLock());
  HeatingCurveObserver* observer = g_observer;
  if (observer == nullptr) return;
  if (observer->listsCurve(curve)) {
    // A listed curve destroyed by another owner leaves the list at once: the
    // observer would otherwise delete it again. Rare, so the exclusive lock
    // is taken only here.
    lock.unlock();
    {
      std::lock_guard exclusive(curveRegistryLock());
      if (g_observer != observer) return;
      observer->forgetDestroyedCurve(curve);
    }
    lock.lock();
    if (g_observer != observer) return;
  }
  observer->recordCurveDestruction(curve, tag);
}

void reportFailedPolylineOffset(const XtGeCompositeCurve2d& source, const XtGeCompositeCurve2d& copy,
                                double distance, const XtGeTol& tolerance) {
  if (!g_installed.load(std::memory_order_acquire)) return;
  std::shared_lock lock(curveRegistryLock());
  if (g_observer != nullptr) g_observer->polylineOffsetFailed(source, copy, distance, tolerance);
}
