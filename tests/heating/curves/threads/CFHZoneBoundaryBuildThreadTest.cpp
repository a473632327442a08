// Working loops built on two design threads at once, while the command's
// thread changes the pipe network they read.
#include "heating/curves/CFHZoneBoundary.h"

#include "heating/design/CFHPipeNetwork.h"

#include "../ZoneTestSupport.h"

#include <atomic>
#include <thread>

namespace {

constexpr int kZonesPerThread = 40;

// Zones 10 x 6 m with the pipe bundle of `network` near the left wall and a
// pipe across at x = 8 m: the side pass takes 5 m² out, the pipe 12 m².
void buildZones(CFHPipeNetwork& network, std::vector<double>& areas) {
  for (int z = 0; z < kZonesPerThread; ++z) {
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
  std::vector<double> first, second;
  std::atomic<bool> done{false};
  std::thread a(buildZones, std::ref(network), std::ref(first));
  std::thread b([&] {
    buildZones(network, second);
    done = true;
  });
  // A short pipe inside the bundle comes and goes: the hull stays the same.
  while (!done) {
    const auto inner = curve_test::line({1900, 3000}, {2100, 3000});
    network.appendPipeCurve(inner.get());
    network.removePipeCurve(inner.get());
  }
  a.join();
  b.join();
  first.insert(first.end(), second.begin(), second.end());
  ASSERT_EQ(first.size(), 2u * kZonesPerThread);
  for (const double area : first) EXPECT_NEAR(area, 60e6 - 5e6 - 12e6, 1e-3);
}

}  // namespace
