// The model's small queries: label positions in all four bands, the totals
// on a 3-zone, 2-circuit model against hand sums, labels, floor types and the
// lookups by number.
#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHModelQueries.h"

#include "resources/ModuleStrings.h"

#include "CircuitTestSupport.h"

#include <cmath>

namespace {

using circuit_test::CircuitTest;
using R = CFHZoneCalc::Result;

TEST_F(CircuitTest, LabelStandsBesideItsConnectionInEachBand) {
  CFHModel model;
  CFHCircuit& circuit = *model.addCircuit(1);
  const struct {
    XtGePoint2d second;
    XtGePoint2d want;
  } cases[] = {{{100, 0}, {12.5, 5}}, {{0, 100}, {0, 11.5}}, {{-100, 0}, {-12.5, 5}}, {{0, -100}, {0, -1}},
               {{100, -1}, {12.499875, 4.975001}}, {{-100, -100}, {-11.767767, 3.232233}}};
  for (const auto& c : cases) {
    circuit.connectionPoints[1] = c.second;
    const XtGePoint2d p = circuit.labelPosition(10.0, 20.0);
    EXPECT_TRUE(p.isEqualTo(c.want, XtGeTol(1e-6, 1e-6))) << c.second.x << "," << c.second.y << ": " << p.x << ","
                                                          << p.y;
  }

  // Measured by the host at the height in millimetres (0.5 of a drawing
  // unit here): 0.6 of the height per character, scaled back.
  HostExport2D host{};
  setHostWord<131>(host, [](const char16_t* text, const char16_t*, double height, double factor, double* width,
                            double* heightOut) {
    *width = 0.6 * height * factor * static_cast<double>(std::char_traits<char16_t>::length(text));
    *heightOut = height;
  });
  drawingUnitFactor = 500.0;
  model.loadSettings(nullptr);
  drawingUnitFactor = 1000.0;
  ASSERT_EQ(model.unitFactor(), 500.0);
  circuit.connectionPoints[1] = XtGePoint2d(100, 0);
  double width = 0.0;
  const XtGePoint2d p = circuit.labelPosition(10.0, CFHLabelMeasure{&host, u"12", u"Standard", 0.75}, width);
  EXPECT_NEAR(width, 9.0, 1e-12);
  EXPECT_TRUE(p.isEqualTo(circuit.labelPosition(10.0, 9.0), XtGeTol(1e-12, 1e-12)));
  circuit.labelPosition(10.0, CFHLabelMeasure{nullptr, u"12", u"Standard", 0.75}, width);
  EXPECT_EQ(width, 0.0) << "no host, no width";
}

TEST_F(CircuitTest, TotalsMatchHandSums) {
  CFHModel model;
  CFHZoneEntry* zones[] = {model.addZone(1), model.addZone(2), model.addZone(3), model.addZone(4)};
  CFHCircuit* one = model.addCircuit(1);
  CFHCircuit* two = model.addCircuit(2);
  model.addCircuit(3);  // without zones
  one->addZone(zones[0]);
  one->addZone(zones[1]);
  two->addZone(zones[2]);  // zone 4 has no circuit
  const struct {
    double lh, lp, qpc, s, mhp, p;
  } values[] = {{60, 4, 1000, 10, 120, 3.5}, {0, 4, 500, 5, 60, 1.5}, {30, 7, 800, 8, 90, 2.0}, {5, 0, 100, 1, 9, 9}};
  for (int i = 0; i < 4; ++i) {
    CFHZoneCalc& calc = zones[i]->calc;
    calc.loopLength = values[i].lh;
    calc.connectionLength = values[i].lp;
    calc.results[R::kQPC] = valueOf(values[i].qpc);
    calc.results[R::kS] = valueOf(values[i].s);
    calc.results[R::kMHP] = valueOf(values[i].mhp);
    calc.results[R::kP] = valueOf(values[i].p);
  }
  zones[1]->heatingBody = std::make_unique<CFHHeatingBody>();
  zones[1]->heatingBody->output = 250.0;
  zones[3]->calc.results[R::kS] = valueOf(std::numeric_limits<double>::quiet_NaN());  // empty: adds nothing

  const CFHZoneTotals zoneTotals = sumZoneVariantValues(model);
  EXPECT_DOUBLE_EQ(zoneTotals.length.dblVal, 60 + 0 + 30 + 5 + 4 + 7);
  EXPECT_DOUBLE_EQ(zoneTotals.output.dblVal, 1000 + 500 + 250 + 800 + 100);
  EXPECT_DOUBLE_EQ(zoneTotals.area.dblVal, 10 + 5 + 8);
  EXPECT_DOUBLE_EQ(one->totalLength(), 60 + 0 + 4);

  const CFHCircuitTotals circuitTotals = sumCircuitResults(model);
  EXPECT_DOUBLE_EQ(circuitTotals.flow.dblVal, 120 + 90);
  EXPECT_DOUBLE_EQ(circuitTotals.pressureLoss.dblVal, 3.5 + 2.0);
  EXPECT_DOUBLE_EQ(circuitTotals.maxPressureLoss, 3.5) << "first zones only";
  zones[0]->calc.results[R::kP] = emptyValue();
  EXPECT_DOUBLE_EQ(sumCircuitResults(model).maxPressureLoss, 2.0);

  CFHModel empty;
  EXPECT_EQ(sumCircuitResults(empty).maxPressureLoss, 0.0);
  EXPECT_DOUBLE_EQ(sumZoneVariantValues(empty).area.dblVal, 0.0);

  EXPECT_EQ(model.circuitByNumber(2), two);
  EXPECT_EQ(model.circuitByNumber(9), nullptr);
  EXPECT_EQ(model.zoneByNumber(3), zones[2]);
  EXPECT_EQ(model.zoneByNumber(0), nullptr);
}

TEST_F(CircuitTest, ZoneLabelsAndFloorTypes) {
  hvRegisterModuleStrings();
  CFHModel model;
  CFHZoneEntry& zone = *model.addZone(3);
  EXPECT_EQ(formatZoneLabel(zone), CString(u"RZ.3"));
  EXPECT_EQ(formatZoneLabel(zone, true), CString(u"RZ.3")) << "no heating body: the plain form";
  zone.heatingBody = std::make_unique<CFHHeatingBody>();
  zone.heatingBody->number = 7;
  EXPECT_EQ(formatZoneLabel(zone, true), CString(u"RZ.7"));
  model.pipeNetwork().mark.Empty();
  EXPECT_EQ(formatZoneLabel(zone), CString(u"3"));
  EXPECT_EQ(formatZoneLabel(zone, true), CString(u"7"));

  EXPECT_EQ(floorTypeText(0), CString(u"Nepodsklepená podlaha (přízemí)"));
  EXPECT_EQ(floorTypeText(1), CString(u"Podsklepená podlaha (vytápěná místnost)"));
  EXPECT_EQ(floorTypeText(2), CString(u"Nepodsklepená podlaha (suterén)"));
  EXPECT_TRUE(floorTypeText(3).IsEmpty());
}

}  // namespace
