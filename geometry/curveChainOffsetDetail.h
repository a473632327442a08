// Shared pieces of the chain offset files (curveChainOffset*.cpp): the
// owned chain they work on and the cut at the best common point. Not for
// other callers.
#pragma once

#include "geometry/curveList.h"
#include "platform/ge/XtGeCompositeCurve2d.h"

#include <memory>
#include <vector>

namespace chainOffsetDetail {

// A chain of owned curves in chain order; every path frees what it holds.
using ownedChain = std::vector<std::unique_ptr<XtGeCurve2d>>;

// Moves the curves of the chain into the list (which then owns them); a
// curve the list cannot take is deleted. The chain is left empty.
void moveChainToList(ownedChain& chain, curvePtrArray& list);
// Moves every curve of the list into the chain (null entries too) and
// empties the list.
void moveListToChain(curvePtrArray& list, ownedChain& chain);

// The point at the curve's start or end; false when it has none or it is not
// finite.
bool startOf(const XtGeCurve2d& curve, XtGePoint2d& point);
bool endOf(const XtGeCurve2d& curve, XtGePoint2d& point);

// A composite of copies of the chain's curves (which stay where they are).
std::unique_ptr<XtGeCompositeCurve2d> compositeOfCopies(const std::vector<const XtGeCurve2d*>& pieces);

// Answers of cutAtBestPoint: the curves met, and which of them were cut.
struct cutResult {
  bool met = false;
  bool cutA = false;
  bool cutB = false;
};

// joinAtBestIntersection, telling which curve was really cut.
cutResult cutAtBestPoint(std::unique_ptr<XtGeCurve2d>& curveA, std::unique_ptr<XtGeCurve2d>& curveB,
                         const XtGePoint2d* referencePoint);

// The clean-up of an open offset chain (kOffsetCleanOpenChain): the first
// self-crossing loop cut off, pieces lying on earlier ones dropped, and the
// rest assembled into one composite; null when no sound composite results.
std::unique_ptr<XtGeCompositeCurve2d> cleanOpenChain(ownedChain& chain);

}  // namespace chainOffsetDetail
