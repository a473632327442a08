#include "heating/curves/CFHBoundLoop.h"

#include "heating/curves/HeatingCurveExplode.h"

#include <memory>

namespace {

// Appends the item with the next id and serial.
void appendNumbered(CFHBoundLoop& loop, std::unique_ptr<CFHBoundLoopItem> item) {
  item->assignId();
  item->assignSerial();
  loop.elements.push_back(item.get());
  item.release();
}

// One item per piece of the polyline, each owning its piece.
int appendPieces(CFHBoundLoop& loop, const CFloorHeatingCurve& polyline) {
  CFloorHeatingCurve::PtrVector pieces = explodeCurve(polyline);
  loop.elements.reserve(loop.elements.size() + pieces.size());
  int added = 0;
  for (CFloorHeatingCurve::Ptr& piece : pieces) {
    if (!piece) continue;
    if (piece->source() == &polyline) piece->setSource(nullptr);
    appendNumbered(loop, std::make_unique<CFHBoundLoopItem>(std::move(piece)));
    ++added;
  }
  return added;
}

// Destroys the loop's items and takes the new ones (made beforehand, so that
// a failing allocation leaves the loop as it was).
void replaceItems(CFHBoundLoop& loop, std::vector<std::unique_ptr<CFHBoundLoopItem>>& items) {
  loop.clear();
  loop.elements.reserve(items.size());
  for (std::unique_ptr<CFHBoundLoopItem>& item : items) loop.elements.push_back(item.release());
}

}  // namespace

CFHBoundLoop::~CFHBoundLoop() { clear(); }

int CFHBoundLoop::append(CFloorHeatingCurve::Ptr curve) {
  if (!curve) return 0;
  if (curve->kind() == CFloorHeatingCurve::kPolyline) return appendPieces(*this, *curve);
  appendNumbered(*this, std::make_unique<CFHBoundLoopItem>(std::move(curve)));
  return 1;
}

int CFHBoundLoop::append(const CFloorHeatingCurve& curve) {
  if (curve.kind() == CFloorHeatingCurve::kPolyline) return appendPieces(*this, curve);
  appendNumbered(*this, std::make_unique<CFHBoundLoopItem>(curve));
  return 1;
}

void CFHBoundLoop::clear() {
  for (CLoopElement* element : elements) delete element;
  elements.clear();
}

void CFHBoundLoop::copyFrom(const CFHBoundLoop& other) {
  if (&other == this) return;
  std::vector<std::unique_ptr<CFHBoundLoopItem>> copies;
  copies.reserve(other.elements.size());
  for (int i = 0; i < other.itemCount(); ++i)
    if (other.elements[i] != nullptr) copies.push_back(std::make_unique<CFHBoundLoopItem>(*other.item(i)));
  replaceItems(*this, copies);
}

void CFHBoundLoop::setFromCurves(const std::vector<CFloorHeatingCurve*>& curves) {
  std::vector<std::unique_ptr<CFHBoundLoopItem>> items;
  items.reserve(curves.size());
  for (const CFloorHeatingCurve* curve : curves)
    if (curve != nullptr) items.push_back(std::make_unique<CFHBoundLoopItem>(*curve));
  replaceItems(*this, items);
}
