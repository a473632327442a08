// Four zones laid as meanders, and four as spirals, on four threads at once
// give the graphs of a serial run: the records share nothing but the
// read-only tolerances and boundaries.
#include "../SpiralZones.h"

#include "heating/layout/offsets/COffsetNode.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

void expectSerialGraphs(std::uint32_t type, const std::vector<zone_set::ZoneCase (*)()>& makes) {
  const meander_test::UnitScope units(1000);
  const auto lay = [type](CFHCircuitLayout& l) {
    return type == CFHCircuitLayout::kMeander ? l.layoutMeander() : l.layoutSpiral();
  };
  std::vector<std::unique_ptr<meander_test::MeanderZone>> serial, threaded;
  for (auto make : makes) {
    zone_set::ZoneCase c = make();
    serial.push_back(meander_test::layoutZone(c, type));
    threaded.push_back(meander_test::layoutZone(c, type));
    ASSERT_TRUE(lay(*serial.back()->layout));
  }
  std::vector<char> laid(threaded.size(), 0);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < threaded.size(); ++i)
    threads.emplace_back([&, i] { laid[i] = lay(*threaded[i]->layout); });
  for (auto& t : threads) t.join();
  for (std::size_t i = 0; i < threaded.size(); ++i) {
    const auto &a = serial[i]->layout->nodes, &b = threaded[i]->layout->nodes;
    ASSERT_TRUE(laid[i] && a.size() == b.size());
    for (std::size_t k = 0; k < a.size(); ++k) EXPECT_TRUE(a[k]->point.isEqualTo(b[k]->point, XtGeTol(0, 0)));
  }
}

}  // namespace

TEST(MeanderThreads, FourZonesOnFourThreadsMatchTheSerialRun) {
  expectSerialGraphs(CFHCircuitLayout::kMeander, {zone_set::z1, zone_set::z2, zone_set::z7, zone_set::z8});
}

TEST(SpiralThreads, FourZonesOnFourThreadsMatchTheSerialRun) {
  expectSerialGraphs(CFHCircuitLayout::kSpiral, {zone_set::z2, zone_set::z3, zone_set::z6a, spiral_zone::twoRooms});
}
