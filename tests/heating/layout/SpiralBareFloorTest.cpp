// The hairpins to bare floor: a spiral left with its first loop alone (the
// deeper levels gone, as when every one of them was set apart) reaches the
// rectangle's middle by hairpins until no heated floor lies 1.5 s from the
// pipe and the pipe stays sound; a spiral that covers its zone is left as
// it is.
#include "SpiralTestSupport.h"
#include "SpiralZones.h"

#include "heating/layout/COffsetLoop.h"
#include "heating/layout/DeleteAndClear.h"
#include "heating/layout/SpiralBareFloor.h"

#include <gtest/gtest.h>

namespace {

using meander_test::UnitScope;

TEST(SpiralBareFloor, HairpinsReachTheMiddleAndLeaveCoveredFloorAlone) {
  const UnitScope units(1000);
  zone_set::ZoneCase bare = zone_set::z1();
  auto zone = meander_test::layoutZone(bare, CFHCircuitLayout::kSpiral);
  CFHCircuitLayout& layout = *zone->layout;
  ASSERT_GE(layout.levels.size(), 3u);
  std::vector<CFHCircuitLayout::Level*> deeper(layout.levels.begin() + 1, layout.levels.end());
  layout.levels.resize(1);
  deleteLoopListsAndClear(deeper);
  ASSERT_TRUE(layout.layoutSpiral());
  const layout_check::GraphPath path = layout_check::walkLayoutGraph(layout);
  ASSERT_TRUE(path.faults.empty()) << path.faults.front();
  layout_check::Options options(0.0, 1e300, 1.5, true);
  layout_check::setLeads(layout, options);
  layout_check::addSpiralAllowances(layout, zone_set::checkZone(bare), options);
  const layout_check::Report r = layout_check::checkLayout(zone_set::checkZone(bare), path.pieces, options);
  EXPECT_TRUE(r.sound() && r.coverage.ok) << r.summary();

  const spiral_zone::Laid covered(zone_set::z1());
  ASSERT_TRUE(covered.ok);
  const std::size_t edges = covered.layout().edges.size();
  const double length = spiral_test::pathLength(covered.layout());
  layHairpinsToBareFloor(covered.layout());
  EXPECT_EQ(covered.layout().edges.size(), edges);
  EXPECT_DOUBLE_EQ(spiral_test::pathLength(covered.layout()), length);
}

}  // namespace
