// Zone boundaries prepared and built on two threads at once: every side gets
// its own id, and working loops are built while the command's thread changes
// the pipe network they read.
#include "heating/curves/CFHZoneBoundary.h"

#include "heating/design/model/CFHPipeNetwork.h"

#include "../ZoneTestSupport.h"

#include <algorithm>
#include <atomic>
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

// Zones 10 x 6 m with the pipe bundle of `network` near the left wall and a
// pipe across at x = 8 m: the side pass takes 5 m² out, the pipe 12 m².
void buildWorkingLoops(CFHPipeNetwork& network, std::vector<double>& areas) {
  for (int z = 0; z < 40; ++z) {
    CFHZoneBoundary zone;
    zone.addBoundaryCurve(curve_test::rectangle(0, 0, 10000, 6000));
    zone.prepareLoop(true);
    zone.pipeNetwork = &network;
    std::vector<CFloorHeatingCurve::Ptr> pipes;
    pipes.push_back(curve_test::line({8000, -1000}, {8000, 7000}));
    areas.push_back(zone.build(pipes, {5000, 3000}, true) ? zone_test::signedArea(zone.workingLoop) : 0.0);
  }
}

TEST(ZoneBoundaryThreads, TwoThreadsBuildWorkingLoopsWhileTheNetworkChanges) {
  zone_test::ZoneTolerances tolerances(1000);
  CFHPipeNetwork network;
  network.appendPipeCurve(curve_test::polyline({{1000, 3000}, {2000, 4000}, {3000, 3000}, {2000, 2000}}).release());
  std::vector<double> areas[2];
  std::atomic<int> running{2};
  std::thread threads[2];
  for (int t = 0; t < 2; ++t)
    threads[t] = std::thread([&, t] {
      buildWorkingLoops(network, areas[t]);
      --running;
    });
  // A short pipe inside the bundle comes and goes: the hull stays the same.
  for (const auto inner = curve_test::line({1900, 3000}, {2100, 3000}); running > 0;) {
    network.appendPipeCurve(inner.get());
    network.removePipeCurve(inner.get());
  }
  for (std::thread& t : threads) t.join();
  for (const std::vector<double>& list : areas)
    for (const double area : list) EXPECT_NEAR(area, 60e6 - 5e6 - 12e6, 1e-3);
  EXPECT_EQ(areas[0].size() + areas[1].size(), 80u);
}

}  // namespace
