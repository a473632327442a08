// The model's small queries: label positions in all four bands, measured or
// not; the totals of a 3-zone, 2-circuit model against hand sums; labels,
// floor types and the lookups by number.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModelQueries.h"

#include "resources/ModuleStrings.h"

#include "CircuitTestSupport.h"

namespace {

using circuit_test::CircuitTest;
using P = XtGePoint2d;
using R = CFHZoneCalc::Result;

TEST_F(CircuitTest, LabelStandsBesideItsConnectionInEachBand) {
  CFHModel model;
  CFHCircuit& circuit = *model.addCircuit(1);
  const P cases[][2] = {{{100, 0}, {12.5, 5}},   {{0, 100}, {0, 11.5}},    {{-100, 0}, {-12.5, 5}},
                        {{0, -100}, {0, -1}},    {{100, -1}, {12.499875, 4.975001}},
                        {{-100, -100}, {-11.767767, 3.232233}}};
  for (const auto& [second, want] : cases) {
    circuit.connectionPoints[1] = second;
    EXPECT_TRUE(circuit.labelPosition(10.0, 20.0).isEqualTo(want, XtGeTol(1e-6, 1e-6))) << second.x << "," << second.y;
  }
  // Measured by the host at the height in millimetres (20 at u = 500): 0.6 of
  // the height per character, brought back into drawing units.
  HostExport2D host{};
  setHostWord<131>(host, [](const char16_t* text, const char16_t*, double height, double factor, double* width,
                            double*) { *width = 0.6 * height * factor * std::char_traits<char16_t>::length(text); });
  drawingUnitFactor = 500.0;
  model.loadSettings(nullptr);
  drawingUnitFactor = 1000.0;
  double width = 0.0;
  const P at = circuit.labelPosition(10.0, CFHLabelMeasure{&host, u"12", u"Standard", 0.75}, width);
  EXPECT_NEAR(width, 9.0, 1e-12);
  EXPECT_TRUE(at.isEqualTo(circuit.labelPosition(10.0, 9.0), XtGeTol(1e-12, 1e-12)));
  circuit.labelPosition(10.0, CFHLabelMeasure{nullptr, u"12", u"Standard", 0.75}, width);
  EXPECT_EQ(width, 0.0) << "no host, no width";
}

TEST_F(CircuitTest, TotalsMatchHandSums) {
  CFHModel model;
  CFHCircuit* circuits[] = {model.addCircuit(1), model.addCircuit(2), model.addCircuit(3)};  // 3 without zones
  const struct {
    int circuit;  // -1: none
    double lh, lp, qpc, s, mhp, p;
  } zones[] = {{0, 60, 4, 1000, 10, 120, 3.5}, {0, 0, 4, 500, 5, 60, 1.5}, {1, 30, 7, 800, 8, 90, 2.0},
               {-1, 5, 0, 100, NAN, 9, 9}};
  for (const auto& z : zones) {
    CFHZoneEntry* zone = model.addZone(static_cast<std::uint32_t>(&z - zones + 1));
    if (z.circuit >= 0) circuits[z.circuit]->addZone(zone);
    std::tie(zone->calc.loopLength, zone->calc.connectionLength) = std::tie(z.lh, z.lp);
    zone->calc.results[R::kQPC] = valueOf(z.qpc);
    zone->calc.results[R::kS] = valueOf(z.s);  // NaN: empty, adds nothing
    zone->calc.results[R::kMHP] = valueOf(z.mhp);
    zone->calc.results[R::kP] = valueOf(z.p);
  }
  model.zoneByNumber(2)->heatingBody = std::make_unique<CFHHeatingBody>();
  model.zoneByNumber(2)->heatingBody->output = 250.0;
  const CFHZoneTotals totals = sumZoneVariantValues(model);
  EXPECT_DOUBLE_EQ(totals.length.dblVal, 60 + 0 + 30 + 5 + 4 + 7);
  EXPECT_DOUBLE_EQ(totals.output.dblVal, 1000 + 500 + 250 + 800 + 100);
  EXPECT_DOUBLE_EQ(totals.area.dblVal, 10 + 5 + 8);
  EXPECT_DOUBLE_EQ(circuits[0]->totalLength(), 60 + 0 + 4);
  const CFHCircuitTotals results = sumCircuitResults(model);
  EXPECT_TRUE(results.flow.dblVal == 120 + 90 && results.pressureLoss.dblVal == 3.5 + 2.0);
  EXPECT_EQ(results.maxPressureLoss, 3.5) << "first zones only";
  model.zoneByNumber(1)->calc.results[R::kP] = emptyValue();
  EXPECT_EQ(sumCircuitResults(model).maxPressureLoss, 2.0);
  // A circuit an edit left as drawn counts as drawn.
  model.keptAsDrawn.zones.addConnection(2.5);
  model.keptAsDrawn.circuits.addCircuit(valueOf(30), valueOf(4.25));
  EXPECT_DOUBLE_EQ(sumZoneVariantValues(model).length.dblVal, 106 + 2.5);
  EXPECT_TRUE(sumCircuitResults(model).flow.dblVal == 240 && sumCircuitResults(model).maxPressureLoss == 4.25);
  CFHModel empty;
  EXPECT_TRUE(sumCircuitResults(empty).maxPressureLoss == 0.0 && sumZoneVariantValues(empty).area.dblVal == 0.0);
  EXPECT_TRUE(model.circuitByNumber(2) == circuits[1] && model.circuitByNumber(9) == nullptr);
  EXPECT_TRUE(model.zoneByNumber(3) == model.zones()[2].get() && model.zoneByNumber(0) == nullptr);
}

TEST_F(CircuitTest, ZoneLabelsAndFloorTypes) {
  hvRegisterModuleStrings();
  CFHModel model;
  CFHZoneEntry& zone = *model.addZone(3);
  EXPECT_TRUE(formatZoneLabel(zone) == u"RZ.3" && formatZoneLabel(zone, true) == u"RZ.3") << "no body: plain";
  zone.heatingBody = std::make_unique<CFHHeatingBody>();
  zone.heatingBody->number = 7;
  EXPECT_EQ(formatZoneLabel(zone, true), CString(u"RZ.7"));
  model.pipeNetwork().mark.Empty();
  EXPECT_TRUE(formatZoneLabel(zone) == u"3" && formatZoneLabel(zone, true) == u"7");
  EXPECT_EQ(floorTypeText(0), CString(u"Nepodsklepená podlaha (přízemí)"));
  EXPECT_EQ(floorTypeText(1), CString(u"Podsklepená podlaha (vytápěná místnost)"));
  EXPECT_EQ(floorTypeText(2), CString(u"Nepodsklepená podlaha (suterén)"));
  EXPECT_TRUE(floorTypeText(3).IsEmpty());
}

}  // namespace
