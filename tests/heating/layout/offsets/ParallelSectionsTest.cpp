// The sections of Z1's level 0 beside pieces of level 1, and the inner
// corner across from a node.
#include "heating/layout/record/OffsetGraphQueries.h"
#include "heating/layout/offsets/ParallelSections.h"

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/DrawingUnitFactor.h"

#include "LayoutTestSupport.h"
#include "SpiralTestSupport.h"

#include <cmath>
#include <tuple>

namespace {

using namespace spiral_test;

class ParallelSectionsOf : public layout_test::LayoutTest {};

TEST_F(ParallelSectionsOf, BottomAlongsideTopAgainstSidesNone) {
  for (double shift : {0.0, 1e7}) {
    for (bool reversed : {false, true}) {
      std::unique_ptr<COffsetLoop> a(inset(4000, 3000, 100, shift));
      CFloorHeatingLine piece(shifted({300, 300}, shift), shifted({3700, 300}, shift), nullptr, 3);
      if (reversed) piece.reverse();
      ParallelSections found;
      ASSERT_TRUE(parallelSectionsOf(found, piece, *a, 200, workTol));
      ASSERT_EQ(found.entries.size(), 2u);
      EXPECT_EQ(found.key, 0.0);
      for (int i = 0; i < 2; ++i) {  // the bottom 200 away, the top 2600
        const ParallelSections::Entry& e = found.entries[i];
        EXPECT_TRUE(e.section == 2 * i && e.against == ((i == 1) != reversed)) << i;
        EXPECT_NEAR(e.distance, i == 0 ? 200 : 2600, 1e-6);
        EXPECT_TRUE(std::fabs(e.interval.lowerBound()) < 1e-9 && std::fabs(e.interval.upperBound() - 1) < 1e-9);
      }
    }
  }
}

TEST_F(ParallelSectionsOf, AShortPieceFacesOnlyWhatLiesAcrossIt) {
  // A 150 long piece against d 200 stands for its midpoint (75, 0).
  std::unique_ptr<COffsetLoop> beyond(rectangle(170, 200, 600, 400));
  std::unique_ptr<COffsetLoop> across(rectangle(0, 200, 600, 400));
  const CFloorHeatingLine piece({0, 0}, {150, 0}, nullptr, 3);
  ParallelSections found;
  EXPECT_FALSE(parallelSectionsOf(found, piece, *beyond, 200, workTol));
  EXPECT_TRUE(found.entries.empty());
  ASSERT_TRUE(parallelSectionsOf(found, piece, *across, 200, workTol));
  EXPECT_EQ(found.entries.front().section, 0);

  drawingUnitFactor = 0.0;  // steps of 0.01 of the usable factor, bounded
  ASSERT_TRUE(parallelSectionsOf(found, CFloorHeatingLine({0, 0}, {3000, 0}, nullptr, 3), *across, 200, workTol));
  EXPECT_NEAR(found.entries.front().interval.upperBound(), 0.2, 1e-4);
}

TEST_F(ParallelSectionsOf, TheInnerCornerAcrossFromANode) {
  auto layout = z1Record(2);
  COffsetLoop* inner = loopAt(*layout, 1);
  for (const auto& [at, previous, next] : {std::tuple{Point(3000, 100), 3, 0}, std::tuple{Point(3900, 100), 0, 1},
                                            std::tuple{Point(1000, 100), 0, 1}}) {
    COffsetSection* p = nullptr;
    COffsetSection* n = nullptr;
    ASSERT_TRUE(nodeInnerCorner(*inner, *nodeAt(*layout, loopAt(*layout, 0), at), p, n));
    EXPECT_TRUE(p == inner->section(previous) && n == inner->section(next)) << at.x;
  }
  COffsetSection* untouched = nullptr;
  EXPECT_FALSE(nodeInnerCorner(*inner, *nodeAt(*layout, nullptr, {5, 5}), untouched, untouched));
  EXPECT_EQ(untouched, nullptr);
}

}  // namespace
