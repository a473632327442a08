#include "geometry/cutFrameByCurve.h"

#include "geometry/Tolerances.h"
#include "geometry/clipCurveToFrame.h"
#include "geometry/curveChainJoin.h"
#include "geometry/curveClassification.h"
#include "geometry/curveCopying.h"
#include "geometry/curveList.h"
#include "geometry/curveSplitting.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <utility>
#include <vector>

namespace {

// The frame: the block's base moved back by a tenth of each side, both
// sides 1.2 times as long.
std::unique_ptr<XtGeCompositeCurve2d> frameAround(const XtGeBoundBlock2d& block, double& extension) {
  const XtGeVector2d d1 = block.getDirection1() * 1.2;
  const XtGeVector2d d2 = block.getDirection2() * 1.2;
  const XtGePoint2d base = block.getBasePoint() - block.getDirection1() * 0.1 - block.getDirection2() * 0.1;
  extension = d1.length() + d2.length();
  std::vector<std::unique_ptr<XtGeCurve2d>> sides;
  sides.push_back(std::make_unique<XtGeLineSeg2d>(base, base + d1));
  sides.push_back(std::make_unique<XtGeLineSeg2d>(base + d1, base + d1 + d2));
  sides.push_back(std::make_unique<XtGeLineSeg2d>(base + d1 + d2, base + d2));
  sides.push_back(std::make_unique<XtGeLineSeg2d>(base + d2, base));
  return std::make_unique<XtGeCompositeCurve2d>(std::move(sides));
}

// The segment from the curve's start backwards along its start tangent
// (atStart), or from its end onwards; null when the curve has no such end
// or no tangent there.
std::unique_ptr<XtGeLineSeg2d> extension(const XtGeCurve2d& curve, bool atStart, double length) {
  XtGeInterval interval;
  curve.getInterval(interval);
  if (atStart ? !interval.isBoundedBelow() : !interval.isBoundedAbove()) return nullptr;
  XtGePoint2d end;
  XtGeVector2d tangent;
  XtGeVector2d second;
  if (!curve.xtEvalDerivs(atStart ? interval.lowerBound() : interval.upperBound(), end, tangent, second) ||
      tangent.isZeroLength(XtGeContext::gTol))
    return nullptr;
  const XtGeVector2d along = tangent.normal(XtGeContext::gTol) * (atStart ? -length : length);
  return std::make_unique<XtGeLineSeg2d>(end, end + along);
}

}  // namespace

std::unique_ptr<XtGeCurve2d> cutFrameByCurve(const XtGeCurve2d& curve, const XtGeBoundBlock2d& block,
                                             const XtGePoint2d& point, std::uint8_t& sideFlag) {
  sideFlag = 0;
  if (curve.xtIsClosed(XtGeContext::gTol)) {
    std::unique_ptr<XtGeCurve2d> region(copyCurve2d(&curve));
    if (region) sideFlag = classifyPointInCurve(point, *region) == kPositionInside ? 1 : 0;
    return region;
  }

  double length = 0.0;
  const std::unique_ptr<XtGeCompositeCurve2d> frame = frameAround(block, length);
  ownedCurveList pieces;
  XtGeInterval interval;
  curve.getInterval(interval);
  if (interval.isBounded()) {
    if (!appendOwnedCurve(pieces.list, std::unique_ptr<XtGeCurve2d>(copyCurve2d(&curve)))) return nullptr;
  } else {
    clipCurveToFrame(curve, *frame, pieces.list);
    if (curveList::joinAll(pieces.list) != 1) return nullptr;
  }
  const XtGeCurve2d& chain = *pieces.list[0];

  std::unique_ptr<XtGeLineSeg2d> before = extension(chain, true, length);
  std::unique_ptr<XtGeLineSeg2d> after = extension(chain, false, length);
  XtGePoint2d meeting;
  const bool loop = before && after && before->intersectWith(*after, meeting, workTol);
  if (loop) {
    before = std::make_unique<XtGeLineSeg2d>(meeting, before->startPoint());
    after = std::make_unique<XtGeLineSeg2d>(after->startPoint(), meeting);
  }

  ownedCurveList parts;
  if (before && !appendOwnedCurve(parts.list, std::move(before))) return nullptr;
  if (parts.list.append(pieces.list[0]) < 0) return nullptr;
  pieces.list[0] = nullptr;
  if (after && !appendOwnedCurve(parts.list, std::move(after))) return nullptr;
  std::unique_ptr<XtGeCurve2d> cut = curveChainJoin(parts.list, false, false);
  if (!cut || !parts.list.isEmpty()) return nullptr;

  if (loop) {
    sideFlag = classifyPointInCurve(point, *cut) != kPositionInside ? 1 : 0;
    return cut;
  }
  ownedCurveList sides;
  if (intersectAndSplitPair(*cut, *frame, sides.list) != 1 || sides.list.count() != 2) return nullptr;
  for (XtGeCurve2d*& side : sides.list)
    if (classifyPointInCurve(point, *side) == kPositionInside) return std::unique_ptr<XtGeCurve2d>(std::exchange(side, nullptr));
  return nullptr;
}
