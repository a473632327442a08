#include "heating/design/model/CFHModel.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/settings/FloorStructureLayers.h"
#include "heating/design/model/HeatingCurveRegistration.h"

#include "heating/curves/CurveRegistryLock.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <shared_mutex>

namespace {

// Under curveRegistryLock(); set and cleared together with the installed
// heating-curve observer, which is the same model.
CFHModel* g_currentModel = nullptr;

}  // namespace

CFHModel::CFHModel()
    : descData_(std::make_unique<CFHDescData>()),
      pipeStyles_(std::make_unique<CFHPipeStyles>()),
      workerSync_(std::make_unique<CFHWorkerSync>()),
      pipeNetwork_(this),
      dataFiles_(CFHDataFiles::ofApplication()) {
  // Last, once everything the registry touches is built.
  std::lock_guard lock(curveRegistryLock());
  if (g_currentModel == nullptr && installHeatingCurveObserverLocked(*this)) {
    g_currentModel = this;
    isCurrent_ = true;
  }
}

CFHModel::~CFHModel() {
  // Nothing is posted once the model goes: the window is cleared and the
  // waiters cancelled before the jobs are stopped (which would let a waiter
  // see them all ended). No job may outlive the zones it designs, and no
  // waiter the block it reports to.
  workerSync_->setNotifyWnd(nullptr);
  workerSync_->cancel();
  stopDesignJobs();
  workerSync_->joinWaiters();
  {
    // Then no thread records into a model whose members are going.
    std::lock_guard lock(curveRegistryLock());
    if (g_currentModel == this) {
      g_currentModel = nullptr;
      removeHeatingCurveObserverLocked(*this);
    }
  }
  hatchPatterns.clear();
  workerSync_.reset();
  deleteZoneEntries();
  deleteCircuits();
  pipeStyles_.reset();
  selectionKeys.clear();
  floorCatalogue.clear();
  usedFloorStructures.clear();
  // The pipe network (and the curves it lists), the description settings and
  // the registry go with the members.
}

CFHModel* CFHModel::current() {
  std::shared_lock lock(curveRegistryLock());
  return g_currentModel;
}

// ---- Curve registry ------------------------------------------------------------------

void CFHModel::recordCurveConstruction(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept {
  record(CFHCurveEvent::constructed, curve, tag);
}

void CFHModel::recordCurveDestruction(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept {
  record(CFHCurveEvent::destroyed, curve, tag);
}

bool CFHModel::listsCurve(const CFloorHeatingCurve* curve) const noexcept {
  return pipeNetwork_.holdsPipeCurveLocked(curve);
}

void CFHModel::forgetDestroyedCurve(const CFloorHeatingCurve* curve) noexcept {
  // The network would otherwise delete the dead curve again when it goes.
  if (pipeNetwork_.forgetPipeCurveLocked(curve)) setStateBits(kModelStateListedCurveDestroyed);
}

void CFHModel::polylineOffsetFailed(const XtGeCompositeCurve2d& source, const XtGeCompositeCurve2d& copy,
                                    double distance, const XtGeTol& tolerance) {
  compositeCurveTrimmedOffset(this, source, copy, distance, tolerance);
  setStateBits(kModelStatePolylineOffsetFailed);
}

void CFHModel::record(CFHCurveEvent event, const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept {
  try {
    curveRegistry_.recordOnThisThread(event, curve, tag);
  } catch (const std::bad_alloc&) {
    // A record is bookkeeping only; losing it must not end the program from
    // inside a curve's destructor.
  }
}

void CFHModel::setCurrentStateBits(std::uint32_t bits) {
  std::shared_lock lock(curveRegistryLock());
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
  return curveRegistry_.records(threadId, tagKey, event);
}

std::size_t CFHModel::recordingThreadCount() const { return curveRegistry_.threadCount(); }

// ---- Zones and circuits ----------------------------------------------------------------

CFHZoneEntry* CFHModel::addZone(std::uint32_t number) {
  zones_.push_back(std::make_unique<CFHZoneEntry>(this, number));
  return zones_.back().get();
}

CFHZoneEntry* CFHModel::appendZone(std::unique_ptr<CFHZoneEntry> zone) {
  zones_.push_back(std::move(zone));
  return zones_.back().get();
}

CFHCircuit* CFHModel::addCircuit(std::uint32_t index) {
  circuits_.push_back(std::make_unique<CFHCircuit>(this, index));
  return circuits_.back().get();
}

void CFHModel::detachZone(const CFHZoneEntry* zone) {
  for (const auto& circuit : circuits_) {
    if (std::find(circuit->zones().begin(), circuit->zones().end(), zone) == circuit->zones().end()) continue;
    // Its job designs the zone: it ends before the zone goes.
    circuit->stopWorker();
    circuit->removeZone(zone);
  }
  std::erase(selectedZones, zone);
  for (CFHZoneEntry*& joined : joinPair) {
    if (joined == zone) joined = nullptr;
  }
  if (pendingHeatingBody == zone) pendingHeatingBody = nullptr;
}

void CFHModel::deleteZoneVector(std::vector<std::unique_ptr<CFHZoneEntry>>& zones) {
  for (const auto& zone : zones) {
    if (zone != nullptr) detachZone(zone.get());
  }
  zones.clear();
}

void CFHModel::deleteZoneEntries() { deleteZoneVector(zones_); }

void CFHModel::deleteCircuits() {
  // Every job ends before any circuit goes: a job reads only its own
  // circuit, but stopping them all first lets them end together.
  stopDesignJobs();
  for (const auto& zone : zones_) zone->circuit = nullptr;
  currentCircuit = nullptr;
  circuits_.clear();
}

void CFHModel::stopDesignJobs() {
  for (const auto& circuit : circuits_) circuit->requestStop();
  for (const auto& circuit : circuits_) circuit->stopWorker();
}

// ---- Floor structures -------------------------------------------------------------------

bool CFHModel::hasFloorStructure(const CString& mark, const CString& action) const {
  return containsPairInEither(floorCatalogue, usedFloorStructures, action, mark);
}

void CFHModel::reloadFloorCatalogue() { readFloorCatalogue(floorCatalogue); }
