// Reading a drawn design back, record by record, in work coordinates around
// the manifold outline (0,0)-(600,100): the grouping of the zones, the zone
// label's rules, the heating body, the circuit's keys and zone order, and the
// short middle segments of a route. Whole drawn designs: readback_test.py.
#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHCircuitReadBack.h"
#include "heating/design/CFHDrawingInOut.h"

#include "host/ResbufBuilder.h"

#include "resources/ModuleStrings.h"

#include "ZoneDesignTestSupport.h"

#include <array>
#include <string>
#include <vector>

namespace {

using IO = CFHDrawingInOut;
using Keys = std::vector<std::pair<std::u16string, std::u16string>>;
using Points = std::vector<XtGePoint2d>;

std::u16string text(int n) {
  const std::string s = std::to_string(n);
  return {s.begin(), s.end()};
}

// A record of an MTEXT (no points) or an LWPOLYLINE through the points, with
// the heating record `id` and its keys.
IO::RecordPtr record(const char16_t* id, const Keys& keys, const Points& points = {}) {
  std::vector<ResbufPair> pairs;
  if (points.empty()) pairs = {{0, u"MTEXT"}, {10, std::array<double, 3>{}}, {40, 1.0}, {1, u"T"}};
  else pairs = {{0, u"LWPOLYLINE"}, {90, static_cast<int>(points.size())}, {70, 0}};
  for (const XtGePoint2d& p : points) pairs.push_back({10, std::array<double, 3>{p.x, p.y, 0.0}});
  pairs.insert(pairs.end(), {{1001, u"QEV_DATA"}, {1000, id}});
  for (const auto& [key, value] : keys) pairs.insert(pairs.end(), {{1000, key}, {1000, value}});
  const ownedChain list(buildResbufList(pairs));
  IO::RecordPtr made = IO::createRecord(points.empty() ? u"MTEXT" : u"LWPOLYLINE", list.get());
  EXPECT_TRUE(made && made->valid());
  return made;
}

const Points kRoom = {{0, 1000}, {4000, 1000}, {4000, 4000}, {0, 4000}, {0, 1000}};

class ReadBack : public zone_design_test::DesignTest {
 protected:
  ReadBack() {
    hvRegisterModuleStrings();
    io.clear();
    model.pipeNetwork().outlineSource = {{0, 0}, {600, 0}, {600, 100}, {0, 100}};
    model.pipeNetwork().distributorOutline();
  }
  ~ReadBack() override { io.clear(); }
  // A zone read from a boundary record of the room and a label with the keys.
  CFHZoneEntry& zone(std::uint32_t number, const Keys& label, const Points& room = kRoom) {
    CFHZoneEntry& entry = *model.addZone(number);
    boundaries.push_back(record(u"TPV2000-0001", {}, room));
    labels.push_back(record(u"TPV1000-0001", label));
    EXPECT_TRUE(IO::readZoneFields(entry, boundaries.back().get(), labels.back().get()));
    return entry;
  }
  IO& io = IO::instance();
  CFHModel model;
  IO::RecordList boundaries, labels;
};

TEST_F(ReadBack, ZonesAreGroupedByTheCircuitOfTheirLastLabel) {
  const struct {
    std::vector<std::pair<const char16_t*, const char16_t*>> labels;  // zone, circuit (null: no key)
    std::vector<int> boundaries;
    bool grouped;
    std::vector<std::pair<int, std::vector<int>>> groups;
  } cases[] = {
      // Zone 1 has no boundary and is left out although it is the first.
      {{{u"4", u"1"}, {u"1", u"2"}, {u"3", u"1"}, {u"2", nullptr}}, {2, 3, 4}, true, {{-1, {2}}, {1, {3, 4}}}},
      {{{u"2", nullptr}}, {2}, false, {{-1, {2}}}},
      // Zone 0 of circuit 0; a later label moves zone 5; a negative zone is none.
      {{{u"0", u"0"}, {u"5", u"0"}, {u"5", u"-7"}, {u"-2", u"3"}}, {0, 5, -2}, true, {{0, {0}}, {-1, {5}}}},
  };
  for (const auto& c : cases) {
    io.clear();
    for (const auto& [zone, circuit] : c.labels)
      io.fileRecord(record(u"TPV1000-0001", circuit ? Keys{{u"_PT_ZONA_CISLO", zone}, {u"_PT_ZONA_C_OKRUHU", circuit}}
                                                    : Keys{{u"_PT_ZONA_CISLO", zone}}));
    for (const int zone : c.boundaries) io.fileRecord(record(u"TPV2000-0001", {{u"_PT_ZONA_CISLO", text(zone)}}, kRoom));
    std::vector<CFHZoneGroup> groups;
    EXPECT_EQ(io.groupZonesByCircuit(groups), c.grouped);
    ASSERT_EQ(groups.size(), c.groups.size());
    for (std::size_t i = 0; i < groups.size(); ++i) {
      EXPECT_EQ(groups[i].circuitNumber, c.groups[i].first);
      EXPECT_EQ(groups[i].zoneNumbers, c.groups[i].second);
    }
  }
}

TEST_F(ReadBack, TheZoneLabelsRules) {
  // S with the whole area: SP goes with it, 0 when absent; an older label's
  // SP is S. OP absent: 0. Lengths are stored, the valid flag stays.
  CFHZoneEntry& whole = zone(1, {{u"_PT_ZONA_SCELK", u"12.5"}, {u"_PT_ZONA_LH_DELKA", u"40.5"},
                                 {u"_PT_ZONA_X_UNKNOWN", u"1"}, {u"_PT_X_MD_DID", u"3"}});
  EXPECT_EQ(whole.calc.results[CFHZoneCalc::kS].dblVal, 12.5);
  EXPECT_EQ(whole.calc.reducedArea, 0.0);
  EXPECT_EQ(whole.calc.loopLength, 40.5);
  EXPECT_EQ(whole.word, 1u);
  CFHZoneEntry& older = *model.addZone(2);
  older.calc.reducedArea = 3.0;
  older.calc.perimeter = 5.0;
  older.note = u"kept";
  boundaries.push_back(record(u"TPV2000-0001", {}, kRoom));
  labels.push_back(record(u"TPV1000-0001", {{u"_PT_ZONA_SP", u"7"}, {u"_PT_ZONA_M", u"x"}}));
  ASSERT_TRUE(IO::readZoneFields(older, boundaries.back().get(), labels.back().get()));
  EXPECT_EQ(older.calc.results[CFHZoneCalc::kS].dblVal, 7.0);
  EXPECT_EQ(older.calc.reducedArea, 3.0);
  EXPECT_EQ(older.calc.perimeter, 0.0);
  EXPECT_EQ(older.note, CString(u"kept"));
  EXPECT_EQ(older.calc.results[CFHZoneCalc::kM].vt, VT_R8);  // "x" reads 0, a valid result
  // Placement: the three texts without case; another leaves it.
  const std::pair<const char16_t*, std::uint32_t> placements[] = {
      {u"podsklepená podlaha (vytápěná místnost)", 1}, {u"NEPODSKLEPENÁ PODLAHA (PŘÍZEMÍ)", 0},
      {u"Nepodsklepená podlaha (suterén)", 2}, {u"Sklep", 1}};
  std::uint32_t number = 10;
  for (const auto& [placement, index] : placements) {
    CFHZoneEntry& z = *model.addZone(++number);
    z.calc.placement = 1;
    boundaries.push_back(record(u"TPV2000-0001", {}, kRoom));
    labels.push_back(record(u"TPV1000-0001", {{u"_PT_ZONA_PODL_UMISTENI", placement}}));
    ASSERT_TRUE(IO::readZoneFields(z, boundaries.back().get(), labels.back().get()));
    EXPECT_EQ(z.calc.placement, index);
  }
  // No boundary, or a boundary that is no polyline: no zone.
  EXPECT_FALSE(IO::readZoneFields(*model.addZone(30), nullptr, labels.back().get()));
  EXPECT_FALSE(IO::readZoneFields(*model.addZone(31), labels.back().get(), nullptr));
}

TEST_F(ReadBack, AHeatingBodyKeepsWhatItsRecordsLack) {
  model.pipeNetwork().referencePoint = XtGePoint2d(100, 50);
  CFHZoneEntry& z = zone(1, {});
  const IO::RecordPtr body = record(u"TPV1001-0001", {{u"_PT_ZONA_C_OKRUHU", u"4"}, {u"_PT_ZONA_QTP", u"812"},
                                                      {u"_PT_ZONA_X_ADD_PINS", u"(10.00|20.00|0.00)"},
                                                      {u"_PT_ZONA_X_ADD_PNUM", u"no point"}});
  const IO::RecordPtr number = record(u"TPV1001-0003", {});
  EXPECT_FALSE(z.readHeatingBodyData(nullptr, number.get()));
  EXPECT_EQ(z.heatingBody, nullptr);
  ASSERT_TRUE(z.readHeatingBodyData(body.get(), number.get()));
  const CFHHeatingBody& b = *z.heatingBody;
  EXPECT_EQ(b.number, 4u);
  EXPECT_EQ(b.output, 812.0);
  EXPECT_TRUE(b.insertionPoint.isEqualTo({110, 70}));
  EXPECT_TRUE(b.connectionPoint.isEqualTo({100, 50}));  // no "(": the manifold's point
  EXPECT_EQ(b.numberRecord, number.get());
  const IO::RecordPtr bare = record(u"TPV1001-0001", {});
  ASSERT_TRUE(z.readHeatingBodyData(bare.get(), nullptr));
  EXPECT_EQ(b.number, 4u);
}

// The drawn sides of one circuit into the room: the supply from the
// manifold at x 350, the return back at x 250.
struct Sides {
  IO::RecordPtr supply, returns;
  explicit Sides(const Keys& keys, double depth = 1500) {
    supply = record(u"TP80000-0001", keys, {{350, 100}, {350, 1000}, {350, depth}});
    returns = record(u"TP90000-0001", keys, {{250, depth}, {250, 1000}, {250, 100}});
  }
};

TEST_F(ReadBack, ACircuitsKeysAndItsRoute) {
  CFHZoneEntry& room = zone(1, {{u"_PT_ZONA_POTR_MATERIAL", u"PE-Xa"}});
  CFHCircuit& circuit = *model.addCircuit(0);
  circuit.addZone(&room);
  const double t1 = circuit.calc.t1;
  const Sides sides({{u"_PT_CISLO_OKRUHU", u"3"}, {u"_PT_X_CD_MHP", u"1"}, {u"_PT_X_IN_T1", u"50"},
                     {u"_PT_X_CD_DINS1", u"(1.00|2.00|0.00)"}});
  ASSERT_TRUE(readCircuitFields(circuit, nullptr, sides.supply.get(), sides.returns.get()));
  EXPECT_EQ(circuit.number, 3u);
  EXPECT_EQ(static_cast<std::int32_t>(circuit.colourIndex), -1);  // no "_PT_X_CD_CBC"
  EXPECT_NEAR(room.calc.results[CFHZoneCalc::kMHP].dblVal, 60.0, 1e-9);
  EXPECT_EQ(circuit.calc.t1, t1);  // "_PT_X_OUT_T2" nowhere: neither changes
  EXPECT_EQ(circuit.calc.pipeMaterial, CString(u"PE-Xa"));  // the zone label's
  EXPECT_TRUE(circuit.connectionPoints[0].isEqualTo({1, 2}));
  EXPECT_TRUE(circuit.connectionPoints[1].isEqualTo({0, 0}));  // absent: the origin
  // The pitch as drawn, the route into the network, the pipe ends as drawn.
  const CFHPipeNetwork& network = model.pipeNetwork();
  EXPECT_NEAR(network.pipePitch, 100.0, 1e-9);
  ASSERT_EQ(network.pipeCurves().size(), 1u);
  EXPECT_EQ(circuit.centreLine, network.pipeCurves().front());
  EXPECT_TRUE(room.design()->pipeEnd(0)->point.isEqualTo({350, 1000}, workTol));
  EXPECT_TRUE(room.design()->pipeEnd(1)->point.isEqualTo({250, 1000}, workTol));
  EXPECT_TRUE(room.crossings().points.empty());
}

TEST_F(ReadBack, TwoZonesFollowTheirNumbers) {
  // The supply reaches zone 5 only: with zone 3 first it crosses no first
  // zone, and nothing of the circuit is left.
  CFHZoneEntry& five = zone(5, {});
  CFHZoneEntry& three = zone(3, {}, {{0, 4000}, {4000, 4000}, {4000, 6000}, {0, 6000}, {0, 4000}});
  CFHCircuit& circuit = *model.addCircuit(0);
  circuit.addZone(&five);
  circuit.addZone(&three);
  const Sides sides(Keys{{u"_PT_CISLO_OKRUHU", u"1"}});
  EXPECT_FALSE(readCircuitFields(circuit, nullptr, sides.supply.get(), sides.returns.get()));
  EXPECT_EQ(circuit.zones(), (std::vector<CFHZoneEntry*>{&three, &five}));
  EXPECT_EQ(five.circuit, nullptr);
  EXPECT_EQ(three.circuit, nullptr);
  EXPECT_TRUE(model.pipeNetwork().pipeCurves().empty());
  EXPECT_EQ(circuit.supplyPipe(), nullptr);
}

TEST_F(ReadBack, ShortMiddleSegmentsGiveTheirCornerBack) {
  // d = 50: a right-angle corner at (1000, 1000) cut by a diagonal of 60
  // (legs 42.4) is restored; one of 80 (legs 56.6) stays; two segments stay.
  const struct {
    Points vertices;
    Points after;
  } cases[] = {
      {{{1000, 0}, {1000, 957.6}, {1042.4, 1000}, {2000, 1000}}, {{1000, 0}, {1000, 1000}, {2000, 1000}}},
      {{{1000, 0}, {1000, 943.4}, {1056.6, 1000}, {2000, 1000}}, {{1000, 0}, {1000, 943.4}, {1056.6, 1000}, {2000, 1000}}},
      {{{1000, 0}, {1000, 1000}, {2000, 1000}}, {{1000, 0}, {1000, 1000}, {2000, 1000}}},
  };
  for (const auto& c : cases) {
    std::vector<CFloorHeatingCurve*> lines;
    std::vector<std::unique_ptr<CFloorHeatingLine>> owned;
    for (std::size_t i = 0; i + 1 < c.vertices.size(); ++i)
      lines.push_back(owned.emplace_back(std::make_unique<CFloorHeatingLine>(c.vertices[i], c.vertices[i + 1], nullptr, 1)).get());
    CFloorHeatingPolyLine route(0x11);
    route.setFromCurves(lines);
    removeShortMiddleSegments(route, 50.0);
    ASSERT_EQ(route.vertices().length(), static_cast<int>(c.after.size()));
    for (std::size_t i = 0; i < c.after.size(); ++i)
      EXPECT_TRUE(route.vertices()[static_cast<int>(i)].isEqualTo(c.after[i], workTol));
  }
}

}  // namespace
