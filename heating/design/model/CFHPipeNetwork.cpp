#include "heating/design/model/CFHPipeNetwork.h"

#include "heating/design/zones/ZoneBoundarySegmentPoints.h"

#include "heating/curves/CurveRegistryLock.h"

#include "heating/curves/DrawingUnitFactor.h"

#include <algorithm>
#include <mutex>
#include <shared_mutex>
#include <utility>

CFHPipeNetwork::CFHPipeNetwork(CFHModel* owner) : pipePitch(0.2 * usableDrawingUnitFactor()), owner_(owner) {}

CFHPipeNetwork::~CFHPipeNetwork() {
  // The list is taken under the registry lock; the curves are destroyed after
  // it is released, since each destruction takes that lock itself.
  for (CFloorHeatingCurve* curve : takePipeCurves()) delete curve;
}

void CFHPipeNetwork::appendPipeCurve(CFloorHeatingCurve* curve) {
  std::lock_guard lock(curveRegistryLock());
  // The network owns what it lists: a curve listed twice would be deleted twice.
  if (curve == nullptr || holdsPipeCurveLocked(curve)) return;
  pipeCurves_.push_back(curve);
}

void CFHPipeNetwork::addPipe(CFloorHeatingCurve::Ptr curve) { appendPipeCurve(curve.release()); }

bool CFHPipeNetwork::removePipeCurve(const CFloorHeatingCurve* curve) {
  std::lock_guard lock(curveRegistryLock());
  return forgetPipeCurveLocked(curve);
}

bool CFHPipeNetwork::forgetPipeCurveLocked(const CFloorHeatingCurve* curve) {
  const auto found = std::find(pipeCurves_.begin(), pipeCurves_.end(), curve);
  if (found == pipeCurves_.end()) return false;
  pipeCurves_.erase(found);
  return true;
}

std::vector<CFloorHeatingCurve*> CFHPipeNetwork::takePipeCurves() {
  std::lock_guard lock(curveRegistryLock());
  return std::exchange(pipeCurves_, {});
}

void CFHPipeNetwork::setPipeCurves(std::vector<CFloorHeatingCurve*> curves) {
  std::lock_guard lock(curveRegistryLock());
  pipeCurves_ = std::move(curves);
}

bool CFHPipeNetwork::holdsPipeCurve(const CFloorHeatingCurve* curve) const {
  std::shared_lock lock(curveRegistryLock());
  return holdsPipeCurveLocked(curve);
}

XtGePoint2dArray& CFHPipeNetwork::segmentEndPoints(XtGePoint2dArray& points) const {
  return zoneBoundarySegmentPoints(*this, points);
}

bool CFHPipeNetwork::holdsPipeCurveLocked(const CFloorHeatingCurve* curve) const {
  return curve != nullptr && std::find(pipeCurves_.begin(), pipeCurves_.end(), curve) != pipeCurves_.end();
}
