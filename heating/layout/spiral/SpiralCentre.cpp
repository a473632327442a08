// The spiral's centre: the two runs joined where they end, on neighbouring
// levels, and the edge that closes the path. The usual centre comes first;
// where its turn comes too near the pipe (as where slanted walls make the
// loops meet the level steps at an angle) the centre is laid again in other
// ways and the first that keeps its clearance stays.
#include "heating/layout/spiral/SpiralRun.h"

#include "heating/layout/spiral/CentreTurnClearance.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/COffsetPointQuad.h"
#include "heating/layout/record/LayoutGraphSnapshot.h"
#include "heating/layout/offsets/LoopSampling.h"
#include "heating/layout/record/OffsetGraphQueries.h"

#include "geometry/Tolerances.h"

#include <array>
#include <cstdlib>

namespace {

using spiral_run::byteOf;
using spiral_run::firstLoopOf;

constexpr double kClearanceKept = kCentreClearanceKept;
// The walks of the second join point behind the other end, in spacings,
// tried in this order after the usual one.
constexpr std::array<double, 6> kWalks = {1.0, 1.25, 1.5, 2.0, 2.5, 3.0};
// A bit no other step sets: the edges laid before the centre carry it
// while the centre is laid, so that the centre's own edges can be told.
constexpr std::uint32_t kEdgeBeforeCentre = 1u << 31;
// Another way may lay at most this many spacings less pipe than the usual way
// (the farthest walk back): it must not leave the centre uncovered.
constexpr double kLengthGivenUp = 4.0;

// One way to lay the centre.
struct CentreWay {
  // Take the in-run one level further when it ends right outside the
  // other run's level and a deeper level is there (the usual neighbour
  // step).
  bool neighbour = true;
  // The usual join (centre turn test, four-sided zigzag, general join),
  // else the general join with the second join point `walk` spacings back.
  bool partJoin = true;
  double walk = 1.0;
  // The closing edge the other way round where both ways are open.
  bool flipClosing = false;
};

int levelOf(const CFHCircuitLayout& layout, const COffsetNode* node) {
  int k = -1;
  if (node != nullptr) layout.findLevelOfLoop(node->owner, k);
  return k;
}

// Whether the usual neighbour step applies to the run ends.
bool neighbourStepApplies(const SpiralRun& run) {
  const int i1 = levelOf(run.layout, run.inEnd);
  const int i2 = levelOf(run.layout, run.outEnd);
  return i1 >= 0 && i2 >= 0 && i1 + 1 == i2 && firstLoopOf(run.layout, static_cast<std::size_t>(i2) + 1) != nullptr;
}

// The runs brought onto neighbouring levels and joined there, by parallel
// runs inside a four-sided innermost loop where that fits.
void joinAtCentre(SpiralRun& run, const CentreWay& way) {
  CFHCircuitLayout& layout = run.layout;
  int i1 = levelOf(layout, run.inEnd);
  const int i2 = levelOf(layout, run.outEnd);
  if (i1 < 0 || i2 < 0) return;
  if (way.neighbour && neighbourStepApplies(run)) {
    run.inEnd = layout.joinPathToNeighbour(firstLoopOf(layout, static_cast<std::size_t>(i2) + 1), run.inEnd,
                                           run.outEnd, byteOf(run.d));
    i1 = levelOf(layout, run.inEnd);
  }
  if (std::abs(i1 - i2) != 1) return;
  // The end on the outer level moves in the general join; the deeper one,
  // taken back onto the outer loop, starts the zigzag of the four-sided one.
  const bool inDeeper = i1 > i2;
  const std::uint8_t d = byteOf(run.d);
  if (!way.partJoin) {
    joinPathEndsFartherBack(layout, run.inEnd, run.outEnd, inDeeper, d, way.walk * layout.spacing);
    return;
  }
  COffsetNode*& deeper = inDeeper ? run.inEnd : run.outEnd;
  const COffsetNode* outer = inDeeper ? run.outEnd : run.inEnd;
  std::vector<COffsetPoint> samplesA;
  std::vector<COffsetPoint> samplesB;
  std::vector<COffsetPointQuad> rungs;
  if (!layout.tryCentreTurn(*deeper, *outer, run.d, samplesA, samplesB, rungs)) {
    layout.joinPathEnds(run.inEnd, run.outEnd, inDeeper, d);
    return;
  }
  COffsetLoop* q = deeper->owner;
  deeper = layout.removeDanglingNode(deeper);
  if (!layout.joinEndsInFourSidedLoop(run.inEnd, run.outEnd, q, !inDeeper))
    layout.joinPathEnds(run.inEnd, run.outEnd, inDeeper, d);
}

// The edge that closes the path from the in-run end to the out-run end: on
// one loop with nothing else between them, the longer way round (the shorter
// where the loop is narrow; `flip` the other); towards the neighbour that is
// the other end; otherwise straight.
void closePath(SpiralRun& run, bool flip) {
  CFHCircuitLayout& layout = run.layout;
  COffsetNode* in = run.inEnd;
  COffsetNode* out = run.outEnd;
  if (in == nullptr || out == nullptr || in == out || in->point.isEqualTo(out->point, workTol)) return;
  std::uint8_t direction = byteOf(run.d);
  bool straight = false;
  COffsetLoop* loop = in->owner;
  if (loop != nullptr && loop == out->owner) {
    const COffsetNode* ahead = nextNodeOnLoop(*loop, *in, 1, workTol);
    const COffsetNode* behind = nextNodeOnLoop(*loop, *in, 0, workTol);
    if (ahead == out && behind == out) {
      const double l1 = loop->lengthBetween(*in, *out, true, workTol);
      const double l0 = loop->lengthBetween(*in, *out, false, workTol);
      const bool narrow = hasNarrowSpot(*loop, layout.spacing, workTolFine);
      // Ways round as long as each other (workTol) count as the same.
      const double tie = workTol.equalPoint();
      direction = ((narrow ? l0 < l1 - tie : l1 < l0 - tie) != flip) ? 0 : 1;
    } else if (ahead == out) {
      direction = 1;
    } else if (behind == out) {
      direction = 0;
    } else {
      straight = true;
    }
  }
  layout.edges.reserve(layout.edges.size() + 1);
  run.closing = COffsetEdge::COffsetEdgeFromNodes(in, out, direction, straight).release();
  layout.edges.push_back(run.closing);
}

// Whether the closing edge could go either way round (both run ends on one
// loop with no other node of it between them).
bool closingMayTurn(const SpiralRun& run) {
  const COffsetNode* in = run.inEnd;
  const COffsetNode* out = run.outEnd;
  if (in == nullptr || out == nullptr || in->owner == nullptr || in->owner != out->owner) return false;
  return nextNodeOnLoop(*in->owner, *in, 1, workTol) == out && nextNodeOnLoop(*in->owner, *in, 0, workTol) == out;
}

// Lays the centre one way and flags its edges; with `final`, the test hook
// sees it before the closing edge. Answers whether the closing edge could
// have gone either way round.
bool layCentre(SpiralRun& run, const CentreWay& way, bool final) {
  CFHCircuitLayout& layout = run.layout;
  for (COffsetEdge* e : layout.edges) e->flags |= kEdgeBeforeCentre;
  if (!run.subAreasLaid) joinAtCentre(run, way);
  if (final)
    if (const SpiralHooks* hooks = spiralHooks(); hooks != nullptr && hooks->afterCentre) hooks->afterCentre(layout, run);
  const bool mayTurn = closingMayTurn(run);
  closePath(run, way.flipClosing);
  for (COffsetEdge* e : layout.edges) {
    if ((e->flags & kEdgeBeforeCentre) == 0) e->flags |= kEdgeCentreTurn;
    e->flags &= ~kEdgeBeforeCentre;
  }
  return mayTurn;
}

// The ways after the usual one, in the order they are tried.
std::vector<CentreWay> otherWays(const SpiralRun& run) {
  std::vector<CentreWay> ways;
  const bool neighbour = neighbourStepApplies(run);
  for (const bool step : {true, false}) {
    if (!step && !neighbour) continue;
    if (!step) ways.push_back({false, true, 1.0, false});
    for (const double walk : kWalks) ways.push_back({step, false, walk, false});
  }
  return ways;
}

}  // namespace

void SpiralRunState::take(const SpiralRun& run) {
  graph.take(run.layout);
  in = graph.indexOf(run.inEnd);
  out = graph.indexOf(run.outEnd);
  d = run.d;
  taken = true;
}

void SpiralRunState::restore(SpiralRun& run) const {
  graph.restore(run.layout);
  run.inEnd = LayoutGraphSnapshot::node(run.layout, in);
  run.outEnd = LayoutGraphSnapshot::node(run.layout, out);
  run.d = d;
  run.closing = nullptr;
}

namespace {

// The best way to lay the centre from a state, and its clearance.
struct CentreChoice {
  CentreWay way;
  double clearance = -1.0;
  // The graph holds the state with this way laid.
  bool laid = false;
};

// Tries the ways from the state (the usual one first) until one keeps the
// turn's clearance. `laid` tells whether the graph holds the state with the
// usual way laid already (as it does for the first state).
CentreChoice searchCentre(SpiralRun& run, const SpiralRunState& from, bool laid) {
  const double s = run.layout.spacing;
  const CentreWay part;
  if (!laid) {
    from.restore(run);
    layCentre(run, part, false);
  }
  const TurnClearance first = centreTurnClearance(run.layout, s);
  CentreChoice best{part, first.ratio, true};
  if (best.clearance >= kClearanceKept) return best;
  from.restore(run);
  best.laid = false;
  const std::vector<CentreWay> ways = otherWays(run);
  for (std::size_t i = 0; i < ways.size() && best.clearance < kClearanceKept; ++i) {
    for (const bool flip : {false, true}) {
      CentreWay way = ways[i];
      way.flipClosing = flip;
      from.restore(run);
      best.laid = false;
      if (!layCentre(run, way, false) && flip) continue;
      const TurnClearance clearance = centreTurnClearance(run.layout, s);
      if (clearance.pathLength < first.pathLength - kLengthGivenUp * s) continue;
      if (clearance.ratio > best.clearance) best = {way, clearance.ratio, true};
      if (best.clearance >= kClearanceKept) break;
    }
  }
  return best;
}

}  // namespace

void laySpiralCentre(SpiralRun& run) {
  if (run.subAreasLaid || run.inEnd == nullptr || run.outEnd == nullptr) {
    layCentre(run, {}, true);
    return;
  }
  SpiralRunState walked;
  walked.take(run);
  layCentre(run, {}, false);
  CentreChoice chosen = searchCentre(run, walked, true);
  const SpiralRunState* from = &walked;
  const bool hooked = spiralHooks() != nullptr && spiralHooks()->afterCentre;
  run.centreClearance = chosen.clearance;
  if (chosen.clearance >= kClearanceKept && chosen.laid && !hooked) return;
  // The turn is not clear: the centre may be laid one level further out,
  // before the walk's step onto the deepest level.
  if (chosen.clearance < kClearanceKept && run.beforeDeepestStep.taken) {
    const CentreChoice shallower = searchCentre(run, run.beforeDeepestStep, false);
    if (shallower.clearance > chosen.clearance) {
      chosen = shallower;
      from = &run.beforeDeepestStep;
      run.centreClearance = chosen.clearance;
    }
  }
  from->restore(run);
  layCentre(run, chosen.way, true);
}
