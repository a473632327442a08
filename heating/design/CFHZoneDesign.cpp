#include "heating/design/CFHZoneDesign.h"

#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHModel.h"
#include "heating/design/CFHZoneEntry.h"

#include "heating/layout/CFHCircuitSegment.h"

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

CFHZoneDesign::~CFHZoneDesign() { deleteLayouts(); }

void CFHZoneDesign::deleteLayouts() {
  for (std::unique_ptr<CFHCircuitLayout>* layout : {&mainLayout_, &secondLayout_}) {
    if (*layout) (*layout)->clear();
    layout->reset();
  }
  for (std::unique_ptr<CFHPipeEnd>& copy : secondLayoutEnds_) copy.reset();
}

void CFHZoneDesign::stopCircuitJob() const {
  if (owner_ != nullptr && owner_->circuit != nullptr) owner_->circuit->stopWorker();
}

template <typename T>
bool CFHZoneDesign::changeInput(T& field, T value) {
  if (field == value) return false;
  stopCircuitJob();
  field = std::move(value);
  return true;
}

XtGePoint2d CFHZoneDesign::linkPoint() const {
  std::lock_guard lock(lock_);
  return linkPoint_;
}

bool CFHZoneDesign::setCircuitShape(std::uint32_t shape) { return changeInput(circuitShape_, shape); }
bool CFHZoneDesign::setDisplayType(std::uint32_t type) { return changeInput(displayType_, type); }
bool CFHZoneDesign::setLayoutValue(double value) { return changeInput(layoutValue_, value); }
bool CFHZoneDesign::setPerpendicularDistance(double distance) { return changeInput(perpendicularDistance_, distance); }
bool CFHZoneDesign::setDetailDistance(double distance) { return changeInput(detailDistance_, distance); }
bool CFHZoneDesign::setPerimeterDistance(double distance) { return changeInput(perimeterDistance_, distance); }
bool CFHZoneDesign::setSpacing(double spacing) { return changeInput(spacing_, spacing); }
bool CFHZoneDesign::setPipeDiameter(double diameter) { return changeInput(pipeDiameter_, diameter); }
bool CFHZoneDesign::setMeanderBaseId(std::uint32_t id) { return changeInput(meanderBaseId_, id); }
bool CFHZoneDesign::setBorderWidths(std::vector<double> widths) { return changeInput(borderWidths_, std::move(widths)); }
bool CFHZoneDesign::setSelectedEdgeIds(std::vector<std::uint32_t> ids) {
  if (ids == selectedEdgeIds_) return false;
  selectedEdgeIds_ = std::move(ids);
  return true;
}
bool CFHZoneDesign::setBoundary(std::unique_ptr<CFHZoneBoundary> boundary) {
  return changeInput(boundary_, std::move(boundary));
}

bool CFHZoneDesign::setLinkPoint(const XtGePoint2d& point) {
  std::lock_guard lock(lock_);
  if (busy_) return false;
  linkPoint_ = point;
  return true;
}

const CFHPipeEnd* CFHZoneDesign::pipeEnd(int index) const {
  return index == 0 || index == 1 ? pipeEnds_[index].get() : nullptr;
}

const CFHPipeEnd* CFHZoneDesign::exitEnd(int index) const {
  return index == 0 || index == 1 ? exitEnds_[index].get() : nullptr;
}

bool CFHZoneDesign::storeEnd(std::unique_ptr<CFHPipeEnd>* ends, int index, std::unique_ptr<CFHPipeEnd> end,
                             CFHPipeEnd* CFHCircuitLayout::*layoutField) {
  if (index != 0 && index != 1) return false;
  std::unique_ptr<CFHPipeEnd> old;
  {
    std::lock_guard lock(lock_);
    if (busy_) return false;
    old = std::exchange(ends[index], std::move(end));
    // A layout that points to the old record points to its successor: the
    // old one goes.
    for (CFHCircuitLayout* layout : {mainLayout_.get(), secondLayout_.get()}) {
      if (layout == nullptr) continue;
      if (layoutField != nullptr) layout->*layoutField = ends[index].get();
      for (CFHPipeEnd** field : {&layout->startEnd, &layout->endEnd, &layout->exitEnd1, &layout->exitEnd2}) {
        if (*field == old.get() && old != nullptr) *field = ends[index].get();
      }
    }
  }
  return true;
}

bool CFHZoneDesign::setPipeEnd(int index, std::unique_ptr<CFHPipeEnd> end) {
  return storeEnd(pipeEnds_, index, std::move(end));
}

bool CFHZoneDesign::setExitEnd(int index, std::unique_ptr<CFHPipeEnd> end) {
  return storeEnd(exitEnds_, index, std::move(end));
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

void CFHZoneDesign::BusyScope::replaceLayouts(std::unique_ptr<CFHCircuitLayout> main,
                                              std::unique_ptr<CFHCircuitLayout> second,
                                              std::unique_ptr<CFHPipeEnd> secondStart,
                                              std::unique_ptr<CFHPipeEnd> secondEnd) {
  design_.deleteLayouts();
  design_.mainLayout_ = std::move(main);
  design_.secondLayout_ = std::move(second);
  design_.secondLayoutEnds_[0] = std::move(secondStart);
  design_.secondLayoutEnds_[1] = std::move(secondEnd);
}

CFHZoneDesign::IdleAccess::IdleAccess(const CFHZoneDesign& design)
    : design_(design), lock_(design.lock_), idle_(!design.busy_) {}

const CFHCircuitLayout* CFHZoneDesign::IdleAccess::layoutIfIdle() const {
  if (!idle_ || design_.displayType_ > 1) return nullptr;
  return design_.mainLayout_.get();
}

const CFHCircuitLayout* CFHZoneDesign::IdleAccess::secondLayoutIfIdle() const {
  return idle_ ? design_.secondLayout_.get() : nullptr;
}

const CFHCircuitLayout* CFHZoneDesign::IdleAccess::fullLayoutIfIdle() const {
  if (!idle_) return nullptr;
  return design_.displayType_ == 0 ? design_.mainLayout_.get() : design_.secondLayout_.get();
}

bool CFHZoneDesign::IdleAccess::laidPipeLength(double& length) const {
  const CFHCircuitLayout* layout = fullLayoutIfIdle();
  if (layout == nullptr) return false;
  length = 0.0;
  for (const CFHCircuitSegment* segment : layout->segments)
    if (segment != nullptr && segment->curve != nullptr) length += segment->curve->length();
  return true;
}
