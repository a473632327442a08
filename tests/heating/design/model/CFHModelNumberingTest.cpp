// Numbers and order of circuits, zones and heating bodies; the circuit's zone
// list and design spacing; the stable sort of the routing.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/curves/CFloorHeatingLine.h"

#include <gtest/gtest.h>

namespace {

template <typename List>
std::vector<std::uint32_t> numbersOf(const List& list) {
  std::vector<std::uint32_t> numbers;
  for (const auto& item : list) numbers.push_back(item->number);
  return numbers;
}

// Zones 1..4 and circuits 1..3 (circuit 1: zones 3 and 1, circuit 2: zone 4,
// circuit 3: none); zones 1 and 4 have a heating body.
struct Model {
  Model() {
    for (std::uint32_t n = 1; n <= 4; ++n) zones.push_back(model.addZone(n));
    for (std::uint32_t n = 1; n <= 3; ++n) circuits.push_back(model.addCircuit(n));
    circuits[0]->addZone(zones[2]);
    circuits[0]->addZone(zones[0]);
    circuits[1]->addZone(zones[3]);
    zones[0]->heatingBody = std::make_unique<CFHHeatingBody>();
    zones[3]->heatingBody = std::make_unique<CFHHeatingBody>();
  }
  CFHModel model;
  std::vector<CFHZoneEntry*> zones;
  std::vector<CFHCircuit*> circuits;
};

using Numbers = std::vector<std::uint32_t>;

TEST(ModelNumbering, CircuitsZonesAndHeatingBodies) {
  Model m;
  CFHPipeNetwork& network = m.model.pipeNetwork();
  network.firstCircuitNumber = 11;
  network.firstZoneNumber = 5;
  network.autoNumberCircuits = network.autoNumberZones = 0;
  m.model.renumberCircuits();
  m.model.renumberZones();
  EXPECT_EQ(numbersOf(m.model.circuits()), (Numbers{1, 2, 3}));
  EXPECT_EQ(numbersOf(m.model.zones()), (Numbers{1, 2, 3, 4}));
  network.autoNumberCircuits = network.autoNumberZones = 1;
  m.model.renumberCircuits();
  m.model.renumberZones();
  EXPECT_EQ(numbersOf(m.model.circuits()), (Numbers{11, 12, 13}));
  EXPECT_EQ(numbersOf(m.model.zones()), (Numbers{5, 6, 7, 8}));
  // Bodies after the highest circuit number, circuit by circuit.
  EXPECT_TRUE(m.zones[0]->heatingBody->number == 14u && m.zones[3]->heatingBody->number == 15u);
  // A start outside the circuit numbers (a damaged manifold record) moves in:
  // no circuit takes a zone's selection key.
  for (const auto& [start, numbers] : {std::pair{-5, Numbers{1, 2, 3}}, {999998, Numbers{999997, 999998, 999999}}}) {
    network.firstCircuitNumber = start;
    m.model.renumberCircuits();
    EXPECT_EQ(numbersOf(m.model.circuits()), numbers) << start;
  }

  // Circuits 1, 2, 3 again and zone 2 numbered 2: circuit 1's first zone
  // (7) takes 1; circuit 2's (8) takes 2 and zone 2 takes its 8.
  for (std::uint32_t i = 0; i < 3; ++i) m.circuits[i]->number = i + 1;
  m.zones[1]->number = 2;
  m.model.numberZonesByCircuits();
  EXPECT_EQ(numbersOf(m.model.zones()), (Numbers{5, 8, 1, 2}));

  m.model.selectCircuitByNumber(2);
  m.model.selectCircuitByNumber(9);
  EXPECT_EQ(m.model.currentCircuit, m.circuits[1]);
}

TEST(ModelNumbering, SortsKeepTheOrderOfEqualNumbers) {
  Model m;
  for (const auto& [zone, number] : {std::pair{0, 3u}, {1, 1u}, {2, 3u}, {3, 1u}}) m.zones[zone]->number = number;
  m.model.sortZonesByNumber();
  const std::vector<CFHZoneEntry*> zones{m.zones[1], m.zones[3], m.zones[0], m.zones[2]};
  for (std::size_t i = 0; i < zones.size(); ++i) EXPECT_EQ(m.model.zones()[i].get(), zones[i]);
  for (const auto& [circuit, number] : {std::pair{0, 2u}, {1, 2u}, {2, 1u}}) m.circuits[circuit]->number = number;
  m.model.sortCircuitsByNumber();
  EXPECT_TRUE(m.model.circuits()[1].get() == m.circuits[0] && m.model.circuits()[2].get() == m.circuits[1]);

  CFloorHeatingLine a({0, 0}, {1, 0}, nullptr, 1), b({0, 1}, {1, 1}, nullptr, 1), c({0, 2}, {1, 2}, nullptr, 1);
  std::vector<CFloorHeatingCurve*> pipes{&a, &b, &c};
  std::vector<double> distances{200, 100, 200};
  std::vector<XtGePoint2d> points{{1, 1}, {2, 2}, {3, 3}};
  sortPointsByDistance(pipes, distances, points);
  EXPECT_EQ(pipes, (std::vector<CFloorHeatingCurve*>{&b, &a, &c}));
  EXPECT_EQ(points, (std::vector<XtGePoint2d>{{2, 2}, {1, 1}, {3, 3}}));
}

TEST(ModelNumbering, CircuitZoneListAndDesignSpacing) {
  Model m;
  m.zones[2]->calc.setPipePitch(0.15);
  m.circuits[0]->prepareDesignSpacing();
  EXPECT_TRUE(m.zones[2]->design()->spacing() == 150.0 && m.zones[0]->design()->spacing() == 200.0);
  m.circuits[0]->popLastZone();
  m.circuits[2]->popLastZone();  // no zones: nothing
  EXPECT_EQ(m.circuits[0]->zones(), std::vector<CFHZoneEntry*>{m.zones[2]});
  EXPECT_TRUE(m.zones[0]->circuit == nullptr && m.circuits[2]->zones().empty());
}

}  // namespace
