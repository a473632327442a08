#include "heating/design/zones/CFHZoneChaining.h"

#include "resources/ModuleStrings.h"

CFHZoneChaining::CFHZoneChaining() : current_(std::make_unique<CFHBoundaryChain>(&finished_)) {}

// The current path first: its curves never reach the finished list.
CFHZoneChaining::~CFHZoneChaining() { current_.reset(); }

UINT CFHZoneChaining::offer(CFloorHeatingCurve::Ptr curve) {
  if (curve == nullptr) return 0;
  if (CFHBoundaryChain::isWithinTolerance(*curve)) {
    shortCurves_.push_back(std::move(curve));
    return 0;
  }
  if (current_ == nullptr) current_ = std::make_unique<CFHBoundaryChain>(&finished_);
  // A closed curve taken by a finished path appends a path to the list: the
  // paths offered are those there before.
  const std::size_t finishedCount = finished_.size();
  for (std::size_t i = 0; i < finishedCount && curve != nullptr; ++i) {
    const int answer = finished_[i]->offerToFinished(curve);
    if (answer == CFHBoundaryChain::kRefused) return IDS_ERR_ZONES_TOUCH;
    if (answer == CFHBoundaryChain::kJoined) break;
  }
  if (curve != nullptr && current_->addCurve(curve) == CFHBoundaryChain::kRefused) return IDS_ERR_ZONES_TOUCH;
  if (current_->isClosed() && CFHBoundaryChain::collectClosedPaths(current_) == CFHBoundaryChain::kRefused)
    return IDS_ERR_ZONES_TOUCH;
  return 0;
}

UINT CFHZoneChaining::finish() {
  if (current_ != nullptr) {
    if (current_->hasRest() || (!current_->empty() && !current_->isClosed())) return IDS_ERR_ZONE_NOT_CLOSED;
    if (current_->empty()) current_.reset();
    else finished_.push_back(std::move(current_));
  }
  for (CFloorHeatingCurve::Ptr& curve : shortCurves_) {
    for (std::size_t i = 0; i < finished_.size() && curve != nullptr; ++i) finished_[i]->takeIntoCorner(curve);
    if (curve != nullptr) return IDS_ERR_ZONE_NOT_CLOSED;
  }
  shortCurves_.clear();
  return 0;
}

CFHBoundaryChain::Results CFHZoneChaining::takePaths() {
  CFHBoundaryChain::Results out;
  out.swap(finished_);
  return out;
}
