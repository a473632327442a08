// Four zones laid as meanders on four threads at once give the graphs of a
// serial run: the records share nothing but the read-only tolerances.
#include "../MeanderZones.h"

#include "heating/layout/COffsetNode.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using Made = std::unique_ptr<meander_test::MeanderZone>;

std::vector<Made> zones() {
  std::vector<zone_set::ZoneCase> cases;
  cases.push_back(zone_set::z1());
  cases.push_back(zone_set::z2());
  cases.push_back(zone_set::z7());
  cases.push_back(zone_set::z8());
  std::vector<Made> made;
  for (auto& c : cases) made.push_back(meander_test::meanderZone(c));
  return made;
}

std::vector<XtGePoint2d> nodePoints(const CFHCircuitLayout& layout) {
  std::vector<XtGePoint2d> points;
  for (const COffsetNode* node : layout.nodes) points.push_back(node->point);
  return points;
}

TEST(MeanderThreads, FourZonesOnFourThreadsMatchTheSerialRun) {
  const meander_test::UnitScope units(1000);
  std::vector<Made> serial = zones();
  std::vector<Made> threaded = zones();
  for (auto& z : serial) ASSERT_TRUE(z->layout->layoutMeander());
  std::vector<char> laid(threaded.size(), 0);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < threaded.size(); ++i)
    threads.emplace_back([&, i] { laid[i] = threaded[i]->layout->layoutMeander() ? 1 : 0; });
  for (auto& t : threads) t.join();
  for (std::size_t i = 0; i < threaded.size(); ++i) {
    EXPECT_TRUE(laid[i]);
    const auto a = nodePoints(*serial[i]->layout);
    const auto b = nodePoints(*threaded[i]->layout);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t k = 0; k < a.size(); ++k) EXPECT_TRUE(a[k].isEqualTo(b[k], XtGeTol(0, 0))) << i << " " << k;
    EXPECT_EQ(serial[i]->layout->edges.size(), threaded[i]->layout->edges.size());
  }
}

}  // namespace
