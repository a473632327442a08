// Reading a drawn design back, record by record, in work coordinates around
// the manifold outline (0,0)-(600,100): values that are no numbers, the
// grouping of the zones, the order of a circuit's two zones, and the short
// middle segments of a route. Whole
// drawn designs, their keys and damaged ones: readback_test.py.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/readback/CFHCircuitReadBack.h"
#include "heating/design/drawing/CFHDrawingInOut.h"
#include "heating/design/readback/RecordTagValues.h"

#include "host/ResbufBuilder.h"

#include "ZoneDesignTestSupport.h"

#include <algorithm>
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
    io.clear();
    model.pipeNetwork().outlineSource = {{0, 0}, {600, 0}, {600, 100}, {0, 100}};
    model.pipeNetwork().distributorOutline();
  }
  ~ReadBack() override { io.clear(); }
  // A zone read from a boundary record of the room.
  CFHZoneEntry& zone(std::uint32_t number, const Points& room = kRoom) {
    CFHZoneEntry& entry = *model.addZone(number);
    boundaries.push_back(record(u"TPV2000-0001", {}, room));
    EXPECT_TRUE(IO::readZoneFields(entry, boundaries.back().get(), nullptr));
    return entry;
  }
  IO& io = IO::instance();
  CFHModel model;
  IO::RecordList boundaries;
};

TEST_F(ReadBack, ValuesThatAreNoFiniteNumbersReadZero) {
  // Points are stored relative to the manifold: a damaged coordinate must not
  // put a body or a connection point at infinity.
  const XtGePoint2d reference(1000, 500);
  model.pipeNetwork().referencePoint = reference;
  const struct {
    const char16_t* text;
    double real;
    XtGeVector2d local;
  } cases[] = {
      {u"12.5abc", 12.5, {0, 0}},         {u"1e999", 0.0, {0, 0}},
      {u"nan", 0.0, {0, 0}},              {u"(1.50|-2.25|0.00)", 0.0, {1.5, -2.25}},
      {u"(nan|1e999|0.00)", 0.0, {0, 0}}, {u"(-inf|4.00|0.00)", 0.0, {0, 4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    const IO::RecordPtr label = record(u"TPV1001-0001", {{u"V", c.text}});
    EXPECT_EQ(tagReal(*label, u"V"), c.real);
    const std::optional<XtGePoint2d> point = tagLocalPoint(*label, u"V", model.pipeNetwork());
    ASSERT_TRUE(point.has_value());
    EXPECT_TRUE(point->isEqualTo(reference + c.local)) << point->x << ", " << point->y;
  }
}

// The value of a key of a built record chain; "<missing>" without it.
std::u16string valueIn(const resbuf* chain, std::u16string_view key) {
  for (const resbuf* node = chain; node != nullptr && node->next != nullptr; node = node->next)
    if (node->code == 1000 && node->value.str != nullptr && key == node->value.str) return node->next->value.str;
  return u"<missing>";
}

TEST_F(ReadBack, AZoneWithoutACircuitComesBackAsTheDesignDrewIt) {
  // Results the var rules wrote empty ("0") stay empty; written ones stay valid.
  const IO::RecordPtr values = record(u"TPV1000-0001", {{u"E", u"0"}, {u"Z", u"0.000"}, {u"V", u"12.5"}});
  EXPECT_EQ(tagValue(*values, u"E")->vt, VT_EMPTY);
  EXPECT_TRUE(tagValue(*values, u"Z")->vt == VT_R8 && tagValue(*values, u"Z")->dblVal == 0.0);
  EXPECT_EQ(tagValue(*values, u"V")->dblVal, 12.5);
  EXPECT_FALSE(tagValue(*values, u"missing").has_value());

  // The design never calculates a zone no circuit reaches: its results are
  // empty, its areas and lengths 0. A label an older edit damaged gives it a
  // loop (SP / l) it never had; the edit's recalculation takes it away.
  const Keys drawn = {{u"_PT_ZONA_CISLO", u"2"},        {u"_PT_ZONA_C_OKRUHU", u"-1"}, {u"_PT_ZONA_SP", u"0.000"},
                      {u"_PT_ZONA_OP", u"0.000"},       {u"_PT_ZONA_L_ROZTEC", u"0.200"}, {u"_PT_ZONA_TM", u"0"},
                      {u"_PT_ZONA_LA", u"0"},           {u"_PT_ZONA_M", u"0"},         {u"_PT_ZONA_QPC", u"0"},
                      {u"_PT_ZONA_SCELK", u"0"},        {u"_PT_ZONA_L_DELKA", u"29.008"},
                      {u"_PT_ZONA_LH_DELKA", u"29.008"}, {u"_PT_ZONA_LP_DELKA", u"0.000"}};
  CFHZoneEntry& bare = *model.addZone(2);
  boundaries.push_back(record(u"TPV2000-0001", {{u"_PT_ZONA_CISLO", u"2"}}, kRoom));
  const IO::RecordPtr label = record(u"TPV1000-0001", drawn);
  ASSERT_TRUE(IO::readZoneFields(bare, boundaries.back().get(), label.get()));
  model.recalculateZones();
  const ownedChain written = bare.buildLabelData(model.pipeNetwork());
  const std::pair<std::u16string_view, std::u16string_view> wanted[] = {
      {u"_PT_ZONA_SP", u"0.000"},       {u"_PT_ZONA_TM", u"0"},         {u"_PT_ZONA_LA", u"0"},
      {u"_PT_ZONA_M", u"0"},            {u"_PT_ZONA_QPC", u"0"},        {u"_PT_ZONA_SCELK", u"0"},
      {u"_PT_ZONA_L_DELKA", u"0.000"},  {u"_PT_ZONA_LH_DELKA", u"0.000"}, {u"_PT_ZONA_LP_DELKA", u"0.000"},
      {u"_PT_ZONA_PERCENT_T", u"0"},    {u"_PT_ZONA_PERCENT_Q", u"0"},  {u"PRCD", u"0.000"},
      {u"PRCP", u"0.000"}};
  for (const auto& [key, value] : wanted)
    EXPECT_EQ(valueIn(written.get(), key), value) << std::string(key.begin(), key.end());
  EXPECT_GT(bare.calc.area, 11.9) << "the gross area still follows the outline";
}

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

// Zone 3 lies above zone 5 beyond a wall 200 thick: the supply runs into
// zone 5, through the wall into zone 3 and ends on its wall, where the
// return begins. The zones come in ascending numbers, as the edit groups
// them, and the circuit reads them in the order the water flows (zone 5
// first, although the dialog numbered it above the zone joined to it),
// with the supply drawn from the manifold as the output draws it and drawn
// the other way round.
class FlowReadBack : public ReadBack, public testing::WithParamInterface<bool> {};

TEST_P(FlowReadBack, TwoZonesFollowTheFlowWhateverTheirNumbers) {
  CFHZoneEntry& three = zone(3, {{0, 3200}, {4000, 3200}, {4000, 5000}, {0, 5000}, {0, 3200}});
  CFHZoneEntry& five = zone(5, {{0, 1000}, {4000, 1000}, {4000, 3000}, {0, 3000}, {0, 1000}});
  CFHCircuit& circuit = *model.addCircuit(4);
  circuit.addZone(&three);
  circuit.addZone(&five);
  Points drawn = {{250, 100}, {250, 2700}, {1800, 2700}, {1800, 3400}, {2200, 3400}, {2200, 3200}};
  if (GetParam()) std::reverse(drawn.begin(), drawn.end());
  const IO::RecordPtr supply = record(u"TP80000-0001", {}, drawn);
  const IO::RecordPtr returns = record(u"TP90000-0001", {}, {{2200, 3200}, {2200, 2600}, {350, 2600}, {350, 100}});
  ASSERT_TRUE(readCircuitFields(circuit, nullptr, supply.get(), returns.get()));
  EXPECT_EQ(circuit.zones(), (std::vector<CFHZoneEntry*>{&five, &three}));
  EXPECT_TRUE(three.design()->linkPoint().isEqualTo({2000, 3200}, workTol));
}

INSTANTIATE_TEST_SUITE_P(SupplyDrawnEitherWay, FlowReadBack, testing::Bool());

// Zone 2 lies above zone 1 beyond a wall 200 thick. The supply runs into
// zone 2 at x 1800 (A) and ends on its wall at x 2200 (B), where the return
// begins: B is a crossing of both sides. The wall of zone 1 leans by the
// parameter, as noise does, so that A or B lies nearer it by a tenth of it:
// the link point is the middle of A and B either way (it was B itself with
// B nearer, and the link moved 100 mm from one unchanged edit to the next).
class JoinedReadBack : public ReadBack, public testing::WithParamInterface<double> {};

TEST_P(JoinedReadBack, TheLinkLiesBetweenTheTwoWaysThroughTheWallWhateverTheNoise) {
  const double lean = GetParam();
  CFHZoneEntry& first = zone(1, {{0, 1000}, {4000, 1000}, {4000, 3000}, {0, 3000 + lean}, {0, 1000}});
  CFHZoneEntry& second = zone(2, {{0, 3200}, {4000, 3200}, {4000, 5000}, {0, 5000}, {0, 3200}});
  CFHCircuit& circuit = *model.addCircuit(1);
  circuit.addZone(&first);
  circuit.addZone(&second);
  const IO::RecordPtr supply =
      record(u"TP80000-0001", {}, {{250, 100}, {250, 2700}, {1800, 2700}, {1800, 3400}, {2200, 3400}, {2200, 3200}});
  const IO::RecordPtr returns = record(u"TP90000-0001", {}, {{2200, 3200}, {2200, 2600}, {350, 2600}, {350, 100}});
  ASSERT_TRUE(readCircuitFields(circuit, nullptr, supply.get(), returns.get()));
  const XtGePoint2d link = second.design()->linkPoint();
  EXPECT_TRUE(link.isEqualTo({2000, 3200}, workTol)) << link.x << ", " << link.y;
}

INSTANTIATE_TEST_SUITE_P(WallLeaning, JoinedReadBack, testing::Values(1e-9, -1e-9));

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
