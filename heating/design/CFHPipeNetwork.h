// The manifold and the distribution pipes of a design model. So far it holds
// its owner and the list of distribution-pipe heating curves; the manifold
// record, the outline and the working geometry join it with the pipe routing.
//
// The list is the one the curve registry checks when a curve is destroyed, on
// any thread. It is therefore changed only under curveRegistryLock(), which
// the members below take, and only on the command's thread; that thread may
// also read it through pipeCurves() without the lock.
#pragma once

#include <vector>

class CFHModel;
class CFloorHeatingCurve;

class CFHPipeNetwork {
 public:
  explicit CFHPipeNetwork(CFHModel* owner = nullptr) : owner_(owner) {}
  CFHPipeNetwork(const CFHPipeNetwork&) = delete;
  CFHPipeNetwork& operator=(const CFHPipeNetwork&) = delete;

  // Deletes the curves still in the list, outside every lock of the model.
  ~CFHPipeNetwork();

  CFHModel* owner() const { return owner_; }

  // The network owns the curves of its list and deletes them when it goes.
  void appendPipeCurve(CFloorHeatingCurve* curve);
  // Takes the curve out of the list (the caller then owns it); false when the
  // list does not hold it.
  bool removePipeCurve(const CFloorHeatingCurve* curve);
  // Empties the list and hands its curves to the caller, in list order.
  std::vector<CFloorHeatingCurve*> takePipeCurves();
  // The list, for the command's thread only.
  const std::vector<CFloorHeatingCurve*>& pipeCurves() const { return pipeCurves_; }
  // True when the list holds the curve; takes the lock, so any thread may ask.
  bool holdsPipeCurve(const CFloorHeatingCurve* curve) const;

 private:
  friend class CFHModel;
  // The same with curveRegistryLock() already held.
  bool holdsPipeCurveLocked(const CFloorHeatingCurve* curve) const;
  // Takes a curve that is being destroyed out of the list, so the network
  // never deletes it a second time; true when the list held it. The caller
  // holds the registry lock.
  bool forgetPipeCurveLocked(const CFloorHeatingCurve* curve);

  CFHModel* owner_;
  std::vector<CFloorHeatingCurve*> pipeCurves_;
};
