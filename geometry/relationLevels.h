// Nesting levels of the boundary loops of a hatch. Every loop record has a
// level (0: none yet), a flag word and a row of relation kinds, kind[j]
// telling how the loop lies towards loop j: 1 outside, 2 inside, 4 on,
// 5 outside touching, 6 inside touching, 7 (propagates the level), 8 crossing.
// A row shorter than the set reads 0 for the missing kinds.
#pragma once

#include <cstdint>
#include <vector>

struct boundaryLevelRecord {
  std::int32_t level = 0;
  std::uint32_t flags = 0;
  std::vector<std::int32_t> kinds;
};

using boundarySet = std::vector<boundaryLevelRecord>;

// Gives level `level` to the loops that may take it in this pass, with
// `mode` 1 or 2 for the special passes of hatch styles, resetting every
// level to 0 first when asked. Answers the number of assignments made (a
// loop given the level and taken back in the same pass still counts).
//   1. In the ordinary pass (not mode 2 with level >= 2, not mode 1 with
//      level >= 3) a loop still at 0 gets the level unless it lies outside,
//      on or outside touching (1, 4, 5) another loop still at 0. In the
//      special passes it gets the level only in mode 1 with level >= 3 and
//      when it lies outside touching (5) a loop of level 1.
//   2. Of two loops i < j that both got the level, i gives it back when it
//      lies 1, 4 or 5 towards j; else j when it lies so towards i.
//   3. A loop still at 0 with kind 7 towards a loop of this level takes the
//      level too, until a whole scan finds no more.
std::int32_t assignRelationLevel(boundarySet& set, std::int32_t level, std::int32_t mode,
                                 bool reset);

// Assigns the levels 1, 2, ... pass by pass (mode as above, the first pass
// resetting) until every loop has a level or a pass leaves no new loop at
// its level, which happens for disjoint or identical loops: those keep level
// 0. Answers the highest level given (0 when none).
std::int32_t assignRelationLevels(boundarySet& set, std::int32_t mode);

// True when one of the first n relation kinds of record i is 1 or 5 (the
// loop lies outside another); false when i is out of range.
bool boundaryHasOutsideKind(const boundarySet& set, std::int64_t i, std::int64_t n);

// Bit 3 (value 8) of the flag word of record i; false when i is out of range.
bool boundaryHasFlag8(const boundarySet& set, std::int64_t i);
