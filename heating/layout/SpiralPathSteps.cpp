// The spiral's steps of one run: two levels inward at once, and over to the
// neighbouring loops at the centre.
#include "heating/layout/CFHCircuitLayout.h"

#include "heating/layout/COffsetLoop.h"
#include "heating/layout/COffsetNode.h"

namespace {

// The run end extended through the level-step points: appended with d (the
// in-run) or prepended with !d (the out-run).
COffsetNode* stepAcross(CFHCircuitLayout& layout, COffsetNode* end, COffsetLoop* loopB, COffsetLoop* loopC,
                        const COffsetLoop* avoidLoop, bool& d, bool prepend) {
  COffsetPoint p1;
  COffsetPoint p2;
  COffsetPoint p3;
  if (end == nullptr || !layout.findLevelStepPoints(*end, loopB, loopC, avoidLoop, d, p1, p2, p3)) return end;
  const std::uint8_t direction = d ? 1 : 0;
  COffsetNode* node = layout.extendRunEndAt(end, p1, end->owner, direction, prepend);
  node = layout.extendRunEndAt(node, p2, loopB, direction, prepend);
  return layout.extendRunEndAt(node, p3, loopC, direction, prepend);
}

}  // namespace

COffsetNode* CFHCircuitLayout::extendRunEndAt(COffsetNode* end, const CLoopPoint& at, COffsetLoop* loop,
                                              std::uint8_t direction, bool prepend) {
  return prepend ? prependNodeOnLoopAt(end, at, loop, direction != 0 ? 0 : 1)
                 : appendNodeOnLoopAt(end, at, loop, direction);
}

COffsetNode* CFHCircuitLayout::stepPathAcrossLoops(COffsetNode* end, COffsetLoop* loopB, COffsetLoop* loopC,
                                                   const COffsetLoop* avoidLoop, bool& d) {
  return stepAcross(*this, end, loopB, loopC, avoidLoop, d, true);
}

COffsetNode* CFHCircuitLayout::stepPathAcrossLoopsOut(COffsetNode* end, COffsetLoop* loopB, COffsetLoop* loopC,
                                                      const COffsetLoop* avoidLoop, bool& d) {
  return stepAcross(*this, end, loopB, loopC, avoidLoop, d, false);
}
