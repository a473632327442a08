// The small operations of a zone design: the calculation's areas, the pipe
// ends and exit points, the meander base and the border widths of the sides,
// the pipe-length estimate and the rebuilding of the working loop around the
// distribution pipes.
#include "heating/design/zones/CFHZoneDesign.h"

#include "heating/design/model/CFHModel.h"
#include "heating/design/calculation/CFHZoneCalc.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/zones/ZoneBandLimits.h"

#include "heating/curves/AngleBetweenVectors.h"
#include "heating/curves/VariantValue.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>

namespace {

// The unit direction of the curve at a point of it: a line's direction, an
// arc's tangent there (its chord direction when that cannot be had).
XtGeVector2d directionAt(const CFloorHeatingCurve& curve, const XtGePoint2d& p) {
  if (curve.kind() != CFloorHeatingCurve::kArc) return curve.direction();
  const XtGeCurve2d& geometry = curve.geCurve();
  XtGePoint2d at;
  XtGeVector2d d1;
  XtGeVector2d d2;
  if (geometry.xtEvalDerivs(geometry.paramOf(p, workTol), at, d1, d2) && d1.length() > 0.0) return d1;
  return curve.direction();
}

// The angle from the working loop's direction where `at` projects onto it
// to the direction of the working item `id`; false when there is no such
// item or projection.
bool angleToSide(const CFHZoneBoundary& boundary, const XtGePoint2d& at, std::uint32_t id, double& angle) {
  const CFHBoundLoop& loop = boundary.workingLoop;
  const CFHBoundLoopItem* side = loop.itemById(static_cast<int>(id));
  CLoopPoint projection;
  if (side == nullptr || !side->hasCurve() || !loop.closestPoint(at, projection, workTol) ||
      projection.links().empty() || !projection.links().front()->hasCurve())
    return false;
  const XtGeVector2d here = directionAt(*projection.links().front()->curve, projection.point);
  angle = angleBetweenVectors(here, side->curve->direction(), true);
  return true;
}

bool isSelected(const std::vector<std::uint32_t>& ids, int id) {
  return id >= 0 && std::find(ids.begin(), ids.end(), static_cast<std::uint32_t>(id)) != ids.end();
}

}  // namespace

double CFHZoneDesign::unitFactor() const { return owner_->model()->unitFactor(); }

double CFHZoneDesign::borderOffset(double scale) const {
  const VARIANT& r = owner_->calc.borderR;
  if (!variantValueIsValid(r)) return 0.0;
  const double offset = r.dblVal * scale;
  return std::isfinite(offset) ? offset : 0.0;
}

double CFHZoneDesign::firstOffset() const { return borderOffset(unitFactor()); }

// ---- Areas ------------------------------------------------------------------------

void CFHZoneDesign::updateCalcAreas(CFHZoneCalc& calc, bool skipPerimeter) const {
  if (!boundary_) return;
  const double u = unitFactor();
  const double d = firstOffset();
  calc.setArea(boundary_->offsetArea(0.0) / (u * u));
  calc.setReducedArea(boundary_->offsetArea(d) / (u * u));
  if (!skipPerimeter) calc.setPerimeter(boundary_->offsetPerimeter(d) / u);
}

void CFHZoneDesign::updateGrossArea(CFHZoneCalc& calc) const {
  if (!boundary_) return;
  const double u = unitFactor();
  calc.setArea(boundary_->offsetArea(0.0) / (u * u));
}

double CFHZoneDesign::areaAtBorder(double k) const {
  if (!boundary_ || !(k > 0.0) || !std::isfinite(k)) return 0.0;
  return boundary_->offsetArea(borderOffset(k)) / (k * k);
}

double CFHZoneDesign::perimeterAtBorder(double k) const {
  if (!boundary_ || !(k > 0.0) || !std::isfinite(k)) return 0.0;
  return boundary_->offsetPerimeter(borderOffset(k)) / k;
}

// ---- Pipe ends and exit points ------------------------------------------------------

bool CFHZoneDesign::setPipeEnd1(const XtGePoint2d& point) {
  return storeEnd(pipeEnds_, 0, std::make_unique<CFHPipeEnd>(point, 1, 0), &CFHCircuitLayout::startEnd);
}
bool CFHZoneDesign::setPipeEnd2(const XtGePoint2d& point) {
  return storeEnd(pipeEnds_, 1, std::make_unique<CFHPipeEnd>(point, 1, 0), &CFHCircuitLayout::endEnd);
}
bool CFHZoneDesign::setExitEnd1(const XtGePoint2d& point) {
  return storeEnd(exitEnds_, 0, std::make_unique<CFHPipeEnd>(point, 1, 0), &CFHCircuitLayout::exitEnd1);
}
bool CFHZoneDesign::setExitEnd2(const XtGePoint2d& point) {
  return storeEnd(exitEnds_, 1, std::make_unique<CFHPipeEnd>(point, 1, 0), &CFHCircuitLayout::exitEnd2);
}

// ---- Meander base and border widths -------------------------------------------------

bool CFHZoneDesign::setMeanderBase(std::uint32_t id) {
  if (pipeEnds_[1] == nullptr) return true;
  double angle = 0.0;
  if (!boundary_ || !angleToSide(*boundary_, pipeEnds_[1]->point, id, angle) || !runsAlongBoundary(angle))
    return false;
  setCircuitShape(CFHCircuitLayout::kMeander);
  setMeanderBaseId(id);
  return true;
}

double CFHZoneDesign::connectionDistance() const {
  if (displayType_ == 0) return detailDistance_;
  if (displayType_ == 1) return perimeterDistance_;
  return 0.0;
}

void CFHZoneDesign::filterEdgesByAngle(const std::vector<std::uint32_t>& ids) {
  std::vector<std::uint32_t> kept;
  for (const std::uint32_t id : ids) {
    double angle = 0.0;
    const bool along = boundary_ && pipeEnds_[0] != nullptr && angleToSide(*boundary_, pipeEnds_[0]->point, id, angle) &&
                       runsAlongBoundary(angle);
    if (!along) kept.push_back(id);
  }
  setSelectedEdgeIds(std::move(kept));
}

void CFHZoneDesign::setBorderWidthOfSelectedEdges(double width) {
  if (!boundary_) return;
  stopCircuitJob();
  for (const CFHBoundLoop* loop : {&boundary_->asDrawnLoop, &boundary_->workingLoop}) {
    for (int i = 0; i < loop->itemCount(); ++i)
      if (isSelected(selectedEdgeIds_, loop->item(i)->id)) loop->item(i)->value = width;
  }
}

void CFHZoneDesign::applyBorderWidths() {
  if (!boundary_) return;
  stopCircuitJob();
  const int count = std::min(static_cast<int>(borderWidths_.size()), boundary_->asDrawnLoop.itemCount());
  for (int i = 0; i < count; ++i) boundary_->setItemValue(i, borderWidths_[static_cast<std::size_t>(i)]);
}

std::uint64_t CFHZoneDesign::edgeKey(std::uint32_t id) const {
  return static_cast<std::uint64_t>(owner_->number) * 1000000u + id;
}

void CFHZoneDesign::selectEdgesByKeys(const std::vector<std::uint64_t>& keys) {
  std::vector<std::uint32_t> ids;
  if (boundary_) {
    const CFHBoundLoop& sides = boundary_->asDrawnLoop;
    for (int i = 0; i < sides.itemCount(); ++i) {
      const int id = sides.item(i)->id;
      if (id < 0 || isSelected(ids, id)) continue;
      if (std::find(keys.begin(), keys.end(), edgeKey(static_cast<std::uint32_t>(id))) != keys.end())
        ids.push_back(static_cast<std::uint32_t>(id));
    }
  }
  selectedEdgeIds_ = std::move(ids);
}

void CFHZoneDesign::selectedEdgeKeys(std::vector<std::uint64_t>& keys) const {
  for (const std::uint32_t id : selectedEdgeIds_) keys.push_back(edgeKey(id));
}

int CFHZoneDesign::selectedBorderState(std::vector<double>& widths) const {
  widths.clear();
  int state = 2;
  if (!boundary_) return state;
  const CFHBoundLoop& sides = boundary_->asDrawnLoop;
  for (int i = 0; i < sides.itemCount(); ++i) {
    const CFHBoundLoopItem& side = *sides.item(i);
    if (!isSelected(selectedEdgeIds_, side.id)) continue;
    if (side.value > 0.0) {
      if (std::find(widths.begin(), widths.end(), side.value) == widths.end()) widths.push_back(side.value);
      state = widths.size() == 1 ? 0 : 1;
    } else {
      state = widths.empty() ? 3 : 1;
    }
  }
  return state;
}

// ---- Pipe length ---------------------------------------------------------------------

double CFHZoneDesign::pipeLengthEstimate() const {
  {
    const IdleAccess access(*this);
    double laid = 0.0;
    if (!access.idle() || !mainLayout_) return 0.0;
    if (access.laidPipeLength(laid)) return laid;
  }
  if (!boundary_) return 0.0;
  // Rings one band narrower each: p, p - 2ns, p - 4ns, ... down to 0.
  const double p = boundary_->offsetPerimeter(firstOffset());
  const double ns = boundary_->asDrawnLoop.itemCount() * spacing_;
  if (!std::isfinite(p) || !std::isfinite(ns)) return 0.0;
  if (ns <= 0.0) return p;
  const double step = 2.0 * ns;
  const double lastIndex = std::floor(p / step);  // terms 0 .. lastIndex are >= 0
  return (lastIndex + 1.0) * p - step * lastIndex * (lastIndex + 1.0) * 0.5 + ns;
}

// ---- Distribution pipes -----------------------------------------------------------------

bool CFHZoneDesign::applyPipes(std::vector<CFloorHeatingCurve::Ptr>& pipes) {
  if (!boundary_) return false;
  stopCircuitJob();
  {
    // The layouts point into the working loop that is about to be rebuilt.
    BusyScope busy(*this);
    busy.replaceLayouts(nullptr, nullptr);
  }
  const XtGePoint2d from = pipeEnds_[0] != nullptr ? pipeEnds_[0]->point : boundary_->cachedPoint(true);
  const bool built = boundary_->build(pipes, from, true);
  if (built)
    boundary_->prepareLoop(false);
  else
    boundary_->workingLoop.copyFrom(boundary_->asDrawnLoop);
  return built;
}
