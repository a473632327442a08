// Zone designs on two circuits' job threads at once, while the test thread
// reads their layouts through the idle access and a setter stops one job.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/jobs/CFHJobs.h"

#include "tests/heating/design/ZoneDesignTestSupport.h"
#include "tests/heating/design/threads/JobsUntilStopped.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

std::atomic<int> g_designs[2];

// Designs the zone again and again until its circuit asks the job to stop:
// both jobs run until the test stops them, on any number of cores.
void designUntilStopped(CFHZoneEntry& zone) {
  jobs_test::repeatUntilStopped(zone, [&zone] {
    zone.design()->design();
    ++g_designs[zone.number - 1];
  });
}
void noCircuitStep(CFHCircuit&) {}
void noLink(CFHCircuit&, CFHZoneEntry&) {}
constexpr CFHDesignSteps kSteps{noCircuitStep, noLink, designUntilStopped, noCircuitStep};

class ZoneDesignThreads : public zone_design_test::DesignTest {};

TEST_F(ZoneDesignThreads, TwoCircuitsDesignWhileLayoutsAreReadAndOneJobIsStopped) {
  CFHModel model;
  const zone_fixture::Zone outlines[2] = {zone_fixture::z1Rectangle(), zone_fixture::z2L()};
  CFHZoneDesign* designs[2] = {};
  for (std::uint32_t c = 0; c < 2; ++c) {
    CFHZoneEntry* zone = zone_design_test::addZone(model, c + 1, outlines[c]);
    designs[c] = zone->design();
    designs[c]->setCircuitShape(0);
    designs[c]->setMeanderBaseId(zone_design_test::sideIdNear(*designs[c], {1000, 0}));
    designs[c]->setPipeEnd1({2100, 0});
    designs[c]->setPipeEnd2({1900, 0});
    model.addCircuit(c + 1)->addZone(zone);
    g_designs[c] = 0;
  }
  ASSERT_EQ(startDesignJobs(model.workerSync(), model.circuits(), kSteps), 2u);

  // Read whatever layout is idle until each zone was seen laid a few times.
  int seen[2] = {0, 0};
  const auto deadline = std::chrono::steady_clock::now() + jobs_test::kDeadline;
  while ((seen[0] < 3 || seen[1] < 3) && std::chrono::steady_clock::now() < deadline) {
    for (int c = 0; c < 2; ++c) {
      const CFHZoneDesign::IdleAccess access(*designs[c]);
      const CFHCircuitLayout* layout = access.layoutIfIdle();
      if (layout == nullptr) continue;
      EXPECT_EQ(layout->outcome, LayoutOutcome::kLaid);
      EXPECT_FALSE(layout->levels.empty() || layout->edges.empty());
      ++seen[c];
    }
    std::this_thread::yield();
  }
  EXPECT_GE(seen[0], 3);
  EXPECT_GE(seen[1], 3);

  // The selected sides are the dialog's, not a design input: no job stops.
  EXPECT_TRUE(designs[1]->setSelectedEdgeIds({1, 2}));
  EXPECT_TRUE(model.circuits()[0]->isWorkerRunning() && model.circuits()[1]->isWorkerRunning());
  // A design input of zone 1 stops circuit 1's job first; circuit 2 goes on.
  designs[0]->setSpacing(150.0);
  EXPECT_FALSE(model.circuits()[0]->isWorkerRunning());
  EXPECT_EQ(designs[0]->spacing(), 150.0);
  EXPECT_TRUE(model.circuits()[1]->isWorkerRunning());
  const int before = g_designs[1];
  EXPECT_TRUE(jobs_test::eventually([&] { return g_designs[1] > before; })) << "circuit 2 designs on";
  model.stopDesignJobs();
  EXPECT_FALSE(model.circuits()[1]->isWorkerRunning());
  model.workerSync().joinWaiters();
}

}  // namespace
