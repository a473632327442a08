// Four zones laid as meanders on four threads at once give the graphs of a
// serial run: the records share nothing but the read-only tolerances.
#include "../MeanderZones.h"

#include "heating/layout/COffsetNode.h"

#include <gtest/gtest.h>

#include <thread>

TEST(MeanderThreads, FourZonesOnFourThreadsMatchTheSerialRun) {
  const meander_test::UnitScope units(1000);
  std::vector<std::unique_ptr<meander_test::MeanderZone>> serial, threaded;
  for (auto make : {zone_set::z1, zone_set::z2, zone_set::z7, zone_set::z8}) {
    zone_set::ZoneCase c = make();
    serial.push_back(meander_test::meanderZone(c));
    threaded.push_back(meander_test::meanderZone(c));
    ASSERT_TRUE(serial.back()->layout->layoutMeander());
  }
  std::vector<char> laid(threaded.size(), 0);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < threaded.size(); ++i)
    threads.emplace_back([&, i] { laid[i] = threaded[i]->layout->layoutMeander(); });
  for (auto& t : threads) t.join();
  for (std::size_t i = 0; i < threaded.size(); ++i) {
    const auto &a = serial[i]->layout->nodes, &b = threaded[i]->layout->nodes;
    ASSERT_TRUE(laid[i] && a.size() == b.size());
    for (std::size_t k = 0; k < a.size(); ++k) EXPECT_TRUE(a[k]->point.isEqualTo(b[k]->point, XtGeTol(0, 0)));
  }
}
