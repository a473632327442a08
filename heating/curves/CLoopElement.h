// One piece of a closed loop of heating curves (CLoop): a heating curve that
// runs in the loop's direction, whether the element owns it, and the curves
// the element was derived from.
//
// The zone boundary's items (CFHBoundLoopItem) and the offset loops' sections
// (COffsetSection) extend this record; they are deleted through this class by
// the layout's delete-and-clear operations, so the destructor is virtual.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

#include <vector>

class CLoopElement {
 public:
  // No curve, not owning, no sources.
  CLoopElement() = default;
  // The curve (may be null); with ownsCurve the element deletes it.
  CLoopElement(CFloorHeatingCurve* curve, bool ownsCurve) : curve(curve), ownsCurve(ownsCurve) {}
  // Deletes the curve when it owns it; the source curves are left alone.
  virtual ~CLoopElement();

  // An element may own its curve, so it is neither copied nor moved as a
  // whole: the derived records that offer copies clone the curve themselves.
  CLoopElement(const CLoopElement&) = delete;
  CLoopElement& operator=(const CLoopElement&) = delete;

  bool hasCurve() const { return curve != nullptr; }
  // The curve's end points (the curve must be present).
  const XtGePoint2d& startPoint() const { return curve->startPoint(); }
  const XtGePoint2d& endPoint() const { return curve->endPoint(); }

  CFloorHeatingCurve* curve = nullptr;
  bool ownsCurve = false;
  // The curves the element stands for (not owned), e.g. the as-drawn pieces
  // of a merged side; empty for an element made from one curve.
  std::vector<CFloorHeatingCurve*> sources;
};

// Adds an element to a chain being assembled from loose elements: when the
// chain is not empty and the element's curve ends where the first element's
// curve starts (tol), it goes in front; otherwise it is appended. A null
// element is ignored; an element without a curve is appended.
void addToElementChain(std::vector<CLoopElement*>& chain, CLoopElement* element, const XtGeTol& tol);
