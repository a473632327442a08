// The dialog pages' operations while the circuits' jobs design their zones:
// picks, numbers, colours and the shown values run beside the jobs; a new
// distribution pipe pitch stops them first.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/jobs/CFHJobs.h"
#include "heating/design/model/CFHPropertyValues.h"

#include "tests/heating/design/ZoneDesignTestSupport.h"
#include "tests/heating/design/threads/JobsUntilStopped.h"

#include "ui/gdi/canvas.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

std::atomic<int> g_designs{0};

// Both jobs run until the new pitch stops them, on any number of cores.
void designUntilStopped(CFHZoneEntry& zone) {
  jobs_test::repeatUntilStopped(zone, [&zone] {
    zone.design()->design();
    ++g_designs;
  });
}
void noCircuitStep(CFHCircuit&) {}
void noLink(CFHCircuit&, CFHZoneEntry&) {}
constexpr CFHDesignSteps kSteps{noCircuitStep, noLink, designUntilStopped, noCircuitStep};

class DialogPagesThreads : public zone_design_test::DesignTest {};

// Two routed circuits, one zone each, and a zone without circuit.
TEST_F(DialogPagesThreads, PagesWorkWhileJobsRunAndANewPitchStopsThem) {
  CFHModel model;
  ASSERT_TRUE(zone_design_test::routeThreeRooms(model));
  CFHPipeNetwork& network = model.pipeNetwork();
  for (const auto& zone : model.zones()) {
    zone->design()->setCircuitShape(0);
    zone->design()->setMeanderBaseId(zone_design_test::sideIdNear(*zone->design(), {0, 1000}));
  }
  ASSERT_EQ(startDesignJobs(model.workerSync(), model.circuits(), kSteps), 2u);

  const std::vector<std::uint64_t> everything = model.allSelectionKeys();
  const auto deadline = std::chrono::steady_clock::now() + jobs_test::kDeadline;
  int rounds = 0;
  for (; (rounds < 20 || g_designs < 6) && std::chrono::steady_clock::now() < deadline; ++rounds) {
    std::vector<std::uint64_t> picked = everything;
    model.updateSelectionFromPicks(picked, rounds % 4, rounds % 2 == 0 ? 0 : 6);
    picked = {model.zones()[rounds % 3]->selectionKey()};
    model.updateSelectionFromPicks(picked, 1, 0);
    model.setCurrentZoneNumber(7);
    model.setCurrentZoneNumber(rounds % 3 + 1);
    model.setCurrentCircuitNumber(9);
    model.setCurrentCircuitNumber(model.currentCircuit ? model.currentCircuit->number : 1);
    auto colours = model.collectCircuitColors();
    colours[1] = static_cast<std::uint32_t>(rounds % 256);
    model.applyCircuitColors(colours);
    CFHPropertyValueList values;
    for (int id = 0; id <= CFHPropertyValueList::kLastId; ++id) model.collectPropertyValues(id, values);
    std::vector<double> widths;
    model.combinedZoneState(widths);
    model.selectedZonesValueList(widths);
    GDI::canvas canvas;
    for (const auto& zone : model.zones()) zone->design()->drawBoundaryEdges(canvas, {}, 1);
    EXPECT_TRUE(model.circuits()[0]->isWorkerRunning() && model.circuits()[1]->isWorkerRunning());
  }
  EXPECT_GE(g_designs, 6);

  ASSERT_TRUE(network.setPipePitch(120));
  for (const auto& circuit : model.circuits()) EXPECT_FALSE(circuit->isWorkerRunning());
  const CFHZoneDesign& first = *model.circuits()[0]->zones().front()->design();
  EXPECT_NEAR(first.pipeEnd(0)->point.distanceTo(first.pipeEnd(1)->point), 120.0, 1e-6);
  ASSERT_EQ(startDesignJobs(model.workerSync(), model.circuits(), kSteps), 2u);
  model.stopDesignJobs();
  model.workerSync().joinWaiters();
}

}  // namespace
