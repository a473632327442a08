#include "heating/design/CFHZoneDesign.h"

#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHModel.h"
#include "heating/design/CFHZoneEntry.h"

#include <utility>

CFHZoneDesign::CFHZoneDesign(CFHZoneEntry* owner) : owner_(owner) {
  const CFHModel& model = *owner->model();
  const CFHDesignDefaults& defaults = model.defaults();
  const double u = model.unitFactor();
  circuitShape_ = defaults.circuitShape;
  displayType_ = defaults.displayType;
  perpendicularDistance_ = defaults.perimeterPitch * 0.001 * u;
  detailDistance_ = defaults.detailRadius * 0.001 * u;
  perimeterDistance_ = defaults.perimeterRadius * 0.001 * u;
  spacing_ = 0.2 * u;
}

CFHZoneDesign::~CFHZoneDesign() = default;

void CFHZoneDesign::stopCircuitJob() const {
  if (owner_ != nullptr && owner_->circuit != nullptr) owner_->circuit->stopWorker();
}

template <typename T>
void CFHZoneDesign::changeInput(T& field, T value) {
  stopCircuitJob();
  field = std::move(value);
}

XtGePoint2d CFHZoneDesign::linkPoint() const {
  std::lock_guard lock(lock_);
  return linkPoint_;
}

void CFHZoneDesign::setCircuitShape(std::uint32_t shape) { changeInput(circuitShape_, shape); }
void CFHZoneDesign::setDisplayType(std::uint32_t type) { changeInput(displayType_, type); }
void CFHZoneDesign::setLayoutValue(double value) { changeInput(layoutValue_, value); }
void CFHZoneDesign::setPerpendicularDistance(double distance) { changeInput(perpendicularDistance_, distance); }
void CFHZoneDesign::setDetailDistance(double distance) { changeInput(detailDistance_, distance); }
void CFHZoneDesign::setPerimeterDistance(double distance) { changeInput(perimeterDistance_, distance); }
void CFHZoneDesign::setSpacing(double spacing) { changeInput(spacing_, spacing); }
void CFHZoneDesign::setMeanderBaseId(std::uint32_t id) { changeInput(meanderBaseId_, id); }
void CFHZoneDesign::setBorderWidths(std::vector<double> widths) { changeInput(borderWidths_, std::move(widths)); }
void CFHZoneDesign::setSelectedEdgeIds(std::vector<std::uint32_t> ids) {
  changeInput(selectedEdgeIds_, std::move(ids));
}
void CFHZoneDesign::setBoundary(std::unique_ptr<CFHZoneBoundary> boundary) {
  changeInput(boundary_, std::move(boundary));
}

bool CFHZoneDesign::setLinkPoint(const XtGePoint2d& point) {
  std::lock_guard lock(lock_);
  if (busy_) return false;
  linkPoint_ = point;
  return true;
}

bool CFHZoneDesign::isBusy() const {
  std::lock_guard lock(lock_);
  return busy_;
}

CFHZoneDesign::BusyScope::BusyScope(CFHZoneDesign& design) : design_(design) {
  std::lock_guard lock(design_.lock_);
  design_.busy_ = true;
}

CFHZoneDesign::BusyScope::~BusyScope() {
  std::lock_guard lock(design_.lock_);
  design_.busy_ = false;
}

CFHZoneDesign::IdleAccess::IdleAccess(const CFHZoneDesign& design) : lock_(design.lock_), idle_(!design.busy_) {}
