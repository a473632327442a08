#include "geometry/curveList.h"

#include "geometry/curveChainJoin.h"

int curveList::joinAll(curvePtrArray& curves, bool linesAndArcsOnly, bool close) {
  curvePtrArray chains;
  // Every chain takes at least one curve, so the list empties in at most
  // its length of rounds.
  const int rounds = curves.count();
  for (int round = 0; round < rounds; ++round) {
    std::unique_ptr<XtGeCurve2d> chain = curveChainJoin(curves, linesAndArcsOnly, close);
    if (!chain) break;
    if (chains.append(chain.get()) < 0) continue;  // out of memory: the chain is dropped
    chain.release();
  }
  // Curves that cannot be chained follow as they are.
  for (XtGeCurve2d* curve : curves)
    if (curve != nullptr && chains.append(curve) < 0) delete curve;
  curves.removeAll();
  curves.swap(chains);
  return curves.count();
}
