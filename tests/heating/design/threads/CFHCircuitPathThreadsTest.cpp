// Design jobs that link, lay out and build the path of two circuits of two
// zones each while the test thread reads the layouts as the dialog does
// (skipping busy zones) and calculates every circuit (which waits for the
// circuit's job).
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/jobs/CFHJobs.h"

#include "heating/layout/record/CFHCircuitSegment.h"

#include "tests/heating/design/CircuitTestSupport.h"

#include <cmath>

namespace {

using circuit_test::CircuitTest;
using P = XtGePoint2d;

const CFHDesignSteps kPathSteps{
    [](CFHCircuit&) {},
    [](CFHCircuit& circuit, CFHZoneEntry& zone) { circuit.linkToPreviousZone(&zone); },
    [](CFHZoneEntry& zone) { circuit_test::layZone(zone); },
    [](CFHCircuit& circuit) { circuit.buildPath(); },
};

TEST_F(CircuitTest, CalculationWaitsForTheJobsWhileReadersSkipBusyZones) {
  CFHModel model;
  for (int c = 0; c < 2; ++c) {
    const double x = 10000.0 * c;
    CFHCircuit* circuit = model.addCircuit(static_cast<std::uint32_t>(c + 1));
    for (int i = 0; i < 2; ++i) {
      CFHZoneEntry* zone = model.addZone(static_cast<std::uint32_t>(2 * c + i + 1));
      circuit->addZone(zone);
      circuit_test::giveBoundary(*zone, zone_fixture::polygon("room", {{x, 3150.0 * i}, {x + 4000, 3150.0 * i},
                                                                      {x + 4000, 3150.0 * i + 3000},
                                                                      {x, 3150.0 * i + 3000}}));
    }
    CFHZoneDesign& first = *circuit->zones()[0]->design();
    first.setPipeEnd1(P(x + 2100, 0));
    first.setPipeEnd2(P(x + 1900, 0));
    circuit->zones()[1]->design()->setLinkPoint(P(x + 2000, 3075));
    circuit_test::chooseMeander(*circuit->zones()[0], P(x + 2000, 0));
    circuit_test::chooseMeander(*circuit->zones()[1], P(x + 2000, 3075));
  }

  ASSERT_EQ(startDesignJobs(model.workerSync(), model.circuits(), kPathSteps), 2u);
  // The dialog's reading: only idle zones, under their access.
  for (int round = 0; round < 200; ++round) {
    for (const auto& zone : model.zones()) {
      const CFHZoneDesign::IdleAccess access(*zone->design());
      if (const CFHCircuitLayout* layout = access.layoutIfIdle()) {
        double length = 0.0;
        for (const CFHCircuitSegment* s : layout->segments) length += s->curve->length();
        EXPECT_TRUE(std::isfinite(length));
      }
    }
  }
  for (const auto& circuit : model.circuits()) {
    circuit->calculate();
    EXPECT_FALSE(circuit->isWorkerRunning());
    const CFHZoneCalc& first = circuit->zones()[0]->calc;
    EXPECT_GT(first.loopLength, 40.0) << "the pipe of both zones";
    EXPECT_TRUE(variantValueIsValid(first.results[CFHZoneCalc::kP]));
    EXPECT_EQ(circuit->zones()[1]->calc.loopLength, 0.0);
  }
  model.stopDesignJobs();
}

}  // namespace
