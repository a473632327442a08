// Lookups and measures of a zone boundary loop.
#include "heating/curves/CFHBoundLoop.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGePoint2dArray.h"

#include <algorithm>
#include <memory>

namespace {

// The number of sample points nearestItemCurvePairs takes along an item.
constexpr int kItemSamples = 10;

bool sameEnds(const CFloorHeatingCurve& a, const CFloorHeatingCurve& b, const XtGeTol& tol) {
  const XtGePoint2d& a0 = a.startPoint();
  const XtGePoint2d& a1 = a.endPoint();
  const XtGePoint2d& b0 = b.startPoint();
  const XtGePoint2d& b1 = b.endPoint();
  return (a0.isEqualTo(b0, tol) && a1.isEqualTo(b1, tol)) || (a0.isEqualTo(b1, tol) && a1.isEqualTo(b0, tol));
}

}  // namespace

bool CFHBoundLoop::notifyItemsOn(const XtGePoint2d& point, CLoopPoint& loopPoint, const XtGeTol& tol) const {
  loopPoint.clearLinks();
  loopPoint.point = point;
  bool any = false;
  for (CLoopElement* element : elements) {
    if (element == nullptr || !element->hasCurve() || !element->curve->geCurve().isOn(point, tol)) continue;
    loopPoint.addLink(element);
    any = true;
  }
  return any;
}

CFHBoundLoopItem* CFHBoundLoop::itemById(int id) const {
  const int i = indexOfId(id);
  return i >= 0 ? item(i) : nullptr;
}

int CFHBoundLoop::indexOfId(int id) const {
  for (int i = 0; i < itemCount(); ++i)
    if (elements[i] != nullptr && item(i)->id == id) return i;
  return -1;
}

int CFHBoundLoop::itemIdAt(int i) const {
  if (i >= 0 && i < itemCount()) return elements[i] != nullptr ? item(i)->id : -1;
  for (int k = 0; k < itemCount(); ++k)
    if (elements[k] != nullptr && item(k)->serial == i) return item(k)->id;
  return -1;
}

bool CFHBoundLoop::toCompositeCurve(XtGeCompositeCurve2d& composite) const {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  pieces.reserve(elements.size());
  for (const CLoopElement* element : elements)
    if (element != nullptr && element->hasCurve()) pieces.emplace_back(element->curve->geCurve().copy());
  if (pieces.empty()) return false;
  composite.setCurveList(std::move(pieces));
  return true;
}

bool CFHBoundLoop::sharesEndPoint(const CFHBoundLoop& a, const CFHBoundLoop& b) {
  if (a.elements.empty() || b.elements.empty()) return false;
  int pairs = 0;
  for (const CLoopElement* ea : a.elements) {
    if (ea == nullptr || !ea->hasCurve()) continue;
    for (const CLoopElement* eb : b.elements)
      if (eb != nullptr && eb->hasCurve() && sameEnds(*ea->curve, *eb->curve, zoneBoundsTol)) ++pairs;
  }
  return pairs == a.itemCount() || pairs == b.itemCount();
}

bool CFHBoundLoop::nearestItemCurvePairs(const std::vector<const CFloorHeatingCurve*>& curves,
                                         std::vector<CFHBoundLoopItem*>& items,
                                         std::vector<const CFloorHeatingCurve*>& nearestCurves,
                                         const XtGeTol& tol) const {
  items.clear();
  nearestCurves.clear();
  double best = 0.0;
  XtGePoint2dArray samples;
  for (int i = 0; i < itemCount(); ++i) {
    if (elements[i] == nullptr || !elements[i]->hasCurve()) continue;
    elements[i]->curve->geCurve().getSamplePoints(kItemSamples, samples);
    if (samples.isEmpty()) continue;
    for (const CFloorHeatingCurve* curve : curves) {
      if (curve == nullptr) continue;
      double sum = 0.0;
      for (int k = 0; k < samples.length(); ++k) sum += curve->geCurve().distanceTo(samples[k], workTolFine);
      const double mean = sum / samples.length();
      if (items.empty() || mean <= best - tol.equalPoint()) {
        items.assign(1, item(i));
        nearestCurves.assign(1, curve);
        best = mean;
      } else if (mean < best + tol.equalPoint() && std::find(items.begin(), items.end(), item(i)) == items.end()) {
        items.push_back(item(i));
        nearestCurves.push_back(curve);
      }
    }
  }
  return !items.empty();
}

void appendItemValues(const CFHBoundLoop& loop, std::vector<double>& values) {
  values.reserve(values.size() + loop.elements.size());
  for (int i = 0; i < loop.itemCount(); ++i)
    if (loop.elements[i] != nullptr) values.push_back(loop.item(i)->value);
}
