// The working geometry of the distribution pipes: chained pipes become one
// polyline each, and open polylines that double back on themselves go.
#include "heating/design/model/CFHPipeNetwork.h"

#include "geometry/Tolerances.h"

#include "heating/curves/CFloorHeatingPolyLine.h"

#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeCurve2dPtrArray.h"

#include <algorithm>
#include <deque>
#include <memory>

namespace {

// Chains of list positions; a chain runs from its first curve's start to its
// last curve's end.
using Chain = std::deque<std::size_t>;

std::vector<Chain> gatherChains(const std::vector<CFloorHeatingCurve*>& curves) {
  std::vector<Chain> chains;
  auto chainStart = [&](const Chain& c) { return curves[c.front()]->startPoint(); };
  auto chainEnd = [&](const Chain& c) { return curves[c.back()]->endPoint(); };
  for (std::size_t i = 0; i < curves.size(); ++i) {
    const CFloorHeatingCurve& curve = *curves[i];
    bool joined = false;
    for (Chain& chain : chains) {
      if (curve.startPoint().isEqualTo(chainEnd(chain), workTol)) {
        chain.push_back(i);
      } else if (curve.endPoint().isEqualTo(chainStart(chain), workTol)) {
        chain.push_front(i);
      } else {
        continue;
      }
      joined = true;
      break;
    }
    if (!joined) chains.push_back(Chain{i});
  }
  // A curve that joined one chain may have met another one too: join chains
  // end to start until none meet. Each join removes a chain, so this ends.
  for (bool merged = true; merged;) {
    merged = false;
    for (std::size_t a = 0; a < chains.size() && !merged; ++a) {
      for (std::size_t b = 0; b < chains.size() && !merged; ++b) {
        if (a == b || !chainEnd(chains[a]).isEqualTo(chainStart(chains[b]), workTol)) continue;
        chains[a].insert(chains[a].end(), chains[b].begin(), chains[b].end());
        chains.erase(chains.begin() + static_cast<std::ptrdiff_t>(b));
        merged = true;
      }
    }
  }
  // Chains in the order of their first list position.
  std::sort(chains.begin(), chains.end(), [](const Chain& x, const Chain& y) {
    return *std::min_element(x.begin(), x.end()) < *std::min_element(y.begin(), y.end());
  });
  return chains;
}

std::unique_ptr<CFloorHeatingPolyLine> polylineOfChain(const std::vector<CFloorHeatingCurve*>& curves,
                                                       const Chain& chain) {
  XtGeCurve2dPtrArray pieces;
  for (std::size_t position : chain) curves[position]->appendGeCurveCopies(pieces);
  std::vector<std::unique_ptr<XtGeCurve2d>> owned;
  owned.reserve(static_cast<std::size_t>(pieces.length()));
  for (int i = 0; i < pieces.length(); ++i) owned.emplace_back(pieces[i]);
  return std::make_unique<CFloorHeatingPolyLine>(XtGeCompositeCurve2d(std::move(owned)),
                                                 CFHPipeNetwork::kPipeChainTag);
}

bool isOpenSelfOverlapping(const CFloorHeatingCurve& curve) {
  if (curve.kind() != CFloorHeatingCurve::kPolyline) return false;
  const bool closed = curve.startPoint().isEqualTo(curve.endPoint(), manifoldConnectionTol);
  return !closed && curve.selfOverlaps(workTol, workTol);
}

}  // namespace

void CFHPipeNetwork::buildWorkingGeometry() {
  // The curves leave the list first: deleting them then tells the registry
  // of no listed curve, and no state bit is raised.
  std::vector<CFloorHeatingCurve*> curves = takePipeCurves();
  std::vector<std::unique_ptr<CFloorHeatingCurve>> owned(curves.begin(), curves.end());
  // Drawn polylines come with runs of short segments; thinned, they chain
  // and overlap-test the same with fewer pieces.
  for (CFloorHeatingCurve* curve : curves) {
    if (curve->kind() == CFloorHeatingCurve::kPolyline) static_cast<CFloorHeatingPolyLine*>(curve)->rebuildFromParts();
  }

  std::vector<CFloorHeatingCurve*> result;
  std::vector<bool> chained(curves.size(), false);
  for (const Chain& chain : gatherChains(curves)) {
    if (chain.size() < 2) continue;
    result.push_back(polylineOfChain(curves, chain).release());
    for (std::size_t position : chain) chained[position] = true;
  }
  for (std::size_t i = 0; i < owned.size(); ++i) {
    if (!chained[i]) result.push_back(owned[i].release());
  }
  std::vector<std::unique_ptr<CFloorHeatingCurve>> dropped;
  std::erase_if(result, [&](CFloorHeatingCurve* curve) {
    if (!isOpenSelfOverlapping(*curve)) return false;
    dropped.emplace_back(curve);
    return true;
  });
  setPipeCurves(std::move(result));
  // The chain members and dropped curves are deleted here, outside the lock.
}
