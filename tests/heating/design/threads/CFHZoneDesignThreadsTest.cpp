// Zone designs on two circuit threads at once, while the test thread reads
// their layouts through the idle access and a setter stops one of the jobs.
#include "heating/design/CFHCircuit.h"

#include "platform/win/Threads.h"

#include "tests/heating/design/ZoneDesignTestSupport.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Designs its circuit's zones again and again until the circuit asks it to
// stop (checked before each zone).
struct DesignJob {
  CFHCircuit* circuit = nullptr;
  std::atomic<int> designs{0};
  std::atomic<bool> ended{false};
};

DWORD runDesignJob(LPVOID parameter) {
  auto* job = static_cast<DesignJob*>(parameter);
  for (int round = 0; round < 100000 && !job->circuit->stopRequested(); ++round) {
    for (CFHZoneEntry* zone : job->circuit->zones()) {
      if (job->circuit->stopRequested()) break;
      zone->design()->design();
      ++job->designs;
    }
  }
  job->ended = true;
  return 0;
}

void startJob(DesignJob& job, CFHCircuit& circuit) {
  job.circuit = &circuit;
  HANDLE thread = CreateThread(nullptr, 0, runDesignJob, &job, CREATE_SUSPENDED, nullptr);
  ASSERT_NE(thread, nullptr);
  circuit.setWorker(thread);
  ResumeThread(thread);
}

class ZoneDesignThreads : public zone_design_test::DesignTest {};

TEST_F(ZoneDesignThreads, TwoCircuitsDesignWhileLayoutsAreReadAndOneJobIsStopped) {
  CFHModel model;
  CFHCircuit* circuits[2] = {model.addCircuit(1), model.addCircuit(2)};
  const zone_fixture::Zone outlines[2] = {zone_fixture::z1Rectangle(), zone_fixture::z2L()};
  for (int c = 0; c < 2; ++c) {
    CFHZoneEntry* zone = zone_design_test::addZone(model, c + 1, outlines[c]);
    CFHZoneDesign& design = *zone->design();
    design.setCircuitShape(0);
    design.setMeanderBaseId(zone_design_test::sideIdNear(design, {1000, 0}));
    design.setPipeEnd1({2100, 0});
    design.setPipeEnd2({1900, 0});
    circuits[c]->addZone(zone);
  }
  DesignJob jobs[2];
  for (int c = 0; c < 2; ++c) startJob(jobs[c], *circuits[c]);

  // Read whatever layout is idle until each zone was seen laid a few times.
  int seen[2] = {0, 0};
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while ((seen[0] < 3 || seen[1] < 3) && std::chrono::steady_clock::now() < deadline) {
    for (int c = 0; c < 2; ++c) {
      const CFHZoneDesign::IdleAccess access(*circuits[c]->zones().front()->design());
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

  // A design input of zone 1 stops circuit 1's job first; circuit 2 goes on.
  circuits[0]->zones().front()->design()->setSpacing(150.0);
  EXPECT_TRUE(jobs[0].ended);
  EXPECT_FALSE(circuits[0]->isWorkerRunning());
  EXPECT_EQ(circuits[0]->zones().front()->design()->spacing(), 150.0);
  const int before = jobs[1].designs;
  while (jobs[1].designs == before && !jobs[1].ended && std::chrono::steady_clock::now() < deadline)
    std::this_thread::yield();
  EXPECT_GT(jobs[1].designs, before);
  model.stopDesignJobs();
  EXPECT_TRUE(jobs[1].ended);
}

}  // namespace
