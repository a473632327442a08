// Zone boundaries built on two threads at once: every side gets its own id.
#include "heating/curves/CFHZoneBoundary.h"

#include "../ZoneTestSupport.h"

#include <algorithm>
#include <thread>

namespace {

constexpr int kZonesPerThread = 200;

// Builds rectangular zones (each with a stray line that chaining drops) and
// collects the ids of their sides.
void buildZones(double x0, std::vector<int>& ids) {
  for (int z = 0; z < kZonesPerThread; ++z) {
    CFHZoneBoundary zone;
    const double x = x0 + z * 10000.0;
    zone.addBoundaryCurve(curve_test::rectangle(x, 0, x + 6000, 4000));
    zone.addBoundaryCurve(curve_test::line({x + 9000, 0}, {x + 9000, 100}));
    zone.prepareLoop(true);
    zone.workingLoop.copyFrom(zone.asDrawnLoop);
    for (int i = 0; i < zone.workingLoop.itemCount(); ++i) ids.push_back(zone.workingLoop.item(i)->id);
  }
}

TEST(ZoneBoundaryThreads, TwoThreadsGiveDistinctIds) {
  zone_test::ZoneTolerances tolerances(1000);
  std::vector<int> first;
  std::vector<int> all;
  std::thread other(buildZones, 0.0, std::ref(first));
  buildZones(1e7, all);
  other.join();
  all.insert(all.end(), first.begin(), first.end());
  ASSERT_EQ(all.size(), 2u * 4 * kZonesPerThread);
  std::sort(all.begin(), all.end());
  EXPECT_GT(all.front(), 0);
  EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
}

}  // namespace
