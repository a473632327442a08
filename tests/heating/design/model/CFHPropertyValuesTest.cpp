// The pages' fields over the selected zones, and their small queries.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModelQueries.h"
#include "heating/design/model/CFHPropertyValues.h"

#include "heating/curves/VariantValue.h"

#include "resources/ModuleStrings.h"

#include "platform/win/Utf8.h"

#include "ZoneDesignTestSupport.h"

#include <cstdio>
#include <string>

namespace {

using Texts = std::vector<std::string>;

// The values as the pages would show them: integers and doubles by %g, texts.
Texts shownValues(const CFHModel& model, int id) {
  CFHPropertyValueList values;
  const bool any = model.collectPropertyValues(id, values);
  EXPECT_EQ(any, !values.empty()) << id;
  Texts texts;
  for (const VARIANT& v : values.values()) {
    char buffer[64];
    if (v.vt == VT_BSTR) {
      texts.push_back(hvWideToUtf8(std::u16string_view(v.bstrVal, SysStringLen(v.bstrVal))));
      continue;
    }
    std::snprintf(buffer, sizeof buffer, "%g", v.vt == VT_I4 ? static_cast<double>(v.lVal) : v.dblVal);
    texts.emplace_back(buffer);
  }
  return texts;
}

// Zones 1 and 2 in circuit 1, zone 3 without circuit; zone 2 differs from
// zone 1 within the fields' tolerances, zone 3 beyond them and has no
// results.
struct ThreeZones {
  ThreeZones() {
    for (std::uint32_t n = 1; n <= 3; ++n) zones.push_back(model.addZone(n));
    CFHCircuit* circuit = model.addCircuit(1);
    circuit->addZone(zones[0]);
    circuit->addZone(zones[1]);
    circuit->calc.pipeMaterial = u"PE-X";
    circuit->calc.maxLoopLength = 120;
    circuit->calc.maxPressure = 10;
    circuit->calc.checkMaxPressure = 0;
    for (CFHZoneEntry* zone : zones) {
      CFHZoneCalc& c = zone->calc;
      c.areaFromHeatLoss = 1;
      c.floorStructureAction = u"A";
      c.floorStructureMark = u"M1";
      c.area = 10, c.reducedArea = 8, c.perimeter = 12, c.spns = 0.5, c.spnn = 0.25;
      c.lossQc = 1000, c.ti = 20, c.tp = 25, c.pipeDiameter = 0.017, c.pipePitch = 0.2, c.tpFixed = 1;
      c.loopLength = 50, c.connectionLength = 2, c.borderR = valueOf(0.02);
      const double results[CFHZoneCalc::kResultCount] = {1,   2,    30,     500, 9,     100, 50, 60, 70, 450, 500,
                                                         23.75, 22.75, 3.227, 40,  0.5, 1.5, 27, 0.1, 5, 10};
      for (int r = 0; r < CFHZoneCalc::kResultCount; ++r) c.results[static_cast<std::size_t>(r)] = valueOf(results[r]);
    }
    zones[0]->heatingBody = std::make_unique<CFHHeatingBody>();
    zones[0]->heatingBody->output = 100;
    CFHZoneCalc& two = zones[1]->calc;
    two.floorStructureMark = u"M2", two.ti = 20.05, two.lossQc = 1000.5, two.c += 0.5, two.loopLength = 30;
    CFHZoneCalc& three = zones[2]->calc;
    three.placement = 2, three.areaFromHeatLoss = 0, three.floorStructureAction = u"B", three.area = 20;
    three.reducedArea = 16, three.perimeter = 20, three.lossQc = 1200, three.ti = 20.2, three.pipeDiameter = 0.02;
    three.borderFixed = 1, three.loopLength = 40, three.connectionLength = 3, three.borderR = emptyValue();
    for (VARIANT& result : three.results) result = emptyValue();
  }
  CFHModel model;
  std::vector<CFHZoneEntry*> zones;
};

TEST(PropertyValues, EveryFieldOverThreeZones) {
  ThreeZones t;
  const std::vector<std::pair<int, Texts>> rows = {
      {0, {"0", "2"}},        {1, {"1", "0"}},          {2, {"A", "B"}},           {3, {"M1", "M2"}},
      {4, {"PE-X"}},          {5, {"40"}},              {6, {"0.5"}},              {7, {"0.25"}},
      {8, {"32"}},            {9, {"44"}},              {10, {"1000", "1200"}},    {11, {"20", "20.2"}},
      {12, {"25"}},           {13, {"0.017", "0.02"}},  {14, {"0.2"}},             {15, {}},
      {16, {}},               {17, {"15"}},             {18, {"12"}},              {19, {"8"}},
      {20, {"1.2"}},          {21, {"4176"}},           {22, {"1.11"}},            {23, {"4"}},
      {24, {"1", "0"}},       {25, {"2", "0"}},         {26, {"0", "1"}},          {27, {"0.02", "0"}},
      {28, {"30", "0"}},      {29, {"1000"}},           {30, {"18"}},              {31, {"100", "0"}},
      {32, {"100"}},          {33, {"60", "0"}},        {34, {"70", "0"}},         {35, {"900"}},
      {36, {"1000"}},         {37, {"23.75", "0"}},     {38, {"22.75", "0"}},      {39, {"6.454"}},
      {40, {"80"}},           {41, {"0.5", "0"}},       {42, {"120"}},             {43, {"5"}},
      {44, {"1.5", "0"}},     {45, {"122"}},            {46, {"120"}},             {47, {"27", "0"}},
      {48, {"0.1", "0"}},     {49, {"5", "0"}},         {50, {"10", "0"}},         {51, {"0.5", "0"}},
      {52, {"0.6", "0.49975", "0"}}, {53, {"600", "500", "0"}}, {54, {"0"}},        {55, {"10"}},
      {56, {"38"}},           {57, {"30"}},             {58, {"1"}},               {59, {}},
      {-1, {}},
  };
  for (const auto& [id, expected] : rows) EXPECT_EQ(shownValues(t.model, id), expected) << "id " << id;
}

TEST(PropertyValues, TheSelectionDecides) {
  ThreeZones t;
  t.model.selectedZones = {t.zones[0], t.zones[1]};
  EXPECT_EQ(shownValues(t.model, 11), Texts{"20"});       // 20.0 and 20.05: one value
  EXPECT_EQ(shownValues(t.model, 45), Texts{"82"});       // LP of circuit 1 once
  t.model.selectedZones = {t.zones[2]};
  EXPECT_EQ(shownValues(t.model, 4), Texts{});            // no circuit, no material
  EXPECT_EQ(shownValues(t.model, 46), Texts{});
  EXPECT_EQ(shownValues(t.model, 45), Texts{"40"});
  // Two zones without circuit: each adds its LP.
  t.zones[1]->circuit = nullptr;
  t.model.circuits()[0]->removeZone(t.zones[1]);
  t.model.selectedZones = {t.zones[1], t.zones[2]};
  EXPECT_EQ(shownValues(t.model, 43), Texts{"5"});
  EXPECT_EQ(shownValues(t.model, 4), Texts{});
}

// Zones 1 to 4 as the preview picks them: their sides selected and given
// border widths.
class PageQueries : public zone_design_test::DesignTest {
 protected:
  PageQueries() {
    for (std::uint32_t n = 1; n <= 4; ++n)
      zones.push_back(zone_design_test::addZone(model, n, zone_fixture::z1Rectangle()));
  }
  // The zone's first `count` sides selected, with these widths.
  void sides(int zone, const std::vector<double>& widths) {
    CFHZoneEntry& z = *zones[static_cast<std::size_t>(zone)];
    std::vector<std::uint64_t> keys;
    for (std::size_t i = 0; i < widths.size(); ++i) {
      CFHBoundLoopItem& side = *z.design()->boundary()->asDrawnLoop.item(static_cast<int>(i));
      side.value = widths[i];
      keys.push_back(z.design()->edgeKey(static_cast<std::uint32_t>(side.id)));
    }
    z.design()->selectEdgesByKeys(keys);
  }
  CFHModel model;
  std::vector<CFHZoneEntry*> zones;
};

TEST_F(PageQueries, CombinedBorderState) {
  // A zone's state: 0 one width, 1 several, 2 no side selected, 3 no width.
  const std::vector<double> perState[4] = {{0.2}, {0.2, 0.3}, {}, {-1.0}};
  const struct {
    std::vector<int> states;
    int combined;
  } rows[] = {{{}, 2}, {{0, 0}, 0}, {{0, 1}, 1}, {{0, 3}, 3}, {{2, 2}, 2}, {{0, 2}, 1}, {{3, 1}, 3}};
  for (const auto& row : rows) {
    model.selectedZones.clear();
    for (std::size_t i = 0; i < row.states.size(); ++i) {
      sides(static_cast<int>(i), perState[row.states[i]]);
      model.selectedZones.push_back(zones[i]);
    }
    std::vector<double> widths;
    EXPECT_EQ(model.combinedZoneState(widths), row.combined);
    if (row.states == std::vector<int>{0, 1}) {
      EXPECT_EQ(widths, (std::vector<double>{0.2, 0.3}));
    }
  }
}

TEST_F(PageQueries, LayoutValueOfTheSelectedZones) {
  std::vector<double> values;
  EXPECT_EQ(model.selectedZonesValueList(values), -2.0);
  const struct {
    double a, b;
    std::uint32_t flagA, flagB;
    double answer;
    std::vector<double> values;
  } rows[] = {{5, 5, 1, 1, 5, {5}}, {5, 6, 1, 1, -1, {5, 6}}, {5, 5, 1, 0, -1, {5}}, {5, 5, 0, 0, -2, {5}}};
  model.selectedZones = {zones[0], zones[1]};
  for (const auto& row : rows) {
    zones[0]->design()->setLayoutValue(row.a);
    zones[1]->design()->setLayoutValue(row.b);
    zones[0]->design()->setLayoutFlag(row.flagA);
    zones[1]->design()->setLayoutFlag(row.flagB);
    EXPECT_EQ(model.selectedZonesValueList(values), row.answer);
    EXPECT_EQ(values, row.values);
  }
}

TEST_F(PageQueries, SmallQueries) {
  hvRegisterModuleStrings();
  EXPECT_EQ(model.firstSelectedZoneCircuitShape(), zones[0]->design()->circuitShape());
  zones[0]->design()->setDisplayType(2);
  zones[1]->design()->setCircuitShape(0);
  CFHCircuit* second = model.addCircuit(5);
  CFHCircuit* first = model.addCircuit(2);
  second->addZone(zones[1]);
  first->addZone(zones[2]);
  first->addZone(zones[3]);
  EXPECT_EQ(model.firstZoneDisplayType(), 2u);
  EXPECT_EQ(model.sortedCircuits(), (std::vector<CFHCircuit*>{first, second}));
  EXPECT_EQ(model.allSelectionKeys(), (std::vector<std::uint64_t>{1000000, 2000000, 3000000, 4000000, 5, 2}));

  model.selectedZones = {zones[3], zones[1], zones[2]};
  model.selectionKeys = {4000000, 2};
  EXPECT_EQ(model.firstSelectedZone(), zones[3]);
  EXPECT_EQ(model.firstSelectedZoneCircuitShape(), zones[3]->design()->circuitShape());
  EXPECT_EQ(model.circuitsOfSelectedZones(), (std::vector<CFHCircuit*>{first, second}));
  EXPECT_TRUE(model.selectionHasCircuitOfZone());
  EXPECT_TRUE(model.selectionHasOtherKey(2, {2, 4000000}));
  EXPECT_FALSE(model.selectionHasOtherKey(2, {2, 3000000}));
  EXPECT_FALSE(model.resolveJoinSelection());  // three zones (the pairs: DialogPageStepsTest)

  EXPECT_TRUE(lastItemEquals(model.selectedZones, zones[2]) && !lastItemEquals(model.selectedZones, zones[1]));
  EXPECT_EQ(indexOfPointer(model.selectedZones, zones[2]), 2u);
  EXPECT_EQ(indexOfPointer(model.selectedZones, zones[0]), 3u);

  // P is held in kPa.
  zones[1]->calc.results[CFHZoneCalc::kP] = valueOf(3.227);
  model.pressureUnit = 0;
  EXPECT_DOUBLE_EQ(zones[1]->pressureLossForDisplay(), 3227.0);
  EXPECT_EQ(pressureUnitText(model), CString(u"Pa"));
  model.pressureUnit = 1;
  EXPECT_DOUBLE_EQ(zones[1]->pressureLossForDisplay(), 3.227);
  EXPECT_EQ(pressureUnitText(model), CString(u"KPa"));
  EXPECT_EQ(zones[0]->pressureLossForDisplay(), 0.0);

  std::vector<double> lengths{200, 50};
  scaleValueList(lengths, 1000, true);
  EXPECT_EQ(lengths, (std::vector<double>{0.2, 0.05}));
  scaleValueList(lengths, 0, false);
  EXPECT_EQ(lengths, (std::vector<double>{0.2, 0.05}));
  int index = 4;
  int calls = 0;
  EXPECT_FALSE(setIndexIfValid([&] { return ++calls, -1; }, index));
  EXPECT_TRUE(setIndexIfValid([&] { return ++calls, 0; }, index));
  EXPECT_TRUE(index == 0 && calls == 2);
}

}  // namespace
