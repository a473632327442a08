// Overlap tests of heating curves built on collinearOverlaps and selfOverlaps.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

#include <memory>
#include <ranges>

// Whether collinearOverlaps of `curve` finds any stretch on `other` (tol);
// the stretches are released.
bool overlapsCollinear(const CFloorHeatingCurve& curve, const CFloorHeatingCurve& other, const XtGeTol& tol);

// Whether the curve overlaps the curve of any item (overlapsCollinear, tol).
// curveOf(item) gives the item's curve (a pointer; null items are passed over).
template <std::ranges::input_range Items, typename CurveOf>
bool overlapsAnyCurveCollinear(const CFloorHeatingCurve& curve, const Items& items, CurveOf&& curveOf,
                               const XtGeTol& tol) {
  for (const auto& item : items) {
    const CFloorHeatingCurve* other = curveOf(item);
    if (other != nullptr && overlapsCollinear(curve, *other, tol)) return true;
  }
  return false;
}

// The same over a range of curve pointers (raw or smart).
template <std::ranges::input_range Curves>
bool overlapsAnyCurveCollinear(const CFloorHeatingCurve& curve, const Curves& curves, const XtGeTol& tol) {
  return overlapsAnyCurveCollinear(
      curve, curves,
      [](const auto& other) -> const CFloorHeatingCurve* { return other ? std::to_address(other) : nullptr; }, tol);
}

// Whether the chain of geometry curves, joined into one polyline, overlaps
// itself (selfOverlaps with workTol for both tolerances). The curves stay the
// caller's.
bool curveChainSelfOverlaps(const XtGeCurve2dPtrArray& curves);
