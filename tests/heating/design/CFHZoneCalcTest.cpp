// The heating calculation on a 4 m × 3 m zone drawn in millimetres without a
// layout (LH = SP ÷ l): the three worked examples at full precision, the
// empty and degenerate inputs, plausibility against EN 1264 magnitudes, the
// warnings and the limits.
#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHZoneCalc.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "CircuitTestSupport.h"

#include <cmath>
#include <functional>
#include <iomanip>
#include <limits>
#include <string>

namespace {

using circuit_test::CircuitTest;
using R = CFHZoneCalc::Result;

// A zone of the rectangle Z1 in a circuit, pitch 0.15 m, the rest defaults.
struct CalcZone {
  CalcZone() {
    zone = model.addZone(1);
    circuit = model.addCircuit(1);
    circuit->addZone(zone);
    circuit_test::giveBoundary(*zone, zone_fixture::z1Rectangle());
    calc().pipePitch = 0.15;
  }
  CFHZoneCalc& calc() { return zone->calc; }
  double result(R r) { return calc().results[r].dblVal; }
  bool isValid(R r) { return variantValueIsValid(calc().results[r]); }
  // Example B's inputs (C is B with three changes).
  void exampleB() {
    calc().upperLayers = {{0.045, 1.2}, {0.010, 1.0}};
    calc().lowerLayers = {{0.050, 0.04}, {0.150, 1.3}};
    calc().placement = 1;
    calc().tpFixed = 0;
    calc().borderR = valueOf(0.10);
    calc().borderFixed = 1;
  }

  CFHModel model;
  CFHZoneEntry* zone;
  CFHCircuit* circuit;
};

class ZoneCalc : public CircuitTest, public CalcZone {};

struct Expected {
  std::string name;
  std::function<double(CalcZone&)> got;
  double want;
};

std::function<double(CalcZone&)> res(R r) {
  return [r](CalcZone& t) { return t.calc().results[r].vt == VT_R8 ? t.calc().results[r].dblVal : -1e300; };
}
std::function<double(CalcZone&)> field(double CFHZoneCalc::*f) {
  return [f](CalcZone& t) { return t.calc().*f; };
}

// Within 5e-7 of the six-decimal figure, or 1e-6 of it relatively.
void expectAll(CalcZone& t, const std::vector<Expected>& expected) {
  for (const Expected& e : expected) {
    const double got = e.got(t);
    EXPECT_TRUE(std::fabs(got - e.want) <= 5e-7 || std::fabs(got - e.want) <= 1e-6 * std::fabs(e.want))
        << e.name << ": " << std::setprecision(12) << got << " want " << e.want;
  }
}

TEST_F(ZoneCalc, ExampleADefaultsWithAFreeBorder) {
  zone->calculate(4.0);
  expectAll(*this, {{"LA", res(R::kLA), 12.0},
                    {"LB", res(R::kLB), 8.0},
                    {"TM", res(R::kTM), 34.0},
                    {"M", res(R::kM), 14.094999},
                    {"R", [](CalcZone& t) { return t.calc().borderR.dblVal; }, 0.163178},
                    {"theta", res(R::kTheta), 10.390308},
                    {"Q", res(R::kQ), 124.683700},
                    {"A0", field(&CFHZoneCalc::area), 12.0},
                    {"SP", field(&CFHZoneCalc::reducedArea), 9.822011},
                    {"OP", field(&CFHZoneCalc::perimeter), 12.694572},
                    {"Q2", res(R::kQ2), 13.333333},
                    {"S", res(R::kS), 9.822011},
                    {"QP", res(R::kQP), 1355.604761},
                    {"QPC", res(R::kQPC), 1355.604761},
                    {"QO", res(R::kQO), 150.069811},
                    {"total", res(R::kTotalOutput), 1505.674572},
                    {"TS", res(R::kTS), 8.0},
                    {"weighted", res(R::kWeightedTemperature), 21.125},
                    {"4.75", res(R::kValue475), 11.875},
                    {"LH", field(&CFHZoneCalc::loopLength), 65.480070},
                    {"L", field(&CFHZoneCalc::totalLength), 69.480070},
                    {"MHP", res(R::kMHP), 146.078099},
                    {"MHP per minute", [](CalcZone& t) { return t.result(R::kMHP) / 60.0; }, 2.434635},
                    {"W", res(R::kW), 0.202886},
                    {"R2", res(R::kR2), 46.443124},
                    {"P", res(R::kP), 3.226872},
                    {"KV", res(R::kKV), 0.813194},
                    {"tp - ti", res(R::kTpMinusTi), 2.5}});
}

TEST_F(ZoneCalc, ExampleBLayersAHeatedRoomBelowAndAFreeTp) {
  exampleB();
  zone->calculate(4.0);
  expectAll(*this, {{"LA", res(R::kLA), 7.643312},
                    {"LB", res(R::kLB), 0.403978},
                    {"M", res(R::kM), 8.940769},
                    {"R", [](CalcZone& t) { return t.calc().borderR.dblVal; }, 0.10},
                    {"theta", res(R::kTheta), 7.784045},
                    {"Q", res(R::kQ), 93.408543},
                    {"tp", field(&CFHZoneCalc::tp), 27.477745},
                    {"Q2", res(R::kQ2), 5.181702},
                    {"SP", field(&CFHZoneCalc::reducedArea), 10.64},
                    {"OP", field(&CFHZoneCalc::perimeter), 13.2},
                    {"QP", res(R::kQP), 1049.000206},
                    {"QPC", res(R::kQPC), 1049.000206},
                    {"QO", res(R::kQO), 149.404631},
                    {"LH", field(&CFHZoneCalc::loopLength), 70.933333},
                    {"L", field(&CFHZoneCalc::totalLength), 74.933333},
                    {"MHP", res(R::kMHP), 113.038815},
                    {"W", res(R::kW), 0.156998},
                    {"R2", res(R::kR2), 29.499726},
                    {"P", res(R::kP), 2.210513},
                    {"KV", res(R::kKV), 0.760293}});
}

TEST_F(ZoneCalc, ExampleCABasementAndTheAreaFromTheHeatLoss) {
  exampleB();
  calc().placement = 2;
  calc().tpFixed = 1;
  calc().areaFromHeatLoss = 1;
  calc().lossQc = 800.0;
  zone->calculate(4.0);
  expectAll(*this, {{"Q2", res(R::kQ2), 7.473586},
                    {"S", res(R::kS), 8.564527},
                    {"QP", res(R::kQP), 864.007731},
                    {"QPC", res(R::kQPC), 1073.385849},
                    {"MHP", res(R::kMHP), 115.666579},
                    {"tp", field(&CFHZoneCalc::tp), 22.5}});
}

// Empty and degenerate inputs: what stays valid, what is empty, and the
// values the table gives; nothing throws.
TEST_F(CircuitTest, EmptyAndDegenerateInputs) {
  const std::vector<R> flow = {R::kMHP, R::kW, R::kR2, R::kP, R::kKV};
  const struct Case {
    std::string name;
    std::function<void(CalcZone&)> set;
    std::vector<R> valid;
    std::vector<R> empty;
    std::function<void(CalcZone&)> check;
  } cases[] = {
      {"R empty, fixed", [](CalcZone& t) { t.calc().borderR = emptyValue(); t.calc().borderFixed = 1; },
       {R::kQ, R::kQP, R::kQO, R::kP, R::kKV}, {},
       [](CalcZone& t) {
         EXPECT_FALSE(variantValueIsValid(t.calc().borderR));
         EXPECT_NEAR(t.calc().reducedArea, 12.0, 1e-9);
         EXPECT_NEAR(t.calc().perimeter, 14.0, 1e-9);
       }},
      {"R empty, free", [](CalcZone& t) { t.calc().borderR = emptyValue(); }, {R::kQ, R::kP}, {},
       [](CalcZone& t) { EXPECT_NEAR(t.calc().borderR.dblVal, 0.163178447, 1e-9); }},
      {"alpha p 0", [](CalcZone& t) { t.calc().alphaP = 0.0; }, {R::kLA, R::kS, R::kM},
       {R::kTheta, R::kQ, R::kQ2, R::kQP, R::kQO, R::kQPC, R::kMHP, R::kW, R::kR2, R::kP, R::kKV},
       [](CalcZone& t) {
         EXPECT_EQ(t.result(R::kLA), 0.0);
         EXPECT_NEAR(t.result(R::kS), t.calc().reducedArea, 1e-12);
       }},
      {"d 0", [](CalcZone& t) { t.calc().pipeDiameter = 0.0; }, {R::kM, R::kQ2},
       {R::kTheta, R::kQ, R::kQP, R::kQO, R::kQPC, R::kMHP, R::kW, R::kR2, R::kP, R::kKV},
       [](CalcZone& t) {
         EXPECT_EQ(t.result(R::kM), 0.0);
         EXPECT_NEAR(t.calc().borderR.dblVal, 0.02, 1e-15) << "the user's R is kept";
         EXPECT_NEAR(t.calc().reducedArea, 3.96 * 2.96, 1e-9);
       }},
      {"area from heat loss, Q 0", [](CalcZone& t) {
         t.calc().areaFromHeatLoss = 1;
         t.circuit->calc.t1 = 22.0;
         t.circuit->calc.t2 = 18.0;
       }, {R::kQ}, {R::kS, R::kQP},
       [](CalcZone& t) {
         EXPECT_EQ(t.result(R::kQ), 0.0);
         EXPECT_EQ(t.result(R::kS), std::numeric_limits<double>::infinity());
       }},
      {"t1 = t2", [](CalcZone& t) { t.circuit->calc.t2 = 38.0; }, {R::kQPC}, flow,
       [](CalcZone& t) {
         EXPECT_EQ(t.result(R::kMHP), std::numeric_limits<double>::infinity());
         EXPECT_EQ(t.result(R::kW), std::numeric_limits<double>::infinity());
         EXPECT_NE(t.calc().results[R::kR2].vt, VT_R8) << "no R2 of 700 for an infinite flow";
       }},
      {"TM = ti, d 0", [](CalcZone& t) {
         t.calc().pipeDiameter = 0.0;
         t.circuit->calc.t1 = 22.0;
         t.circuit->calc.t2 = 18.0;
       }, {}, flow, [](CalcZone& t) { EXPECT_TRUE(std::isnan(t.result(R::kW))); }},
      {"TM = ti, l 0", [](CalcZone& t) {
         t.calc().pipePitch = 0.0;
         t.circuit->calc.t1 = 22.0;
         t.circuit->calc.t2 = 18.0;
       }, {}, flow, [](CalcZone& t) {
         EXPECT_TRUE(std::isnan(t.result(R::kW)));
         EXPECT_EQ(t.calc().loopLength, 0.0) << "SP ÷ 0 is no length";
       }},
      {"no circuit", [](CalcZone& t) { t.circuit->removeZone(t.zone); t.zone->circuit = nullptr; }, {},
       {R::kLA, R::kQ, R::kP}, [](CalcZone&) {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CalcZone t;
    c.set(t);
    ASSERT_NO_THROW(t.zone->calculate(4.0));
    for (R r : c.valid) EXPECT_TRUE(t.isValid(r)) << r;
    for (R r : c.empty) EXPECT_FALSE(t.isValid(r)) << r;
    c.check(t);
  }
}

// EN 1264 magnitudes for a wet system: 45 mm screed (λ 1.2) over the pipes,
// a covering of resistance Rc, a ground floor. Q/(TM - ti) in W/(m²K).
double outputPerKelvin(CalcZone& t, double rc, double pitch, double excess) {
  t.calc().upperLayers = {{0.045, 1.2}, {rc, 1.0}};
  t.calc().lowerLayers = {{0.050, 0.04}, {0.150, 1.3}};
  t.calc().placement = 0;
  t.calc().pipePitch = pitch;
  t.circuit->calc.t1 = t.calc().ti + excess + 4.0;
  t.circuit->calc.t2 = t.calc().ti + excess - 4.0;
  t.zone->calculate(4.0);
  return t.result(R::kQ) / excess;
}

TEST_F(ZoneCalc, OutputPerKelvinHasTheMagnitudesOfEn1264) {
  const double want[] = {7.1, 5.2, 4.1, 3.4};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(outputPerKelvin(*this, 0.05 * i, 0.15, 15.0), want[i], 0.05) << i;
  for (double pitch : {0.1, 0.15, 0.2, 0.25, 0.3}) {
    double previous = std::numeric_limits<double>::infinity();
    for (double rc : {0.0, 0.05, 0.10, 0.15}) {
      double below = 0.0;
      for (double excess : {7.0, 10.0, 15.0, 20.0, 25.0}) {
        const double k = outputPerKelvin(*this, rc, pitch, excess);
        EXPECT_TRUE(k >= 2.5 && k <= 9.0) << pitch << " " << rc << " " << excess << ": " << k;
        EXPECT_GT(result(R::kQ), below) << "Q rises with TM";
        below = result(R::kQ);
      }
      EXPECT_LT(outputPerKelvin(*this, rc, pitch, 15.0), previous) << "Q falls as the covering grows";
      previous = outputPerKelvin(*this, rc, pitch, 15.0);
      if (pitch > 0.1) {
        EXPECT_LT(previous, outputPerKelvin(*this, rc, pitch - 0.05, 15.0)) << "and as l grows";
      }
    }
  }
  circuit->calc.t1 = circuit->calc.t2 = calc().ti;
  zone->calculate(4.0);
  EXPECT_EQ(result(R::kQ), 0.0) << "no output at TM = ti";
}

TEST_F(ZoneCalc, CircuitWarnsAndListsZonesOverItsLimits) {
  circuit->setPipes(std::make_unique<CFloorHeatingLine>(XtGePoint2d(0, 0), XtGePoint2d(0, -1500), nullptr, 16),
                    std::make_unique<CFloorHeatingLine>(XtGePoint2d(200, 0), XtGePoint2d(200, -2500), nullptr, 16));
  EXPECT_EQ(circuit->calculate(), 0);
  EXPECT_NEAR(calc().connectionLength, 4.0, 1e-12) << "both pipes, in metres";
  EXPECT_NEAR(result(R::kP), 3.226872, 5e-7);
  CString text;
  EXPECT_FALSE(circuit->isLengthExceeded() || model.zonesOverLimits(text)) << "not at the defaults";
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_NEAR(circuit->totalLength(), 69.480070, 5e-7);

  CFHZoneEntry* second = model.addZone(3);
  circuit->addZone(second);
  circuit_test::giveBoundary(*second, zone_fixture::z9Square());
  circuit->calc.maxLoopLength = 60.0;
  circuit->calculate();
  EXPECT_TRUE(circuit->isLengthExceeded());
  EXPECT_TRUE(model.zonesOverLimits(text));
  EXPECT_EQ(text, CString(u"1, 3")) << "every zone of a circuit that is too long";
  circuit->calc.maxLoopLength = 1000.0;
  circuit->calc.maxPressure = 3.0;
  EXPECT_TRUE(model.zonesOverLimits(text));
  EXPECT_EQ(text, CString(u"1")) << "the zone whose loss is above 3 kPa";
  EXPECT_FALSE(circuit->zoneReachesMaxPressure()) << "the check is off";
  circuit->calc.checkMaxPressure = 1;
  circuit->calc.maxPressure = result(R::kP) + 0.00005;
  EXPECT_TRUE(circuit->zoneReachesMaxPressure());

  const struct {
    std::function<void()> set;
    std::int32_t bits;
  } warnings[] = {
      {[&] { calc().tp = 35.0; }, CFHCircuit::kWarnTpAboveTm},
      {[&] { calc().ti = 25.0; }, CFHCircuit::kWarnTiAboveTp},
      {[&] { circuit->calc.t2 = 38.0; }, CFHCircuit::kWarnReturnNotBelow},
      {[&] { circuit->calc.t2 = 40.0; second->calc.ti = 30.0; }, CFHCircuit::kWarnReturnNotBelow | CFHCircuit::kWarnTiAboveTp},
  };
  for (const auto& w : warnings) {
    calc().tp = 22.5;
    calc().ti = second->calc.ti = 20.0;
    circuit->calc.t2 = 30.0;
    w.set();
    EXPECT_EQ(circuit->calculate(), w.bits);
  }
}

TEST_F(ZoneCalc, CapacityAndTheSurfaceAfterReadingBack) {
  zone->calculate(4.0);
  EXPECT_FALSE(calc().isCapacityReached()) << "1355.6 W against 1750 W";
  zone->heatingBody = std::make_unique<CFHHeatingBody>();
  zone->heatingBody->output = 400.0;
  EXPECT_TRUE(calc().isCapacityReached());
  EXPECT_NEAR(zone->outputWithHeatingBody().dblVal, 1755.604761, 5e-7);

  const double theta = result(R::kTheta);
  calc().results[R::kTheta] = emptyValue();
  calc().results[R::kTotalOutput] = emptyValue();
  calc().area = calc().reducedArea = 0.0;
  model.recalculateZones();
  EXPECT_NEAR(calc().area, 12.0, 1e-9);
  EXPECT_NEAR(calc().reducedArea, 9.822011, 5e-7);
  EXPECT_NEAR(result(R::kTheta), theta, 1e-12);
  EXPECT_NEAR(result(R::kTotalOutput), 1505.674572, 5e-7);
  calc().area = 0.0;
  model.updateZoneAreas();
  EXPECT_NEAR(calc().area, 12.0, 1e-9);
}

}  // namespace
