// The spiral layout step: the entry, the two attempts and the check of the
// laid pipe. The steps themselves are in the files SpiralRun.h names.
#include <cmath>
#include <vector>

#include "geometry/Tolerances.h"
#include "heating/layout/record/CFHPipeEnd.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNarrowLoopSection.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/DeleteAndClear.h"
#include "heating/layout/checks/EdgePathTests.h"
#include "heating/layout/checks/LaidPipeLength.h"
#include "heating/layout/checks/LayoutPipeClearance.h"
#include "heating/layout/meander/MeanderChain.h"
#include "heating/layout/offsets/NarrowSectionWindows.h"
#include "heating/layout/offsets/OffsetLoopParts.h"
#include "heating/layout/offsets/OffsetLoopQueries.h"
#include "heating/layout/spiral/CentreTurnClearance.h"
#include "heating/layout/spiral/SpiralBareFloor.h"
#include "heating/layout/spiral/SpiralDetours.h"
#include "heating/layout/spiral/SpiralRun.h"

namespace {

thread_local const SpiralHooks* currentHooks = nullptr;

// The levels at most set apart when a sound layout is short of pipe.
constexpr int kMaxLevelsSetApart = 2;

// The copies of the prepared levels and narrow list for the second attempt.
void saveLevels(SpiralRun& run) {
  run.savedLevels.reserve(run.layout.levels.size());
  for (const CFHCircuitLayout::Level* level : run.layout.levels)
    run.savedLevels.push_back(copyOffsetLevel(*level).release());
  run.savedNarrows.reserve(run.narrows.size());
  for (const COffsetNarrowLoopSection* narrow : run.narrows)
    run.savedNarrows.push_back(makeNarrowLoopSection(*narrow).release());
}

// A later attempt starts afresh from the saved copies (copied again, so
// that another attempt may follow): the graph goes (and with it the
// handed-over loops), then the levels and the narrow list.
void restoreLevels(SpiralRun& run) {
  emptySpiralGraph(run.layout);
  deleteLoopListsAndClear(run.layout.levels);
  run.layout.levels.reserve(run.savedLevels.size());
  for (const CFHCircuitLayout::Level* level : run.savedLevels)
    run.layout.levels.push_back(copyOffsetLevel(*level).release());
  deleteOffsetLoopsAndFree(run.narrows);
  run.narrows.reserve(run.savedNarrows.size());
  for (const COffsetNarrowLoopSection* narrow : run.savedNarrows)
    run.narrows.push_back(makeNarrowLoopSection(*narrow).release());
  run.closing = nullptr;
  run.inEnd = run.outEnd = nullptr;
  run.subAreasLaid = false;
  run.lobeLeftOut = false;
  run.beforeDeepestStep.taken = false;
  run.centreClearance = -1.0;
}

// A level step that comes nearer than this many s to the pipe 3 s or more
// along it (levelStepClearance, CentreTurnClearance.h) leaves the attempt
// unsound: a step beside the other run keeps nearly s (the room's margin),
// and one that lands beside where the other run's pipe goes on comes down
// to 0.2-0.6 s (a T's junction); then the other turn choice, or the runs
// laid a level further out, may keep clear, and the first of those that is
// sound stays. Steps 0.6-1 s from the pipe are left alone: they lie
// beside the centre, which narrows to 0.75 s, and laying them otherwise
// moved a hundred sound layouts of the random rooms without need.
constexpr double kLevelStepNearest = 0.6;

// How an attempt came out: one path, without crossings, whether a level
// step comes nearer than kLevelStepNearest to the other run, and how clear
// its centre turn keeps (negative: not measured).
struct AttemptResult {
  bool single = false;
  bool crossed = true;
  bool stepTooNear = false;
  double clearance = -1.0;

  bool sound() const {
    return single && !crossed && !stepTooNear && (clearance < 0.0 || clearance >= kCentreClearanceKept);
  }
  // Laid over or beside itself: crossed, or a step nearer than
  // kLevelStepNearest to the pipe beyond it.
  bool crowded() const { return crossed || stepTooNear; }
  // Whether this attempt is better than the other: one path first, then no
  // crossing, then no step too near, then the clearer centre.
  bool betterThan(const AttemptResult& other) const {
    if (single != other.single) return single;
    if (crossed != other.crossed) return !crossed;
    if (stepTooNear != other.stepTooNear) return !stepTooNear;
    const double mine = clearance < 0.0 ? 2.0 : clearance;
    const double theirs = other.clearance < 0.0 ? 2.0 : other.clearance;
    return mine > theirs;
  }
};

// One attempt laid: the leads, the levels and the centre, the detours. Every
// attempt but the very first starts from the saved levels. False, graph
// emptied, when a pipe end has no closest point on the first loop.
bool layAttempt(SpiralRun& run, int attempt) {
  if (run.laidOnce) restoreLevels(run);
  run.laidOnce = true;
  run.attempt = attempt;
  if (!laySpiralLeads(run)) {
    emptySpiralGraph(run.layout);
    run.layout.outcome = LayoutOutcome::kNoPipeEndProjection;
    return false;
  }
  laySpiralLevels(run);
  laySpiralDetours(run);
  deleteOffsetLoopsAndFree(run.narrows);
  return true;
}

// The levels one fewer: the deepest saved level (at least two left) goes
// to the saved narrow list, each loop as a narrow section, so that the next
// attempt lays the runs one level further out and the detours reach it.
// The level is answered (owned by the caller, to be put back); none when
// only the first level is left.
CFHCircuitLayout::Level* setDeepestLevelApart(SpiralRun& run) {
  if (run.savedLevels.size() < 2) return nullptr;
  CFHCircuitLayout::Level* deepest = run.savedLevels.back();
  run.savedLevels.pop_back();
  if (deepest == nullptr) return nullptr;
  for (const COffsetLoop* loop : *deepest)
    if (loop != nullptr) run.savedNarrows.push_back(makeNarrowLoopSection(*loop).release());
  return deepest;
}

// The deepest levels set apart so far, to be put back or let go.
class LevelsSetApart {
 public:
  explicit LevelsSetApart(const SpiralRun& run) : narrowsBefore_(run.savedNarrows.size()) {}
  ~LevelsSetApart() { deleteLoopListsAndClear(levels_); }
  LevelsSetApart(const LevelsSetApart&) = delete;
  LevelsSetApart& operator=(const LevelsSetApart&) = delete;

  int count() const { return static_cast<int>(levels_.size()); }
  // One more level set apart; false when only the first level is left.
  bool setOneMore(SpiralRun& run) {
    CFHCircuitLayout::Level* level = setDeepestLevelApart(run);
    if (level == nullptr) return false;
    levels_.push_back(level);
    return true;
  }
  // The levels as they were.
  void putBack(SpiralRun& run) {
    for (auto level = levels_.rbegin(); level != levels_.rend(); ++level) run.savedLevels.push_back(*level);
    levels_.clear();
    for (std::size_t i = narrowsBefore_; i < run.savedNarrows.size(); ++i) delete run.savedNarrows[i];
    run.savedNarrows.resize(narrowsBefore_);
  }
  // Exactly n levels set apart (fewer when the levels run out).
  void setApart(SpiralRun& run, int n) {
    if (count() > n) putBack(run);
    while (count() < n && setOneMore(run)) {
    }
  }

 private:
  std::vector<CFHCircuitLayout::Level*> levels_;
  std::size_t narrowsBefore_;
};

// Whether an attempt's pipe crosses itself or comes nearer to itself than
// the pipe is thick, as the design's check of the drawn pipe judges it
// (LayoutPipeClearance.h): a pipe that check refuses is no sound attempt,
// and one it accepts is not refused here (a step of a wall's jog 16 mm
// back beside a run 24 mm away folds nothing).
bool crossingCheck(const CFHCircuitLayout& layout, int attempt) {
  LayoutPipeClearance clearance;
  const bool crossed = offsetEdgePathsCross(layout, workTol) || clearance.meetsItself(layout);
  const SpiralHooks* hooks = spiralHooks();
  return hooks != nullptr && hooks->crossingCheck ? hooks->crossingCheck(layout, attempt, crossed) : crossed;
}

AttemptResult judgeAttempt(const SpiralRun& run, int check) {
  AttemptResult result;
  result.crossed = crossingCheck(run.layout, check);
  result.single = isSinglePath(run.layout);
  const double step = levelStepClearance(run.layout, run.layout.spacing).ratio;
  result.stepTooNear = step >= 0.0 && step < kLevelStepNearest;
  result.clearance = run.centreClearance;
  return result;
}

// The pipe the zone wants: the area inside the first loop and the band s/2
// wide outside it that the loop heats, over the spacing.
double pipeWanted(const CFHCircuitLayout& layout) {
  const COffsetLoop* first = layout.firstOffsetLoop();
  if (first == nullptr) return 0.0;
  const double area = loopArea(*first) + 0.5 * layout.spacing * first->length(workTol);
  return std::isfinite(area) ? area / layout.spacing : 0.0;
}

// A sound attempt that lays less than kShortLayout of the pipe the zone wants
// (the pipe beyond the leads: in a small room the leads alone may make up
// the difference) has left a loop that fits bare: in a room about two and a half spacings
// deep level 1 is a thin loop, and the bridge onto it and the centre's join
// take the runs off the first loop early, laying a corner of level 1 and
// cutting a corner of the first loop (a third of the room without pipe).
// Then the other turn choice and the runs laid one and two levels further
// out (the deepest levels left to the detours) are tried too, and the sound
// layout that lays the most pipe (by more than a spacing) stays. Check
// numbers for the test hook from kFirstFillCheck on.
constexpr double kShortLayout = 0.85;
constexpr int kFirstFillCheck = 2 + kMaxLevelsSetApart;

void fillShortLayout(SpiralRun& run, int attempt) {
  CFHCircuitLayout& layout = run.layout;
  if (layout.orientationGiven != 0 || run.subAreasLaid) return;
  const double wanted = pipeWanted(layout);
  double most = laidPipeLengthBeyondLeads(layout);
  if (!(wanted > 0.0) || most >= kShortLayout * wanted) return;
  int bestAttempt = attempt;
  int bestApart = 0;
  bool bestLaid = true;
  int check = kFirstFillCheck;
  LevelsSetApart apart(run);
  for (int n = 0; n <= kMaxLevelsSetApart; ++n) {
    apart.setApart(run, n);
    if (apart.count() < n) break;
    for (const int a : {0, 1}) {
      if (n == 0 && a <= attempt) continue;
      bestLaid = false;
      if (!layAttempt(run, a)) continue;
      const double laid = laidPipeLengthBeyondLeads(layout);
      if (laid > most + layout.spacing && judgeAttempt(run, check++).sound()) {
        most = laid;
        bestAttempt = a;
        bestApart = n;
        bestLaid = true;
      }
    }
  }
  if (bestLaid) return;
  apart.setApart(run, bestApart);
  layAttempt(run, bestAttempt);
}

// The laid pipe made to reach the floor it left bare: hairpins from it
// towards the heated floor that lies 1.5 s or more from it
// (SpiralBareFloor.h). Sub-area layouts leave it to the main one.
void reachBareFloor(const SpiralRun& run) {
  if (run.layout.orientationGiven == 0) layHairpinsToBareFloor(run.layout);
}

}  // namespace

SpiralRun::~SpiralRun() {
  deleteOffsetLoopsAndFree(narrows);
  deleteOffsetLoopsAndFree(savedNarrows);
  deleteLoopListsAndClear(savedLevels);
}

const SpiralHooks* spiralHooks() { return currentHooks; }

SpiralHookScope::SpiralHookScope(const SpiralHooks& hooks) : previous_(currentHooks) { currentHooks = &hooks; }

SpiralHookScope::~SpiralHookScope() { currentHooks = previous_; }

void emptySpiralGraph(CFHCircuitLayout& layout) {
  for (COffsetNode* node : layout.nodes)
    if (node != nullptr) node->clearLinks();
  deleteOffsetEdgesAndClear(layout.edges);
  deleteOffsetNodesAndClear(layout.nodes);
  layout.firstEdge = nullptr;
  layout.lastEdge = nullptr;
  deleteOffsetLoopsAndFree(layout.handedOverLoops);
  deleteCircuitLayoutsAndClear(layout.subAreas);
}

void laySpiralDetours(SpiralRun& run) {
  CFHCircuitLayout& layout = run.layout;
  if (layout.orientationGiven == 0) {
    for (const CFHCircuitLayout::Level* level : layout.levels) {
      if (level == nullptr) continue;
      run.narrows.reserve(run.narrows.size() + level->size());
      for (const COffsetLoop* loop : *level)
        if (loop != nullptr) run.narrows.push_back(makeNarrowLoopSection(*loop).release());
    }
  }
  for (COffsetNarrowLoopSection* narrow : run.narrows) resetFreeIntervals(*narrow, layout.spacing);
  layDetours(layout, run.narrows, run.inEnd, run.outEnd, run.closing);
}

// Lays the zone as a double spiral. The levels are prepared once (loops
// unfolded, tips and the first loop's corners cut) and saved; every lay
// after the first starts again from the saved copy (layAttempt). In order:
//   1. The first attempt. Sound (one path, no crossing, the clearance check
//      of LayoutPipeClearance passed, no level step nearer than 0.6 s to the
//      pipe beyond it, the centre turn clear enough): kept, go to 4.
//   2. The second attempt, the other turn choice at the centre: the first
//      turn choice may cross itself or crowd the centre where the other
//      does not. Sound: kept, go to 4.
//   3. Neither sound:
//      a. both cross themselves or have a level step nearer than 0.6 s to
//         the other run (and both are one path, or neither): the deepest level
//         is set apart for the detours, one level at a time down to the
//         first level alone, and both turn choices are laid at each count
//         (a crossing layout is plainly wrong, and a zone where a loop fits
//         is never left to it while fewer levels lay soundly); the first
//         that is one path without crossings and without such a step is
//         kept (its centre clearance is not asked). None: the levels put
//         back and the better of 1 and 2 laid again;
//      b. otherwise the better of 1 and 2 (one path first, then no
//         crossing, then no step too near, then the clearer centre), the
//         first laid again when it is that one.
//      A better that is not one path lays nothing (kNoSpiralPath); one that
//      crosses is kept as kPathsCross for the design to refuse.
//   4. The fill of a short layout (fillShortLayout): a sound attempt that
//      lays less than kShortLayout of the pipe the zone wants (its leads
//      not counted) left a loop bare. The other turn choice (when the first attempt was the sound
//      one), then both turn choices with one and
//      with two levels set apart (kMaxLevelsSetApart), are laid; the sound
//      one that lays the most pipe, by more than a spacing, stays, and is
//      laid once more at the end when it was not the last laid. Main
//      layouts only (no given orientation, no sub-areas laid).
//   5. Hairpins to the floor left bare (reachBareFloor), main layouts only:
//      added to the kept layout, not another lay.
// So a sound zone is laid at most seven times (1 or 2, five fills, the best
// again) and a crossing one up to twice per level set apart, plus three.
// The test hook numbers the checks: 0 and 1 the attempts, 2 + 2k + turn
// choice for k + 1 levels set apart in 3a, from kFirstFillCheck on in 4.
bool CFHCircuitLayout::layoutSpiral() {
  emptySpiralGraph(*this);
  if (firstOffsetLoop() == nullptr) {
    outcome = LayoutOutcome::kNoLevel;
    return false;
  }
  if (startEnd == nullptr || endEnd == nullptr || (orientationGiven == 0 && boundary == nullptr)) {
    outcome = LayoutOutcome::kNoBoundary;
    return false;
  }
  // Every step measures in spacings: at a spacing that is not a positive
  // number no path is laid.
  if (!(spacing > 0.0) || !std::isfinite(spacing)) {
    outcome = LayoutOutcome::kNoSpiralPath;
    return false;
  }
  SpiralRun run(*this);
  if (orientationGiven == 0) prepareSpiralLoops(run);
  if (firstOffsetLoop() == nullptr) {
    outcome = LayoutOutcome::kNoLevel;
    return false;
  }
  cutFirstLoopCorners(run);
  saveLevels(run);
  // The two attempts (the second with the other turn choice) run
  // when the first crosses itself; they also run when the first's centre
  // turn keeps no clearance. When neither is sound the better one stays
  // (the first laid again when it is that one).
  AttemptResult results[2];
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!layAttempt(run, attempt)) return false;
    const AttemptResult& result = results[attempt] = judgeAttempt(run, attempt);
    if (result.sound()) {
      fillShortLayout(run, attempt);
      reachBareFloor(run);
      outcome = run.regionsDropped || run.lobeLeftOut ? LayoutOutcome::kRegionsLeftOut : LayoutOutcome::kLaid;
      return true;
    }
  }
  const int kept = results[0].betterThan(results[1]) ? 0 : 1;
  // Both attempts cross themselves (or step nearer than kLevelStepNearest
  // to the other run: at a T's junction a step with no candidate of its
  // own crosses the other run's loop right beside where that run's pipe
  // goes on, and the other turn choice may do the same): the innermost
  // level is left to the detours (one level at a time, down to the first level alone), and the
  // runs are laid again one level further out, with either turn choice. A
  // crossing layout is plainly wrong, and a zone where a loop fits is never
  // left to it while an arrangement of fewer levels lays soundly; the
  // prepared levels stay wherever an attempt of theirs is sound.
  if (results[0].crowded() && results[1].crowded() && results[0].single == results[1].single) {
    LevelsSetApart apart(run);
    for (int k = 0; apart.setOneMore(run); ++k) {
      for (const int a : {0, 1}) {
        if (!layAttempt(run, a)) return false;
        const AttemptResult fewer = judgeAttempt(run, 2 + 2 * k + a);
        if (fewer.single && !fewer.crowded()) {
          reachBareFloor(run);
          outcome = run.regionsDropped || run.lobeLeftOut ? LayoutOutcome::kRegionsLeftOut : LayoutOutcome::kLaid;
          return true;
        }
      }
    }
    // None is better: the levels as they were.
    apart.putBack(run);
    if (!layAttempt(run, kept)) return false;
  } else if (kept == 0 && !layAttempt(run, 0)) {
    return false;
  }
  const AttemptResult& result = results[kept];
  if (!result.single) {
    emptySpiralGraph(*this);
    outcome = LayoutOutcome::kNoSpiralPath;
    return false;
  }
  if (!result.crossed) {
    reachBareFloor(run);
    outcome = run.regionsDropped || run.lobeLeftOut ? LayoutOutcome::kRegionsLeftOut : LayoutOutcome::kLaid;
    return true;
  }
  outcome = LayoutOutcome::kPathsCross;
  return true;
}
