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

namespace {

thread_local const SpiralHooks* currentHooks = nullptr;

// The copies of the prepared levels and narrow list for the second attempt.
void saveLevels(SpiralRun& run) {
  run.savedLevels.reserve(run.layout.levels.size());
  for (const CFHCircuitLayout::Level* level : run.layout.levels)
    run.savedLevels.push_back(copyOffsetLevel(*level).release());
  run.savedNarrows.reserve(run.narrows.size());
  for (const COffsetNarrowLoopSection* narrow : run.narrows)
    run.savedNarrows.push_back(makeNarrowLoopSection(*narrow).release());
}

// The second attempt starts afresh from the saved copies: the graph goes
// (and with it the handed-over loops), then the levels and the narrow list.
void restoreLevels(SpiralRun& run) {
  emptySpiralGraph(run.layout);
  deleteLoopListsAndClear(run.layout.levels);
  run.layout.levels.swap(run.savedLevels);
  deleteOffsetLoopsAndFree(run.narrows);
  run.narrows.swap(run.savedNarrows);
  run.closing = nullptr;
  run.inEnd = run.outEnd = nullptr;
  run.subAreasLaid = false;
  run.lobeLeftOut = false;
}

bool crossingCheck(const CFHCircuitLayout& layout, int attempt) {
  const bool crossed = offsetEdgePathsCross(layout, workTol);
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
  for (run.attempt = 0; run.attempt < 2; ++run.attempt) {
    if (run.attempt == 1) restoreLevels(run);
    if (!laySpiralLeads(run)) {
      emptySpiralGraph(*this);
      outcome = LayoutOutcome::kNoPipeEndProjection;
      return false;
    }
    laySpiralLevels(run);
    laySpiralDetours(run);
    deleteOffsetLoopsAndFree(run.narrows);
    const bool crossed = crossingCheck(*this, run.attempt);
    const bool single = isSinglePath(*this);
    if (!crossed && single) {
      outcome = run.regionsDropped || run.lobeLeftOut ? LayoutOutcome::kRegionsLeftOut : LayoutOutcome::kLaid;
      return true;
    }
    if (run.attempt == 0) continue;
    if (!single) {
      emptySpiralGraph(*this);
      outcome = LayoutOutcome::kNoSpiralPath;
      return false;
    }
  }
  outcome = LayoutOutcome::kPathsCross;
  return true;
}
