// The design model of one run of a heating command. The command builds it on
// its own stack and destroys it before it returns; while it exists it is the
// process's current model, which every heating curve made or destroyed on any
// thread reports to (HeatingCurveRegistration.h).
//
// So far it holds the curve registry, the state word and the pipe network;
// the zones, circuits, defaults and settings of the design join it later.
//
// Threads and locks:
// - curveRegistryLock() guards the current-model pointer, the curve registry
//   and the pipe network's curve list together. The pointer is set at the end
//   of the constructor and cleared first thing in the destructor, both under
//   that lock, so a thread that registers a curve either finds the whole model
//   or none; a model on its way out never takes a record.
// - The state word has its own lock, taken inside the registry lock when a
//   destroyed curve raises a bit; never the other way round.
// - Design threads that use the model must be joined before it is destroyed.
#pragma once

#include "heating/design/CFHCurveRegistry.h"
#include "heating/design/CFHPipeNetwork.h"

#include "platform/win/WinTypes.h"

#include <cstdint>
#include <mutex>
#include <vector>

class CFloorHeatingCurve;

class CFHModel {
 public:
  // Becomes the current model unless another model is current already; that
  // one then stays current (there is only ever one) and this one records
  // nothing.
  CFHModel();
  ~CFHModel();
  CFHModel(const CFHModel&) = delete;
  CFHModel& operator=(const CFHModel&) = delete;

  // The current model, or null. Only a thread that the model outlives (the
  // command's thread, or a design thread joined before the model goes) may
  // use the answer.
  static CFHModel* current();
  bool isCurrent() const { return isCurrent_; }

  // The registry's entry points, behind copyCurvePiecesLocked and
  // copyCurvePiecesLockedFlag: record the curve under the calling thread's
  // identifier in the current model, if any. A destroyed curve that the pipe
  // network lists raises kModelStateListedCurveDestroyed. An allocation
  // failure drops the record, never the state bit.
  static void recordCurveConstruction(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept;
  static void recordCurveDestruction(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept;

  // ORs bits into the state word of the current model, if any.
  static void setCurrentStateBits(std::uint32_t bits);

  // The state word, under its own lock.
  void setStateBits(std::uint32_t bits);
  std::uint32_t stateBits() const;

  // A copy of the records of one thread, event and tag key (the low 8 bits of
  // the tag), in the order they came.
  std::vector<CFHCurveRecord> curveRecords(DWORD threadId, std::uint8_t tagKey, CFHCurveEvent event) const;
  // The number of threads that recorded a curve in this model.
  std::size_t recordingThreadCount() const;

  CFHPipeNetwork& pipeNetwork() { return pipeNetwork_; }
  const CFHPipeNetwork& pipeNetwork() const { return pipeNetwork_; }

 private:
  static void record(CFHCurveEvent event, const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept;

  bool isCurrent_ = false;
  CFHCurveRegistry curveRegistry_;  // under curveRegistryLock()
  mutable std::mutex stateLock_;
  std::uint32_t stateBits_ = 0;     // under stateLock_
  CFHPipeNetwork pipeNetwork_;
};
