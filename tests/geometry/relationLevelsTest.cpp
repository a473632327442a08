#include "geometry/relationLevels.h"

#include <gtest/gtest.h>

namespace {

// Loops by their kinds towards each other (row i: how loop i lies to loop j).
boundarySet loops(std::vector<std::vector<std::int32_t>> rows) {
  boundarySet set;
  for (auto& row : rows) set.push_back({0, 0, std::move(row)});
  return set;
}

std::vector<std::int32_t> levels(const boundarySet& set) {
  std::vector<std::int32_t> result;
  for (const auto& record : set) result.push_back(record.level);
  return result;
}

}  // namespace

TEST(assignRelationLevel, NestedLoopsGetLevelsFromTheInnermostOutwards) {
  // 0 contains 1, which contains 2.
  boundarySet set = loops({{0, 1, 1}, {2, 0, 1}, {2, 2, 0}});
  EXPECT_EQ(assignRelationLevels(set, 0), 3);
  EXPECT_EQ(levels(set), (std::vector<std::int32_t>{3, 2, 1}));

  // A single pass answers its count and a reset clears the levels first.
  EXPECT_EQ(assignRelationLevel(set, 1, 0, true), 1);
  EXPECT_EQ(levels(set), (std::vector<std::int32_t>{0, 0, 1}));

  // A loop beside the inner ones (outside both) blocks every level.
  boundarySet beside = loops({{0, 1, 1, 1}, {2, 0, 1, 1}, {2, 2, 0, 1}, {2, 1, 1, 0}});
  EXPECT_EQ(assignRelationLevels(beside, 0), 0);
}

TEST(assignRelationLevel, DisjointAndIdenticalLoopsEndWithoutALevel) {
  boundarySet disjoint = loops({{0, 1}, {1, 0}});
  EXPECT_EQ(assignRelationLevel(disjoint, 1, 0, true), 0);
  EXPECT_EQ(assignRelationLevels(disjoint, 0), 0);
  EXPECT_EQ(levels(disjoint), (std::vector<std::int32_t>{0, 0}));

  boundarySet identical = loops({{0, 4, 4}, {4, 0, 4}, {1, 1, 0}});
  EXPECT_EQ(assignRelationLevels(identical, 1), 0);

  // Two identical loops inside a third: the outer one never gets a level either.
  boundarySet twins = loops({{0, 1, 1}, {2, 0, 4}, {2, 4, 0}});
  EXPECT_EQ(assignRelationLevels(twins, 0), 0);
}

TEST(assignRelationLevel, KindSevenCarriesTheLevelAndShortRowsAreSafe) {
  // 2 takes the level, gives it back (it lies outside 0, which has it too)
  // and takes it again through its kind 7 towards 1: four assignments.
  boundarySet set = loops({{0, 0, 0}, {0, 0, 0}, {1, 7}});
  EXPECT_EQ(assignRelationLevel(set, 1, 0, false), 4);
  EXPECT_EQ(levels(set), (std::vector<std::int32_t>{1, 1, 1}));

  // Special pass of mode 1: only loops touching a level-1 loop from outside.
  boundarySet special = loops({{0, 2, 2}, {5, 0, 1}, {1, 1, 0}});
  special[0].level = 1;
  EXPECT_EQ(assignRelationLevel(special, 3, 1, false), 1);
  EXPECT_EQ(levels(special), (std::vector<std::int32_t>{1, 3, 0}));

  EXPECT_EQ(assignRelationLevels(set, 0), 1);
  boundarySet empty;
  EXPECT_EQ(assignRelationLevels(empty, 0), 0);
}
