// The spiral's two runs through the offset levels: the turn choice, the
// bridges onto level 1, the level steps that take each run two levels in at
// a time, the sub-areas of a level that falls apart, and the centre where
// the runs are joined.
#include "heating/layout/spiral/SpiralRun.h"

#include "heating/layout/record/CFHPipeEnd.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/COffsetPointQuad.h"
#include "heating/layout/record/LoopBridges.h"
#include "heating/layout/offsets/LoopSampling.h"
#include "heating/layout/record/OffsetGraphQueries.h"

#include "heating/curves/CFHZoneBoundary.h"

#include "geometry/Tolerances.h"

#include <cstdlib>
#include <memory>

namespace {

using Level = CFHCircuitLayout::Level;

using spiral_run::byteOf;
using spiral_run::firstLoopOf;

// The turn choice of attempt 0: whether the first loop (else the working
// loop) has the shape beside the entry that the turn needs.
bool turnChoice(const SpiralRun& run) {
  const CFHCircuitLayout& layout = run.layout;
  const COffsetLoop* f = layout.firstOffsetLoop();
  const XtGePoint2d& hint = layout.endEnd->point;
  const double s = layout.spacing;
  if (f != nullptr && f->walkNeighbours(run.inEnd->point, s, run.d, *run.outEnd, &hint)) return true;
  return layout.boundary != nullptr && layout.orientationGiven == 0 &&
         layout.boundary->workingLoop.walkNeighbours(layout.startEnd->point, s, run.d, *run.outEnd, &hint);
}

// The out-run's step onto M when no bridge finds a corner to cross at (a
// loop of many short sections, as a round wall gives, has none within the
// bridges' prolongations): from the point s back along the first loop
// (against d) from the out-run end straight across to M's nearest point.
// The run end unchanged when either point is missing.
COffsetNode* stepOntoInnerLoop(SpiralRun& run, COffsetLoop& m) {
  CFHCircuitLayout& layout = run.layout;
  COffsetNode* end = run.outEnd;
  CLoopPoint back;
  CLoopPoint across;
  if (end->owner == nullptr || !end->owner->walkFrom(*end, !run.d, layout.spacing, back, workTol) ||
      !m.closestPoint(back.point, across, workTol))
    return end;
  COffsetNode* node = layout.prependNodeOnLoopAt(end, back, end->owner, byteOf(run.d));
  return layout.prependNodeOnLoopAt(node, across, &m, byteOf(run.d));
}

// One run bridged onto level 1's only loop M.
void bridgeOntoLevelOne(SpiralRun& run, COffsetLoop* m) {
  CFHCircuitLayout& layout = run.layout;
  const double s = layout.spacing;
  // Where each bridge's walk starts: beside the end it extends (at the
  // other end), or at that end itself when the two lie far apart.
  COffsetNode* fromIn = run.farApart ? run.outEnd : run.inEnd;
  COffsetNode* fromOut = run.farApart ? run.inEnd : run.outEnd;
  const COffsetNode* in = run.inEnd;
  const COffsetNode* out = run.outEnd;
  // How each run goes on along M after its bridge (the bridges keep clear
  // of a sharp corner there): the out-run, and the in-run, on in the same
  // sense as they came, except the in-run that turns back (d inverted).
  const int outOn = byteOf(!run.d);
  const int inOn = byteOf(run.d);
  const int inTurnsBack = byteOf(!run.d);
  if (!run.c) {
    COffsetNode* moved = bridgeToInnerLoop(m, fromIn, run.outEnd, s, byteOf(!run.d), layout, outOn);
    if (moved != run.outEnd)
      run.outEnd = moved;
    else
      run.inEnd = bridgeToInnerLoopWithClearance(m, fromOut, run.inEnd, s, byteOf(run.d), layout, inOn);
  } else {
    COffsetNode* moved = bridgeToInnerLoopWithClearance(m, fromOut, run.inEnd, s, byteOf(run.d), layout, inTurnsBack);
    if (moved != run.inEnd) {
      run.inEnd = moved;
      run.d = !run.d;
    } else {
      run.outEnd = bridgeToInnerLoop(m, fromIn, run.outEnd, s, byteOf(!run.d), layout, outOn);
    }
  }
  if (run.inEnd == in && run.outEnd == out) run.outEnd = stepOntoInnerLoop(run, *m);
}

void laySubAreas(SpiralRun& run, std::size_t k) {
  run.layout.splitLevelsIntoSubAreas(static_cast<int>(k), byteOf(run.d));
  setApartThinLobes(run);
  run.layout.layoutSubAreas(run.inEnd, run.outEnd, run.d, run.lobeLeftOut);
  run.subAreasLaid = true;
}

// Level u falls apart while the run end `moving` on A walks on: it steps
// onto the first loop of level u that lets it (and back off it, leaving it
// on B), else it goes along its loop to the point across from R, s along
// the other run's loop from the other end, and on to R.
void stepBesideLobes(SpiralRun& run, COffsetLoop* b, const Level& lobes, const COffsetLoop* z, bool inRun) {
  CFHCircuitLayout& layout = run.layout;
  COffsetNode*& moving = inRun ? run.inEnd : run.outEnd;
  const COffsetNode* other = inRun ? run.outEnd : run.inEnd;
  for (COffsetLoop* lobe : lobes) {
    COffsetNode* stepped = inRun ? layout.stepPathAcrossLoopsOut(moving, b, lobe, z, run.d)
                                 : layout.stepPathAcrossLoops(moving, b, lobe, z, run.d);
    if (stepped == moving) continue;
    moving = layout.removeDanglingNode(stepped);
    return;
  }
  CLoopPoint r;
  CLoopPoint t;
  if (other->owner == nullptr || moving->owner == nullptr ||
      !other->owner->walkFrom(*other, inRun ? run.d : !run.d, layout.spacing, r, workTol) ||
      !moving->owner->closestPoint(r.point, t, workTol))
    return;
  COffsetLoop* own = moving->owner;
  if (inRun) {
    COffsetNode* across = layout.appendNodeOnLoopAt(moving, t, own, byteOf(run.d));
    moving = layout.appendNodeOnLoopAt(across, r, other->owner, byteOf(run.d));
  } else {
    COffsetNode* across = layout.prependNodeOnLoopAt(moving, t, own, byteOf(!run.d));
    moving = layout.prependNodeOnLoopAt(across, r, other->owner, byteOf(!run.d));
  }
}

// The runs take alternate levels: the run end on level u - 2 steps across
// level u - 1 (the other run's loop) onto level u.
void walkLevels(SpiralRun& run) {
  CFHCircuitLayout& layout = run.layout;
  for (std::size_t u = 2; u < layout.levels.size(); ++u) {
    COffsetLoop* a = firstLoopOf(layout, u - 2);
    COffsetLoop* b = firstLoopOf(layout, u - 1);
    COffsetLoop* c = firstLoopOf(layout, u);
    const COffsetLoop* z = u >= 3 ? firstLoopOf(layout, u - 3) : nullptr;
    const bool inOnA = run.inEnd->owner == a;
    const bool outOnA = run.outEnd->owner == a;
    if ((!inOnA && !outOnA) || b == nullptr || c == nullptr) return;
    if (layout.levels[u - 1]->size() > 1) {
      laySubAreas(run, u - 1);
      return;
    }
    if (layout.levels[u]->size() > 1) {
      stepBesideLobes(run, b, *layout.levels[u], z, inOnA);
      if (inOnA) run.d = !run.d;
      laySubAreas(run, u);
      return;
    }
    if (u + 1 == layout.levels.size()) run.beforeDeepestStep.take(run);
    if (inOnA)
      run.inEnd = layout.stepPathAcrossLoopsOut(run.inEnd, b, c, z, run.d);
    else
      run.outEnd = layout.stepPathAcrossLoops(run.outEnd, b, c, z, run.d);
  }
}

}  // namespace

void laySpiralLevels(SpiralRun& run) {
  CFHCircuitLayout& layout = run.layout;
  if (run.attempt == 0) run.firstTurn = turnChoice(run);
  run.c = run.attempt == 0 ? run.firstTurn : !run.firstTurn;
  COffsetLoop* m = firstLoopOf(layout, 1);
  if (layout.levels.size() >= 2 && layout.levels[1]->size() == 1) {
    bridgeOntoLevelOne(run, m);
    walkLevels(run);
  }
  if (!run.subAreasLaid && layout.levels.size() == 2 && layout.levels[1]->size() > 1) laySubAreas(run, 1);
  laySpiralCentre(run);
}
