// The segment curves of a circuit layout: chained by side, and drawn into
// the preview.
#include "heating/layout/record/CFHCircuitLayout.h"

#include "heating/layout/record/CFHCircuitSegment.h"
#include "heating/layout/record/CFHPipeStyle.h"

#include "heating/curves/CurveChains.h"

#include "geometry/Tolerances.h"

#include "ui/gdi/canvas.h"

#include <cmath>
#include <deque>
#include <memory>

namespace {

using CurvePtr = std::unique_ptr<XtGeCurve2d>;

// Whether the two end points exist and meet (workTol).
bool endsMeet(bool has1, const XtGePoint2d& p1, bool has2, const XtGePoint2d& p2) {
  return has1 && has2 && p1.isEqualTo(p2, workTol);
}

// Places the curve at one end of the chain as the four cases allow (see
// chainSegmentCurves); false, curve kept, when none does.
bool placeOnChain(std::deque<CurvePtr>& chain, CurvePtr& curve) {
  XtGePoint2d chainStart, chainEnd, start, end;
  const bool hasChainStart = chain.front()->hasStartPoint(chainStart);
  const bool hasChainEnd = chain.back()->hasEndPoint(chainEnd);
  const bool hasStart = curve->hasStartPoint(start);
  const bool hasEnd = curve->hasEndPoint(end);
  if (endsMeet(hasStart, start, hasChainEnd, chainEnd)) {
    chain.push_back(std::move(curve));
  } else if (endsMeet(hasEnd, end, hasChainStart, chainStart)) {
    chain.push_front(std::move(curve));
  } else if (endsMeet(hasStart, start, hasChainStart, chainStart)) {
    curve->reverseParam();
    chain.push_front(std::move(curve));
  } else if (endsMeet(hasEnd, end, hasChainEnd, chainEnd)) {
    curve->reverseParam();
    chain.push_back(std::move(curve));
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool CFHCircuitLayout::chainSegmentCurves(std::vector<CurveChain>& runs, int side) const {
  runs.clear();
  std::vector<CurvePtr> pool;
  for (const CFHCircuitSegment* segment : segments)
    if (segment != nullptr && segment->drawn != 0 && segment->side == side && segment->curve)
      if (CurvePtr copy{segment->curve->geCurve().copy()}) pool.push_back(std::move(copy));
  if (pool.empty()) return false;

  // Every pass places a curve or closes the chain, so the passes end.
  std::size_t next = 0;  // pool[next..] are the curves left, in order
  while (next < pool.size()) {
    std::deque<CurvePtr> chain;
    chain.push_back(std::move(pool[next++]));
    for (bool placed = true; placed && next < pool.size();) {
      placed = false;
      std::size_t kept = next;
      for (std::size_t i = next; i < pool.size(); ++i) {
        if (placeOnChain(chain, pool[i]))
          placed = true;
        else
          pool[kept++] = std::move(pool[i]);
      }
      pool.resize(kept);
    }
    std::vector<CurvePtr> run;
    run.reserve(chain.size());
    for (CurvePtr& curve : chain) run.push_back(std::move(curve));
    runs.emplace_back(std::move(run));
  }
  return true;
}

bool CFHCircuitLayout::chainSegmentCurvesBothSides(std::vector<CurveChain>& list1,
                                                   std::vector<CurveChain>& list2) const {
  return chainSegmentCurves(list1, 1) && chainSegmentCurves(list2, 0);
}

void CFHCircuitLayout::drawSegments(GDI::canvas& canvas, const CFHPipeStyle& supply, const CFHPipeStyle& returnStyle,
                                    std::int64_t passOn, std::int32_t /*reserved*/, std::uint32_t colour,
                                    bool overrideColour) const {
  const std::string linetypes[2] = {returnStyle.linetypeForHost(), supply.linetypeForHost()};
  for (const CFHCircuitSegment* segment : segments) {
    if (segment == nullptr || segment->drawn == 0 || !segment->curve) continue;
    const int which = segment->side == 0 ? 0 : 1;
    const CFHPipeStyle& style = which == 0 ? returnStyle : supply;
    const double scale = style.scale;
    const std::uint64_t drawColour = overrideColour ? CFHPipeStyle::colourOfIndex(colour) : style.colour;
    canvas.addCurve(&segment->curve->geCurve(), drawColour, static_cast<std::int32_t>(style.penWidth),
                    linetypes[which].c_str(), &scale, passOn, 0, 1);
  }
}
