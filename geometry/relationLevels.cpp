#include "geometry/relationLevels.h"

#include <cstddef>

namespace {

std::int32_t kindOf(const boundarySet& set, std::size_t i, std::size_t j) {
  const std::vector<std::int32_t>& kinds = set[i].kinds;
  return j < kinds.size() ? kinds[j] : 0;
}

bool excludes(std::int32_t kind) { return kind == 1 || kind == 4 || kind == 5; }

// Whether loop i lies 1, 4 or 5 towards another loop still without a level.
bool excludedByUnlevelled(const boundarySet& set, std::size_t i) {
  for (std::size_t j = 0; j < set.size(); ++j)
    if (j != i && set[j].level == 0 && excludes(kindOf(set, i, j))) return true;
  return false;
}

bool touchesLevelOne(const boundarySet& set, std::size_t i) {
  for (std::size_t j = 0; j < set.size(); ++j)
    if (j != i && set[j].level == 1 && kindOf(set, i, j) == 5) return true;
  return false;
}

bool propagatesFrom(const boundarySet& set, std::size_t i, std::int32_t level) {
  for (std::size_t j = 0; j < set.size(); ++j)
    if (j != i && set[j].level == level && kindOf(set, i, j) == 7) return true;
  return false;
}

std::size_t unlevelledCount(const boundarySet& set) {
  std::size_t count = 0;
  for (const boundaryLevelRecord& record : set) count += record.level == 0 ? 1 : 0;
  return count;
}

}  // namespace

std::int32_t assignRelationLevel(boundarySet& set, std::int32_t level, std::int32_t mode,
                                 bool reset) {
  if (reset)
    for (boundaryLevelRecord& record : set) record.level = 0;
  if (level == 0) return 0;  // level 0 means "none": nothing to assign

  const std::size_t n = set.size();
  const bool special = (mode == 2 && level >= 2) || (mode == 1 && level >= 3);
  std::int32_t count = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (set[i].level != 0) continue;
    const bool take = special ? (mode == 1 && level >= 3 && touchesLevelOne(set, i))
                              : !excludedByUnlevelled(set, i);
    if (take) {
      set[i].level = level;
      ++count;
    }
  }

  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      if (set[i].level != level || set[j].level != level) continue;
      if (excludes(kindOf(set, i, j)))
        set[i].level = 0;
      else if (excludes(kindOf(set, j, i)))
        set[j].level = 0;
    }
  }

  // Each assignment restarts the scan; a loop is assigned at most once, so
  // there are at most n restarts.
  for (std::size_t i = 0; i < n;) {
    if (set[i].level == 0 && propagatesFrom(set, i, level)) {
      set[i].level = level;
      ++count;
      i = 0;
    } else {
      ++i;
    }
  }
  return count;
}

std::int32_t assignRelationLevels(boundarySet& set, std::int32_t mode) {
  std::size_t left = set.size();
  std::int32_t level = 0;
  // Each pass that goes on leaves fewer loops without a level, so there are
  // at most n passes.
  while (left > 0) {
    assignRelationLevel(set, level + 1, mode, level == 0);
    const std::size_t now = unlevelledCount(set);
    if (now >= left) break;
    left = now;
    ++level;
  }
  return level;
}

bool boundaryHasOutsideKind(const boundarySet& set, std::int64_t i, std::int64_t n) {
  if (i < 0 || i >= static_cast<std::int64_t>(set.size())) return false;
  const std::vector<std::int32_t>& kinds = set[static_cast<std::size_t>(i)].kinds;
  const std::int64_t count = std::min<std::int64_t>(n, static_cast<std::int64_t>(kinds.size()));
  for (std::int64_t j = 0; j < count; ++j)
    if (kinds[static_cast<std::size_t>(j)] == 1 || kinds[static_cast<std::size_t>(j)] == 5) return true;
  return false;
}

bool boundaryHasFlag8(const boundarySet& set, std::int64_t i) {
  if (i < 0 || i >= static_cast<std::int64_t>(set.size())) return false;
  return (set[static_cast<std::size_t>(i)].flags & 8u) != 0;
}
