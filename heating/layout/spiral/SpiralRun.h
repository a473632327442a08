// The working state of one run of the spiral layout
// (CFHCircuitLayout::layoutSpiral, CFHCircuitLayoutSpiral.cpp) and the
// steps it runs, each in the file of its group:
//   SpiralPreparation.cpp  the loops made ready: narrow loops set apart,
//                          loops split at their necks, crossing loops
//                          dropped, one region kept, the first loop's
//                          corners cut where level 1 comes near
//   SpiralLeads.cpp        the orientation, the entry and exit points on the
//                          first loop and the leads to the pipe ends
//   SpiralLevels.cpp       the turn choice, the two runs through the levels
//                          and the centre
//   SpiralDetours.cpp      the hairpin detours to the pieces left uncovered
//
// The two runs: the in-run leaves the start pipe end and grows by appending
// (each new edge from the old end to the new node); the out-run reaches the
// end pipe end and grows from there inward by prepending. d is the in-run's
// walking direction along its loops (true: with the section order).
//
// Ownership: the run owns the narrow loop sections and the saved copies
// (freed when it ends); the layout record owns the levels and the graph.
// Threads: a run belongs to the design thread of its record.
#pragma once

#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/record/LayoutGraphSnapshot.h"

#include <functional>
#include <vector>

class COffsetNarrowLoopSection;

struct SpiralRun;

// The run's graph, run ends and direction at one moment, to lay the rest
// again from there (SpiralCentre.cpp).
struct SpiralRunState {
  LayoutGraphSnapshot graph;
  std::size_t in = LayoutGraphSnapshot::kNone;
  std::size_t out = LayoutGraphSnapshot::kNone;
  bool d = true;
  bool taken = false;

  void take(const SpiralRun& run);
  // Back to the state taken; the closing edge is forgotten.
  void restore(SpiralRun& run) const;
};

struct SpiralRun {
  explicit SpiralRun(CFHCircuitLayout& layout) : layout(layout) {}
  ~SpiralRun();
  SpiralRun(const SpiralRun&) = delete;
  SpiralRun& operator=(const SpiralRun&) = delete;

  CFHCircuitLayout& layout;
  // The loops and loop pieces the pipe must still reach.
  std::vector<COffsetNarrowLoopSection*> narrows;
  // Copies of the prepared levels and narrow list for the second attempt.
  std::vector<CFHCircuitLayout::Level*> savedLevels;
  std::vector<COffsetNarrowLoopSection*> savedNarrows;
  // The ends of the in-run and the out-run.
  COffsetNode* inEnd = nullptr;
  COffsetNode* outEnd = nullptr;
  // The edge that joins the two runs at the centre, when one was made.
  COffsetEdge* closing = nullptr;
  bool d = true;
  // The pipe ends reach the first loop far apart (more than two spacings
  // along it, the short way): each bridge onto level 1 then starts from the
  // run end it extends, not from the other one beside it.
  bool farApart = false;
  // The turn choice of this attempt, and of attempt 0.
  bool c = false;
  bool firstTurn = false;
  int attempt = 0;
  // An attempt was laid (a later one starts from the saved levels).
  bool laidOnce = false;
  // How clear the centre turn keeps (CentreTurnClearance.h; negative when
  // not measured).
  double centreClearance = -1.0;
  // The state before the walk's step onto the deepest level, when it made
  // one: the centre may be laid from there instead.
  SpiralRunState beforeDeepestStep;
  // Sub-areas were threaded in during the walk through the levels.
  bool subAreasLaid = false;
  // Regions of the zone were dropped while the loops were prepared, or a
  // sub-area was left out in this attempt.
  bool regionsDropped = false;
  bool lobeLeftOut = false;
};

// A centre turn that keeps this share of its clearance keeps it (the rest
// is the sampling's and the arithmetic's).
inline constexpr double kCentreClearanceKept = 0.995;

namespace spiral_run {

inline std::uint8_t byteOf(bool d) { return d ? 1 : 0; }

// The first loop of level k, or none.
inline COffsetLoop* firstLoopOf(const CFHCircuitLayout& layout, std::size_t k) {
  if (k >= layout.levels.size() || layout.levels[k] == nullptr || layout.levels[k]->empty()) return nullptr;
  return layout.levels[k]->front();
}

}  // namespace spiral_run

// ---- Steps (in the order they run) ------------------------------------------------

// The loop preparation (orientationGiven 0 only): per level, loops of fewer
// than three sections become narrow loop sections; the other loops are split
// at their necks (not level 1 when the layout has two levels and level 1
// one loop, unless that loop is short and nothing but neck: it holds no run of its
// own and is set apart as narrow pieces; nor a four-sided loop of the
// last level), the parts taking the
// loop's place and the narrow pieces joining the narrow list; of two
// crossing loops the shorter goes (the earlier on equal length); the gaps
// of every loop are closed (a loop left under three sections becomes a
// narrow loop section); an emptied level goes; the level is sorted nearest
// the start pipe end first. Then only the region of level 0's first loop
// stays: every other loop of level 0 goes with the deeper loops whose first
// section starts inside it (regionsDropped), and the levels end at the first
// that is left empty.
void prepareSpiralLoops(SpiralRun& run);

// The corner cuts of the first loop where level 1 comes near (with two
// levels or more): each section of the first loop that meets a loop of
// level 1 is replaced by two straight sections (tag 12) from the end of the
// section before it to X and from X to the start of the section after it,
// X the meeting of the lines of those two sections (of the perpendicular
// through the joint instead, for a neighbour turned by pi/2 or more). Each
// section of the loop as it came is looked at once: one whose lines have no
// single meeting, or meet farther from it than its own length, stays. A
// loop of three sections or fewer is not cut.
void cutFirstLoopCorners(SpiralRun& run);

// Empties the layout's graph: every node off its sections, then the edges
// and the nodes deleted; firstEdge and lastEdge null. Then the handed-over
// loops are freed (no node lies on them any more) and the sub-area records
// deleted.
void emptySpiralGraph(CFHCircuitLayout& layout);

// The orientation, the entry and exit points on the first loop F, the lead
// edges (firstEdge, lastEdge) and, with orientationGiven 0, the bends of
// the leads that leave the zone across its boundary. Sets the run ends.
// False, nothing added, when a pipe end has no closest point on F.
bool laySpiralLeads(SpiralRun& run);

// The turn choice, the bridges onto level 1, the walk of the two runs
// through the levels (with the sub-areas of a level that falls apart) and
// the centre: the neighbour step, the centre turn or the end join, and the
// closing edge (run.closing).
void laySpiralLevels(SpiralRun& run);

// A lobe whose mean width (loopMeanWidth) is below this share of the
// spacing is a sliver, not an area.
inline constexpr double kThinLobeWidth = 0.5;

// Where a level falls apart, the lobes too thin to hold a loop of pipe get
// no spiral of their own: a mean width under kThinLobeWidth x s is a strip
// narrower than s/2 or a round lobe less than s across, and the lobes so
// thin are slivers a level step or an acute corner leaves (a mean width of
// a few hundredths of s), round which a spiral lays a hairpin whose legs
// lie a fraction of s apart. So does a lobe that is one loop and nothing
// but neck (its sides nearer than s everywhere, as level k is in a U
// room's arm narrower than 2 d0 + (2 k + 1) s): laid as a sub-area,
// its lead-in and lead-out, and the pipe round it, run side by side under s
// apart along the whole arm. Their loops join the narrow list, which the
// detours reach, and their records go. A lobe that a node of the path
// already lies on stays.
void setApartThinLobes(SpiralRun& run);

// The centre (SpiralCentre.cpp): unless sub-areas were threaded in, the runs
// brought onto neighbouring levels and joined there, then the closing edge
// (run.closing). The edges laid here are flagged kEdgeCentreTurn. The
// usual centre is laid first; when its turn comes nearer the pipe than
// the turn's clearance allows (CentreTurnClearance.h), the centre is laid
// again in other ways (the second join point farther back, without the
// step onto the innermost level, the closing edge the other way round) and
// the first that keeps the clearance, else the one that comes nearest to
// it, stays.
void laySpiralCentre(SpiralRun& run);

// The general centre join (CFHCircuitLayout::joinPathEnds) with the second
// join point `walk` along K behind O instead of s; only where N has a next
// node along L, P1 lies short of it and P2 short of O's neighbour behind
// it. False, nothing laid, otherwise.
bool joinPathEndsFartherBack(CFHCircuitLayout& layout, COffsetNode*& a, COffsetNode*& b, bool which,
                             std::uint8_t direction, double walk);

// With orientationGiven 0 every loop of every level joins the narrow list;
// every narrow loop section is prepared at the spacing and the detours are
// laid (SpiralDetours.h).
void laySpiralDetours(SpiralRun& run);

// ---- Hooks for the tests -------------------------------------------------------------
//
// A test may watch or steer the spiral runs of its own thread through a
// SpiralHookScope: nothing in the engine sets one.
struct SpiralHooks {
  // Given the crossing check's answer at the end of an attempt, the answer
  // to use.
  std::function<bool(const CFHCircuitLayout&, int attempt, bool crossed)> crossingCheck;
  // Called after the centre of every attempt; may change the graph.
  std::function<void(CFHCircuitLayout&, const SpiralRun&)> afterCentre;
  // Called before a sub-area is laid; false makes it fail.
  std::function<bool(const CFHCircuitLayout& subArea)> beforeSubArea;
};

// The hooks of the calling thread, or null.
const SpiralHooks* spiralHooks();

// Sets the calling thread's hooks for its lifetime (the previous ones back
// at its end).
class SpiralHookScope {
 public:
  explicit SpiralHookScope(const SpiralHooks& hooks);
  ~SpiralHookScope();
  SpiralHookScope(const SpiralHookScope&) = delete;
  SpiralHookScope& operator=(const SpiralHookScope&) = delete;

 private:
  const SpiralHooks* previous_;
};
