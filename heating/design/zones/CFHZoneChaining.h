// Sorting the selected zone curves into closed outlines, one curve at a time,
// as both heating commands do: each curve is offered to the finished outlines
// and then to the one being built, which is finished as soon as it closes.
//
// The design command checks each curve first (length, overlaps with the
// finished outlines' chain curves, which finishedPaths shows, and self-
// overlap); the offset test offers every curve as it comes. A curve whose
// ends are one point under the zone-bound tolerance (a short wall jog, see
// CFHBoundaryChain::isWithinTolerance) waits until the outlines are finished
// and then joins the outline in whose corner it lies.
//
// Ownership: the chaining owns every path and every curve offered to it until
// the finished paths are taken; destroying it frees what it still holds (the
// curves of a refused selection). Threads: the command's thread only.
#pragma once

#include "heating/design/zones/CFHBoundaryChain.h"

#include "platform/win/WinTypes.h"

class CFHZoneChaining {
 public:
  CFHZoneChaining();
  ~CFHZoneChaining();
  CFHZoneChaining(const CFHZoneChaining&) = delete;
  CFHZoneChaining& operator=(const CFHZoneChaining&) = delete;

  // Offers the next curve (the chaining takes it; null is passed over).
  // Answers 0, or IDS_ERR_ZONES_TOUCH when the curve touches a finished
  // outline or branches off the one being built.
  UINT offer(CFloorHeatingCurve::Ptr curve);

  // After the last curve: 0 when every curve ended in a closed outline (an
  // empty outline being built is dropped; a waiting short curve joins the
  // first outline it fills a corner of), else IDS_ERR_ZONE_NOT_CLOSED.
  UINT finish();

  // The finished outlines in the order they closed.
  const CFHBoundaryChain::Results& finishedPaths() const { return finished_; }
  CFHBoundaryChain::Results takePaths();

 private:
  // Paths share this list through a pointer: the object is never moved.
  CFHBoundaryChain::Results finished_;
  std::unique_ptr<CFHBoundaryChain> current_;
  CFloorHeatingCurve::PtrVector shortCurves_;  // waiting for finish
};
