// The soundness of laid pipes on the zone design's own layouts: zones of the
// layout tests' zone set, as meanders and as double spirals in every display
// type, laid as the design job lays them and walked into their circuit
// path, are sound; the
// same path with a run laid across it, or pushed out of the zone, or with a
// pipe thicker than its spacing, names its zone, and in a circuit of two
// zones only the zone where it happens; a zone whose layout reports a
// crossing is named whatever its path.
#include "heating/design/jobs/LaidPipeSoundness.h"

#include "heating/design/model/CFHCircuit.h"

#include "heating/layout/record/CFHCircuitSegment.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "tests/heating/layout/ZoneSet.h"

#include "CircuitTestSupport.h"

#include <cmath>
#include <string>

namespace {

using circuit_test::CircuitTest;
using P = XtGePoint2d;

// A rectangle, a semicircular end and an L, turned, far from the origin.
std::vector<zone_set::ZoneCase> zoneCases() {
  std::vector<zone_set::ZoneCase> cases;
  cases.push_back(zone_set::z1());
  cases.push_back(zone_set::z6b());
  cases.push_back(zone_set::moved(zone_set::clockwise(zone_set::z2()), 1e6));
  return cases;
}

// The zones of one circuit, laid out as the job lays them, and its path.
struct LaidCircuit {
  LaidCircuit(const zone_set::ZoneCase& c, std::uint32_t shape, std::uint32_t displayType = 0) {
    CFHZoneEntry* zone = addZone(c.zone, c.basePoint, shape);
    zone->design()->setDisplayType(displayType);
    zone->design()->setSpacing(c.spacing);
    zone->design()->setPipeEnd1(c.startEnd);
    zone->design()->setPipeEnd2(c.endEnd);
    zone->design()->design();
    circuit->buildPath();
  }
  // The rectangle (0,0)-(4000,3000) and the room above it, (0,3150)-
  // (4000,6150), linked through the wall between them: meanders.
  LaidCircuit() {
    addZone(zone_fixture::z1Rectangle(), {2000, 0}, CFHCircuitLayout::kMeander);
    addZone(zone_fixture::polygon("above", {{0, 3150}, {4000, 3150}, {4000, 6150}, {0, 6150}}), {2000, 3150},
            CFHCircuitLayout::kMeander);
    CFHZoneDesign& first = *circuit->zones()[0]->design();
    first.setPipeEnd1({2100, 0});
    first.setPipeEnd2({1900, 0});
    first.design();
    CFHZoneDesign& second = *circuit->zones()[1]->design();
    second.setLinkPoint({2000, 3075});
    EXPECT_TRUE(circuit->linkToPreviousZone(circuit->zones()[1]));
    second.design();
    circuit->buildPath();
  }
  CFHZoneEntry* addZone(const zone_fixture::Zone& outline, const P& basePoint, std::uint32_t shape) {
    CFHZoneEntry* zone = model.addZone(static_cast<std::uint32_t>(circuit->zones().size() + 1));
    circuit->addZone(zone);
    circuit_test::giveBoundary(*zone, outline);
    zone->calc.pipeDiameter = 0.017;
    zone->calc.borderR = valueOf(0.1);
    circuit_test::chooseMeander(*zone, basePoint);
    zone->design()->setCircuitShape(shape);
    return zone;
  }
  CFHZoneDesign& first() const { return *circuit->zones().front()->design(); }
  bool laid() const {
    const CFHZoneDesign::IdleAccess access(first());
    const CFHCircuitLayout* full = first().displayType() <= 1 ? access.layoutIfIdle() : access.secondLayoutIfIdle();
    return full != nullptr && full->firstEdge != nullptr && !full->segments.empty();
  }
  // A run from a to b added to the path, laid in the zone at `position`.
  void addRun(const P& a, const P& b, std::uint32_t position = 0) {
    const CFHZoneDesign::BusyScope busy(first());
    auto* segment = new CFHCircuitSegment(nullptr, nullptr, std::make_unique<CFloorHeatingLine>(a, b, nullptr, 3), 0);
    segment->zonePosition = position;
    (first().displayType() <= 1 ? busy.mainLayout() : busy.secondLayout())->segments.push_back(segment);
  }
  std::vector<std::uint32_t> named() const {
    std::vector<std::uint32_t> numbers;
    for (const CFHZoneEntry* zone : zonesWithUnsoundPipe(model)) numbers.push_back(zone->number);
    return numbers;
  }

  CFHModel model;
  CFHCircuit* circuit = model.addCircuit(1);
};

using Numbers = std::vector<std::uint32_t>;

TEST_F(CircuitTest, LaidZonesOfTheZoneSetAreSound) {
  int laid = 0;
  for (const zone_set::ZoneCase& c : zoneCases()) {
    for (const std::uint32_t shape : {CFHCircuitLayout::kMeander, CFHCircuitLayout::kSpiral}) {
      for (const std::uint32_t display : {0u, 1u, 2u}) {
        SCOPED_TRACE(c.zone.name + (shape == CFHCircuitLayout::kMeander ? " meander" : " spiral") + " display " +
                     std::to_string(display));
        const LaidCircuit circuit(c, shape, display);
        if (!circuit.laid()) continue;
        ++laid;
        EXPECT_EQ(circuit.named(), Numbers{});
      }
    }
  }
  EXPECT_EQ(laid, 3 * 3 * 2);
}

TEST_F(CircuitTest, CrossingsAndRunsOutsideNameTheirZone) {
  for (const std::uint32_t shape : {CFHCircuitLayout::kMeander, CFHCircuitLayout::kSpiral}) {
    SCOPED_TRACE(shape);
    LaidCircuit across(zone_set::z1(), shape, shape == CFHCircuitLayout::kMeander ? 0 : 2);
    // Across the whole room, inside it.
    across.addRun({50, 1500}, {3950, 1500});
    EXPECT_EQ(across.named(), Numbers{1});
    LaidCircuit outside(zone_set::z1(), shape);
    // 5 mm beyond the top wall, clear of every other run.
    outside.addRun({1000, 3005}, {3000, 3005});
    EXPECT_EQ(outside.named(), Numbers{1});
  }
}

TEST_F(CircuitTest, PipeThickerThanItsSpacingNamesItsZone) {
  for (const double diameter : {0.25, 0.0, std::nan(""), -1.0}) {
    SCOPED_TRACE(diameter);
    LaidCircuit circuit(zone_set::z1(), CFHCircuitLayout::kMeander);
    circuit.circuit->zones()[0]->calc.pipeDiameter = diameter;
    // 250 mm does not fit a spacing of 200; the others count as 17 mm.
    EXPECT_EQ(circuit.named(), diameter == 0.25 ? Numbers{1} : Numbers{});
  }
}

TEST_F(CircuitTest, OnlyTheZoneWhereItHappensIsNamed) {
  LaidCircuit linked;
  ASSERT_TRUE(linked.laid());
  EXPECT_EQ(linked.named(), Numbers{});
  LaidCircuit second;
  // Across the upper room, laid in it.
  second.addRun({50, 4650}, {3950, 4650}, 1);
  EXPECT_EQ(second.named(), Numbers{2});
}

TEST_F(CircuitTest, LayoutThatReportsACrossingIsNamed) {
  LaidCircuit circuit(zone_set::z1(), CFHCircuitLayout::kSpiral);
  ASSERT_TRUE(circuit.laid());
  {
    const CFHZoneDesign::BusyScope busy(circuit.first());
    busy.mainLayout()->outcome = LayoutOutcome::kPathsCross;
  }
  EXPECT_EQ(circuit.named(), Numbers{1});
}

}  // namespace
