// The change-detecting setters of the calculation records: every numeric
// setter just below and at its threshold, the coupling of ti and tp, the
// border width, the texts.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/calculation/CalcChangeMask.h"

#include "heating/curves/VariantValue.h"

#include "resources/ModuleStrings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

struct NumericSetter {
  const char* name;
  std::function<bool(CFHZoneEntry&, CFHCircuit&, double)> set;
  std::function<double(const CFHZoneEntry&, const CFHCircuit&)> get;
  double threshold;
};

#define ZONE_SETTER(setter, field, step)                                              \
  NumericSetter{#setter, [](CFHZoneEntry& z, CFHCircuit&, double v) { return z.calc.setter(v); }, \
                [](const CFHZoneEntry& z, const CFHCircuit&) { return z.calc.field; }, step}
#define CIRCUIT_SETTER(setter, field, step)                                           \
  NumericSetter{#setter, [](CFHZoneEntry&, CFHCircuit& c, double v) { return c.calc.setter(v); }, \
                [](const CFHZoneEntry&, const CFHCircuit& c) { return c.calc.field; }, step}

const NumericSetter kSetters[] = {
    ZONE_SETTER(setArea, area, 1e-18),          ZONE_SETTER(setReducedArea, reducedArea, 1e-18),
    ZONE_SETTER(setPerimeter, perimeter, 1e-9), ZONE_SETTER(setConnectionLength, connectionLength, 1e-9),
    ZONE_SETTER(setSpns, spns, 1e-18),          ZONE_SETTER(setSpnn, spnn, 1e-18),
    ZONE_SETTER(setLossQc, lossQc, 0.01),       ZONE_SETTER(setTi2, ti2, 0.01),
    ZONE_SETTER(setPipeDiameter, pipeDiameter, 1e-9), ZONE_SETTER(setPipePitch, pipePitch, 1e-9),
    ZONE_SETTER(setAlphaP, alphaP, 0.01),       ZONE_SETTER(setAlphaP2, alphaP2, 0.01),
    ZONE_SETTER(setLvr, lvr, 0.01),             ZONE_SETTER(setC, c, 0.01),
    ZONE_SETTER(setSoilRz, soilRz, 0.01),       ZONE_SETTER(setTz, tz, 0.01),
    CIRCUIT_SETTER(setMaxLoopLength, maxLoopLength, 1e-9), CIRCUIT_SETTER(setMaxPressure, maxPressure, 0.0001),
    CIRCUIT_SETTER(setSupplyTemperature, t1, 0.01), CIRCUIT_SETTER(setReturnTemperature, t2, 0.01),
};

// From a decimal start (4.0, where 4.01 - 4.0 falls just under 0.01 in
// binary; 0 for the areas, whose step is below 4.0's last bit): 0.9
// threshold changes nothing, one threshold changes the value and clears the
// valid flag; values that are not numbers are refused.
TEST(CalcSetters, ChangeFromOneThresholdOnAndRefuseNonFiniteValues) {
  for (const NumericSetter& setter : kSetters) {
    SCOPED_TRACE(setter.name);
    CFHModel model;
    CFHZoneEntry& zone = *model.addZone(1);
    CFHCircuit& circuit = *model.addCircuit(1);
    const double start = setter.threshold < 1e-12 ? 0.0 : 4.0;
    ASSERT_TRUE(setter.set(zone, circuit, start) || setter.get(zone, circuit) == start);
    zone.calc.valid = circuit.calc.valid = 1;
    EXPECT_FALSE(setter.set(zone, circuit, start + 0.9 * setter.threshold));
    EXPECT_FALSE(setter.set(zone, circuit, start));
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity()}) EXPECT_FALSE(setter.set(zone, circuit, bad));
    EXPECT_EQ(setter.get(zone, circuit), start);
    EXPECT_EQ(zone.calc.valid + circuit.calc.valid, 2);
    const double next =
        setter.threshold < 1e-4 ? start + setter.threshold : std::round((start + setter.threshold) * 1e4) / 1e4;
    EXPECT_TRUE(setter.set(zone, circuit, next));
    EXPECT_EQ(setter.get(zone, circuit), next);
    EXPECT_EQ(zone.calc.valid + circuit.calc.valid, 1);
  }
}

TEST(CalcSetters, TiAndTpDragEachOtherAlong) {
  CFHModel model;
  CFHZoneCalc& calc = model.addZone(1)->calc;  // ti 20, tp 22.5, tp fixed 1
  std::uint32_t coupled = 0;
  EXPECT_TRUE(!calc.setTi(20.005, &coupled) && calc.setTi(20.01, &coupled) && coupled == 0);
  EXPECT_TRUE(calc.setTi(24.0, &coupled) && calc.tp == 24.0 && coupled == calc_change::kTpRaisedToTi);
  coupled = 0;
  EXPECT_TRUE(calc.setTp(21.0, &coupled) && calc.ti == 21.0 && coupled == calc_change::kTiLoweredToTp);
  // Without tp fixed a lower tp leaves ti.
  EXPECT_TRUE(calc.setTpFixed(0) && !calc.setTpFixed(0) && calc.setTp(19.0) && calc.ti == 21.0);
}

TEST(CalcSetters, BorderWidthAndTexts) {
  hvRegisterModuleStrings();
  CFHModel model;
  CFHZoneCalc& calc = model.addZone(1)->calc;
  // R: within 1e-9 nothing; an empty value is a change; non-numbers refused.
  EXPECT_FALSE(calc.setBorderR(0.02 + 0.5e-9));
  EXPECT_TRUE(calc.setBorderR(emptyValue()) && !calc.setBorderR(emptyValue()) && calc.setBorderR(0.025));
  EXPECT_FALSE(calc.setBorderR(std::nan("")));
  EXPECT_TRUE(variantValueNear(calc.borderR, 0.025, 1e-15));

  // The placement texts without case, Czech letters too.
  calc.valid = 1;
  EXPECT_TRUE(calc.setPlacementFromText(u"PODSKLEPENÁ PODLAHA (VYTÁPĚNÁ MÍSTNOST)") && calc.placement == 1);
  EXPECT_TRUE(calc.setPlacementFromText(u"nepodsklepená podlaha (suterén)") && calc.placement == 2);
  EXPECT_FALSE(calc.setPlacementFromText(u"Nepodsklepená podlaha (suterén)") || calc.setPlacementFromText(u"Sklep"));
  EXPECT_EQ(calc.valid, 0);

  // The floor structure: the same texts in another case only when forced.
  EXPECT_TRUE(calc.setFloorStructure(u"A1", u"Anhydrit", false));
  calc.valid = 1;
  EXPECT_TRUE(!calc.setFloorStructure(u"a1", u"ANHYDRIT", false) && calc.valid == 1);
  EXPECT_TRUE(calc.setFloorStructure(u"a1", u"ANHYDRIT", true) && calc.floorStructureMark == CString(u"a1"));

  // The pipe material: without case, and the valid flag stays.
  CFHCircuitCalc& circuit = model.addCircuit(1)->calc;
  circuit.valid = 1;
  EXPECT_TRUE(circuit.setPipeMaterial(u"PE-Xa Ø17") && !circuit.setPipeMaterial(u"pe-xa ø17") && circuit.valid == 1);
  EXPECT_TRUE(circuit.setMaxPressureDefault(1) && circuit.valid == 0);
}

}  // namespace
