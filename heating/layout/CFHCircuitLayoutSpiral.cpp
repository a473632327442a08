// The spiral layout step: the entry, the two attempts and the check of the
// laid pipe. The steps themselves are in the files SpiralRun.h names.
#include "heating/layout/SpiralRun.h"

#include "heating/layout/CFHPipeEnd.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetLoop.h"
#include "heating/layout/COffsetNarrowLoopSection.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/DeleteAndClear.h"
#include "heating/layout/EdgePathTests.h"
#include "heating/layout/MeanderChain.h"
#include "heating/layout/NarrowSectionWindows.h"
#include "heating/layout/OffsetLoopParts.h"
#include "heating/layout/SpiralDetours.h"

#include "geometry/Tolerances.h"

#include <cmath>
#include <vector>

namespace {

thread_local const SpiralHooks* currentHooks = nullptr;

// The levels at most set apart when every attempt crosses itself.
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

// How an attempt came out: one path, without crossings, and how clear its
// centre turn keeps (negative: not measured).
struct AttemptResult {
  bool single = false;
  bool crossed = true;
  double clearance = -1.0;

  bool sound() const { return single && !crossed && (clearance < 0.0 || clearance >= kCentreClearanceKept); }
  // Whether this attempt is better than the other: one path first, then no
  // crossing, then the clearer centre.
  bool betterThan(const AttemptResult& other) const {
    if (single != other.single) return single;
    if (crossed != other.crossed) return !crossed;
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

bool crossingCheck(const CFHCircuitLayout& layout, int attempt) {
  const bool crossed = offsetEdgePathsCross(layout, workTol) || offsetEdgePathFoldsBack(layout, workTol);
  const SpiralHooks* hooks = spiralHooks();
  return hooks != nullptr && hooks->crossingCheck ? hooks->crossingCheck(layout, attempt, crossed) : crossed;
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
    AttemptResult& result = results[attempt];
    result.crossed = crossingCheck(*this, attempt);
    result.single = isSinglePath(*this);
    result.clearance = run.centreClearance;
    if (result.sound()) {
      outcome = run.regionsDropped || run.lobeLeftOut ? LayoutOutcome::kRegionsLeftOut : LayoutOutcome::kLaid;
      return true;
    }
  }
  const int kept = results[0].betterThan(results[1]) ? 0 : 1;
  // Both attempts cross themselves: the innermost level is left to the
  // detours (one level at a time, at most kMaxLevelsSetApart), and the runs
  // are laid again one level further out, the first attempt's turn. A
  // crossing layout is plainly wrong; the prepared levels stay wherever an
  // attempt of theirs is sound.
  if (results[0].crossed && results[1].crossed && results[0].single == results[1].single) {
    std::vector<CFHCircuitLayout::Level*> apart;
    const std::size_t narrowsBefore = run.savedNarrows.size();
    for (int k = 0; k < kMaxLevelsSetApart; ++k) {
      CFHCircuitLayout::Level* level = setDeepestLevelApart(run);
      if (level == nullptr) break;
      apart.push_back(level);
      if (!layAttempt(run, 0)) return false;
      AttemptResult fewer;
      fewer.crossed = crossingCheck(*this, 2 + k);
      fewer.single = isSinglePath(*this);
      fewer.clearance = run.centreClearance;
      if (fewer.single && !fewer.crossed) {
        deleteLoopListsAndClear(apart);
        outcome = run.regionsDropped || run.lobeLeftOut ? LayoutOutcome::kRegionsLeftOut : LayoutOutcome::kLaid;
        return true;
      }
    }
    // None is better: the levels as they were.
    for (auto level = apart.rbegin(); level != apart.rend(); ++level) run.savedLevels.push_back(*level);
    for (std::size_t i = narrowsBefore; i < run.savedNarrows.size(); ++i) delete run.savedNarrows[i];
    run.savedNarrows.resize(narrowsBefore);
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
    outcome = run.regionsDropped || run.lobeLeftOut ? LayoutOutcome::kRegionsLeftOut : LayoutOutcome::kLaid;
    return true;
  }
  outcome = LayoutOutcome::kPathsCross;
  return true;
}
