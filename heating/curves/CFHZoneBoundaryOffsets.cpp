// The zone boundary's inward offsets: the cache of offset loops by distance,
// the offset perimeter and area, and the inner reference points.
#include "heating/curves/CFHZoneBoundary.h"

#include "heating/curves/DrawingUnitFactor.h"

#include "geometry/Tolerances.h"
#include "geometry/curveArea.h"
#include "geometry/curveCopying.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// The curves of a loop's elements, in order.
std::vector<CFloorHeatingCurve*> elementCurves(const CLoop& loop) {
  std::vector<CFloorHeatingCurve*> curves;
  curves.reserve(loop.elements.size());
  for (const CLoopElement* element : loop.elements)
    if (element != nullptr && element->hasCurve()) curves.push_back(element->curve);
  return curves;
}

// The projection of the point onto the loops nearest to it, or `none` when
// no loop has a curve. Projections as near as the nearest within workTol
// (the point on the middle line of a thin loop: the centre of every zone
// symmetric about it, whose innermost level is a strip) are told apart by
// place, the lowest x and then the lowest y, not by the order of the loops
// and their elements: that order follows noise in the outline, and the
// point, where the zone's label is drawn, would move from one edit of an
// unchanged design to the next.
XtGePoint2d nearestProjection(const CFHOffsetLevelSource::Level& loops, const XtGePoint2d& point,
                              const XtGePoint2d& none) {
  std::vector<XtGePoint2d> projections;
  double nearest = std::numeric_limits<double>::infinity();
  for (const std::unique_ptr<CLoop>& loop : loops)
    for (int i = 0; i < loop->elementCount(); ++i) {
      const CLoopElement* element = loop->elementWithCurve(i);
      if (element == nullptr) continue;
      projections.push_back(element->curve->geCurve().closestPointTo(point, workTolFine));
      nearest = std::min(nearest, projections.back().distanceTo(point));
    }
  const double tie = workTol.equalPoint();
  const auto before = [tie](const XtGePoint2d& a, const XtGePoint2d& b) {
    return a.x < b.x - tie || (a.x <= b.x + tie && a.y < b.y - tie);
  };
  const XtGePoint2d* chosen = nullptr;
  for (const XtGePoint2d& projection : projections)
    if (projection.distanceTo(point) <= nearest + tie && (chosen == nullptr || before(projection, *chosen)))
      chosen = &projection;
  return chosen != nullptr ? *chosen : none;
}

// The area of a closed curve, or -1 when it has none.
double areaOrNone(const XtGeCurve2d& curve) {
  double area = 0.0;
  return getCurveArea(curve, area) ? area : -1.0;
}

}  // namespace

bool CFHZoneBoundary::offsetLoops(double distance, std::vector<CFHBoundLoop*>& out) const {
  out.clear();
  if (!std::isfinite(distance)) return false;
  const auto answer = [&out](const std::vector<std::unique_ptr<CFHBoundLoop>>& loops) {
    out.reserve(loops.size());
    for (const auto& loop : loops) out.push_back(loop.get());
  };
  {
    const std::lock_guard<std::mutex> lock(cacheLock_);
    const auto found = offsetCache_.find(distance);
    if (found != offsetCache_.end()) {
      answer(found->second);
      return true;
    }
  }
  if (levelSource_ == nullptr) return false;

  // Offset without the lock: other zones' threads and other distances go on.
  std::vector<CFHOffsetLevelSource::Level> levels;
  levelSource_->buildLevels(elementCurves(asDrawnLoop), distance, 0.0, levels);
  if (levels.size() != 1) return false;
  std::vector<std::unique_ptr<CFHBoundLoop>> loops;
  loops.reserve(levels.front().size());
  for (const std::unique_ptr<CLoop>& loop : levels.front()) {
    auto bound = std::make_unique<CFHBoundLoop>();
    bound->setFromCurves(elementCurves(*loop));
    loops.push_back(std::move(bound));
  }
  {
    const std::lock_guard<std::mutex> lock(cacheLock_);
    // A thread that stored this distance meanwhile wins; our loops are freed
    // below, outside the lock.
    const auto entry = offsetCache_.try_emplace(distance, std::move(loops)).first;
    answer(entry->second);
  }
  return true;
}

bool CFHZoneBoundary::trimmedOffset(double distance, std::unique_ptr<XtGeCompositeCurve2d>& curve,
                                    XtGePoint2d& endPoint, bool& hasEndPoint, bool working) const {
  curve.reset();
  hasEndPoint = false;
  if (!std::isfinite(distance)) return false;
  if (distance > 0.0) {
    std::vector<CFHBoundLoop*> loops;
    if (!offsetLoops(distance, loops)) return false;
    double bestArea = -1.0;
    for (const CFHBoundLoop* loop : loops) {
      auto composite = std::make_unique<XtGeCompositeCurve2d>();
      if (!loop->toCompositeCurve(*composite)) continue;
      const double area = areaOrNone(*composite);
      if (area > bestArea) {
        bestArea = area;
        curve = std::move(composite);
      }
    }
  } else {
    XtGeCompositeCurve2d outline;
    if (!loop(!working).toCompositeCurve(outline)) return false;
    XtGeCurve2dPtrArray pieces;
    outline.getTrimmedOffset(distance, pieces, XtGe::kExtend, workTol);
    std::vector<std::unique_ptr<XtGeCurve2d>> owned;
    for (XtGeCurve2d* piece : pieces) owned.emplace_back(piece);
    std::unique_ptr<XtGeCurve2d>* chosen = nullptr;
    double bestArea = -1.0;
    for (std::unique_ptr<XtGeCurve2d>& piece : owned) {
      if (piece == nullptr) continue;
      if (chosen == nullptr) chosen = &piece;  // the first piece, unless one has an area
      const double area = areaOrNone(*piece);
      if (area > bestArea) {
        bestArea = area;
        chosen = &piece;
      }
    }
    if (chosen == nullptr) return false;
    curve = asComposite(std::move(*chosen));
  }
  if (curve == nullptr) return false;
  hasEndPoint = curve->hasEndPoint(endPoint);
  return true;
}

double CFHZoneBoundary::offsetPerimeter(double distance) const {
  std::unique_ptr<XtGeCompositeCurve2d> offset;
  XtGePoint2d end;
  bool hasEnd = false;
  double perimeter = 0.0;
  if (trimmedOffset(distance, offset, end, hasEnd, true)) {
    for (int i = 0; i < offset->numCurves(); ++i) {
      const double length = offset->curveAt(i)->length();
      if (std::isfinite(length)) perimeter += length;
    }
  } else {
    for (const CLoopElement* element : workingLoop.elements) {
      if (element == nullptr || !element->hasCurve()) continue;
      const double rest = element->curve->length() - 2.0 * distance;
      if (rest > 0.0) perimeter += rest;
    }
  }
  return perimeter > 0.0 ? perimeter : 0.0;
}

double CFHZoneBoundary::offsetArea(double distance) const {
  std::unique_ptr<XtGeCompositeCurve2d> offset;
  XtGePoint2d end;
  bool hasEnd = false;
  if (!trimmedOffset(distance, offset, end, hasEnd, false)) {
    offset = std::make_unique<XtGeCompositeCurve2d>();
    if (!asDrawnLoop.toCompositeCurve(*offset)) return 0.0;
  }
  double area = 0.0;
  return getCurveArea(*offset, area) && area > 0.0 ? area : 0.0;
}

void CFHZoneBoundary::computeCachedPoint(bool asDrawn) const {
  {
    const std::lock_guard<std::mutex> lock(cacheLock_);
    (asDrawn ? asDrawnPointValid_ : workingPointValid_) = false;
  }
  const CFHBoundLoop& chosen = loop(asDrawn);
  if (chosen.itemCount() == 0) return;
  const XtGePoint2d centre = chosen.lengthWeightedCentre();
  XtGePoint2d point = centre;
  if (levelSource_ != nullptr) {
    const double step = 0.1 * usableDrawingUnitFactor();
    std::vector<CFHOffsetLevelSource::Level> levels;
    levelSource_->buildLevels(elementCurves(chosen), step, step, levels);
    if (!levels.empty()) point = nearestProjection(levels.back(), centre, point);
  }
  const std::lock_guard<std::mutex> lock(cacheLock_);
  (asDrawn ? asDrawnPoint_ : workingPoint_) = point;
  (asDrawn ? asDrawnPointValid_ : workingPointValid_) = true;
}

XtGePoint2d CFHZoneBoundary::cachedPoint(bool asDrawn) const {
  if (!cachedPointValid(asDrawn)) computeCachedPoint(asDrawn);
  const std::lock_guard<std::mutex> lock(cacheLock_);
  return asDrawn ? asDrawnPoint_ : workingPoint_;
}

bool CFHZoneBoundary::cachedPointValid(bool asDrawn) const {
  const std::lock_guard<std::mutex> lock(cacheLock_);
  return asDrawn ? asDrawnPointValid_ : workingPointValid_;
}

void CFHZoneBoundary::invalidateCachedPoint(bool asDrawn) {
  const std::lock_guard<std::mutex> lock(cacheLock_);
  (asDrawn ? asDrawnPointValid_ : workingPointValid_) = false;
}

std::size_t CFHZoneBoundary::offsetCacheSize() const {
  const std::lock_guard<std::mutex> lock(cacheLock_);
  return offsetCache_.size();
}
