// The split of a spiral's offset levels into sub-areas where a level falls
// apart into several loops, and the hand-over of a threaded sub-area's
// loops.
#include "heating/layout/CFHCircuitLayout.h"

#include "heating/layout/COffsetLoop.h"
#include "heating/layout/DeleteAndClear.h"
#include "heating/layout/OffsetLevelAcceptance.h"

#include "geometry/Tolerances.h"

#include <memory>

namespace {

// Frees the level vectors from `first` on (their loops must have left them)
// and drops them from the list.
void dropLevelsFrom(std::vector<CFHCircuitLayout::Level*>& levels, std::size_t first) {
  for (std::size_t k = first; k < levels.size(); ++k) delete levels[k];
  levels.resize(first);
}

// Moves every loop of the levels from `first` on into `out`.
void moveLoopsOut(std::vector<CFHCircuitLayout::Level*>& levels, std::size_t first, std::vector<COffsetLoop*>& out) {
  for (std::size_t k = first; k < levels.size(); ++k) {
    if (levels[k] == nullptr) continue;
    for (COffsetLoop*& loop : *levels[k]) {
      if (loop != nullptr) out.push_back(loop);
      loop = nullptr;
    }
  }
}

}  // namespace

void CFHCircuitLayout::splitLevelsIntoSubAreas(int k, std::uint8_t orientationByte) {
  if (k < 0) return;
  const std::size_t split = static_cast<std::size_t>(k);
  if (split >= levels.size()) return;
  if (levels[split] == nullptr || levels[split]->empty()) {
    moveLoopsOut(levels, split, handedOverLoops);
    dropLevelsFrom(levels, split);
    return;
  }
  const double s = spacing;
  const std::size_t deepest = levels.size();
  std::vector<std::unique_ptr<CFHCircuitLayout>> made;
  for (COffsetLoop*& first : *levels[split]) {
    if (first == nullptr) continue;
    auto sub = std::make_unique<CFHCircuitLayout>(firstOffset, spacing, spacing);
    sub->pipeDiameter = pipeDiameter;
    sub->orientationGiven = 1;
    sub->orientation = orientationByte;
    sub->levels.reserve(deepest - split);  // no push_back below can throw
    auto firstLevel = std::make_unique<Level>(1, first);
    sub->levels.push_back(firstLevel.get());
    firstLevel.release();
    first = nullptr;
    OffsetLevelAcceptance inside(*sub->levels.front(), s, workTolFine);
    for (std::size_t j = split + 1; j < deepest; ++j) {
      if (levels[j] == nullptr) break;
      auto next = std::make_unique<Level>();
      for (COffsetLoop*& loop : *levels[j]) {
        if (loop == nullptr || !inside.accepts(*loop)) continue;
        next->push_back(loop);
        loop = nullptr;
      }
      if (next->empty()) break;
      sub->levels.push_back(next.get());
      next.release();
    }
    made.push_back(std::move(sub));
  }
  moveLoopsOut(levels, split, handedOverLoops);
  dropLevelsFrom(levels, split);
  subAreas.reserve(subAreas.size() + made.size());
  for (auto& sub : made) subAreas.push_back(sub.release());
}

void CFHCircuitLayout::handOverLoopsTo(CFHCircuitLayout& owner) {
  if (&owner == this) return;
  moveLoopsOut(levels, 0, owner.handedOverLoops);
  dropLevelsFrom(levels, 0);
  owner.handedOverLoops.insert(owner.handedOverLoops.end(), handedOverLoops.begin(), handedOverLoops.end());
  handedOverLoops.clear();
}
