// The calculation a design is drawn with, over real meander jobs: every
// layout ends up made at the R × u its zone's calculation holds, within the
// bound; a fixed border width restarts nothing.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/jobs/OutdatedLayouts.h"

#include "heating/layout/record/CFHCircuitSegment.h"

#include "tests/heating/design/CircuitTestSupport.h"

#include <atomic>
#include <string>

namespace {

using circuit_test::CircuitTest;

std::atomic<bool> g_changeLambda{false};
std::atomic<int> g_starts{0};

// Before each job (command's thread): λ may change, and with it M and a free R.
const CFHDesignSteps kSteps{
    [](CFHCircuit& circuit) {
      ++g_starts;
      for (CFHZoneEntry* zone : circuit.zones())
        if (g_changeLambda) zone->calc.setLvr(zone->calc.lvr + 0.1);
    },
    [](CFHCircuit&, CFHZoneEntry&) {}, [](CFHZoneEntry& zone) { circuit_test::layZone(zone); },
    [](CFHCircuit& circuit) { circuit.buildPath(); }};

// The first offset and the pipe length of the zone's laid layout.
std::pair<double, double> laid(const CFHZoneEntry& zone) {
  const CFHZoneDesign::IdleAccess access(*zone.design());
  const CFHCircuitLayout* layout = access.layoutIfIdle();
  if (layout == nullptr || layout->outcome != LayoutOutcome::kLaid) return {0.0, 0.0};
  double length = 0.0;
  for (const CFHCircuitSegment* segment : layout->segments) length += segment->curve->length();
  return {layout->firstOffset, length};
}

TEST_F(CircuitTest, TheDrawnCalculationLaysEveryZoneAtItsBorderWidth) {
  const struct {
    const char* name;
    bool fixedBorder, changeLambda;
    int rounds, starts;  // of the first confirmation
    int roundsAgain;     // of a second one without a change
  } cases[] = {{"free border", false, false, 1, 2, 0},
               {"fixed border", true, false, 0, 0, 0},
               {"R changes at every start", false, true, kMaxRedesignRounds, 2 * kMaxRedesignRounds, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CFHModel model;
    for (std::uint32_t n = 1; n <= 2; ++n) {  // one 4 x 3 m room per circuit, fed from below
      const double x = 10000.0 * n;
      CFHZoneEntry* zone = model.addZone(n);
      model.addCircuit(n)->addZone(zone);
      circuit_test::giveBoundary(*zone, zone_fixture::polygon("room", {{x, 0}, {x + 4000, 0}, {x + 4000, 3000},
                                                                      {x, 3000}}));
      zone->design()->setPipeEnd1(XtGePoint2d(x + 2100, 0));
      zone->design()->setPipeEnd2(XtGePoint2d(x + 1900, 0));
      circuit_test::chooseMeander(*zone, XtGePoint2d(x + 2000, 0));
      if (c.fixedBorder) zone->calc.setBorderFixed(1), zone->calc.setBorderR(0.05);
    }
    ASSERT_EQ(startDesignJobs(model.workerSync(), model.circuits(), kSteps), 2u);
    g_changeLambda = c.changeLambda;
    g_starts = 0;
    testing::internal::CaptureStderr();
    EXPECT_EQ(calculateForDrawing(model, kSteps), c.rounds);
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("after 3 redesigns") != std::string::npos, c.changeLambda);
    EXPECT_EQ(g_starts, c.starts);
    std::vector<std::pair<double, double>> first;
    for (const auto& zone : model.zones()) first.push_back(laid(*zone));

    // The next confirmation lays out what the bound left outdated, and
    // nothing else: the same pipes.
    g_changeLambda = false;
    EXPECT_EQ(calculateForDrawing(model, kSteps), c.roundsAgain);
    for (std::size_t i = 0; i < model.zones().size(); ++i) {
      const double r = model.zones()[i]->calc.borderR.dblVal;
      EXPECT_EQ(r == 0.05, c.fixedBorder) << r;
      EXPECT_NEAR(laid(*model.zones()[i]).first, r * 1000.0, 1e-6);
      EXPECT_GT(laid(*model.zones()[i]).second, 40000.0) << "a laid meander";
      EXPECT_EQ(laid(*model.zones()[i]) == first[i], c.roundsAgain == 0);
    }
  }
}

}  // namespace
