// The heating calculation on a 4 m × 3 m zone drawn in millimetres without a
// layout (LH = SP ÷ l): the worked examples at full precision, empty and
// degenerate inputs, EN 1264 magnitudes, warnings and limits.
#include "heating/design/model/CFHCircuit.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "CircuitTestSupport.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <string>

namespace {

using circuit_test::CircuitTest;
using R = CFHZoneCalc::Result;
constexpr double kInf = std::numeric_limits<double>::infinity();

// Zone 1 (the rectangle Z1) alone in circuit 1, pitch 0.15 m, else defaults.
struct CalcZone {
  CalcZone() {
    circuit->addZone(zone);
    circuit_test::giveBoundary(*zone, zone_fixture::z1Rectangle());
    calc.pipePitch = 0.15;
  }
  // A result (VT_R8, else NaN) or an input by its name.
  double operator[](const std::string& name) const {
    static const std::vector<std::string> results{"LA", "LB", "TM",  "QPC", "S",  "M",  "QO", "Q",  "Q2",    "QP",
                                                  "total", "4.75", "weighted", "P", "MHP", "W", "KV", "TS", "R2",
                                                  "tp-ti", "theta"};
    const std::map<std::string, double> fields{{"tp", calc.tp},        {"A0", calc.area},
                                               {"SP", calc.reducedArea}, {"OP", calc.perimeter},
                                               {"LH", calc.loopLength},  {"L", calc.totalLength}};
    if (fields.contains(name)) return fields.at(name);
    const auto at = std::find(results.begin(), results.end(), name);
    const VARIANT& v = name == "R" ? calc.borderR : calc.results.at(static_cast<std::size_t>(at - results.begin()));
    return v.vt == VT_R8 ? v.dblVal : NAN;
  }
  bool valid(const std::string& name) const { return std::isfinite((*this)[name]); }
  // Example B's inputs (C is B with four changes).
  void exampleB() {
    calc.upperLayers = {{0.045, 1.2}, {0.010, 1.0}};
    calc.lowerLayers = {{0.050, 0.04}, {0.150, 1.3}};
    calc.placement = 1;
    calc.tpFixed = 0;
    calc.borderR = valueOf(0.10);
    calc.borderFixed = 1;
  }

  CFHModel model;
  CFHZoneEntry* zone = model.addZone(1);
  CFHCircuit* circuit = model.addCircuit(1);
  CFHZoneCalc& calc = zone->calc;
};

class ZoneCalc : public CircuitTest, public CalcZone {};

// Each figure within 5e-7 of the six-decimal value, or 1e-6 of it relatively.
void expectFigures(const CalcZone& t, const std::map<std::string, double>& figures) {
  for (const auto& [name, want] : figures)
    EXPECT_TRUE(std::fabs(t[name] - want) <= std::max(5e-7, 1e-6 * std::fabs(want))) << name << " " << t[name];
}

TEST_F(ZoneCalc, WorkedExamples) {
  zone->calculate(4.0);  // A: the defaults, R free
  expectFigures(*this, {{"LA", 12},          {"LB", 8},          {"TM", 34},         {"M", 14.094999},
                        {"R", 0.163178},     {"theta", 10.390308}, {"Q", 124.683700}, {"A0", 12},
                        {"SP", 9.822011},    {"OP", 12.694572},  {"Q2", 13.333333},  {"S", 9.822011},
                        {"QP", 1355.604761}, {"QPC", 1355.604761}, {"QO", 150.069811}, {"total", 1505.674572},
                        {"TS", 8},           {"weighted", 21.125}, {"4.75", 11.875},  {"LH", 65.480070},
                        {"L", 69.480070},    {"MHP", 146.078099}, {"W", 0.202886},   {"R2", 46.443124},
                        {"P", 3.226872},     {"KV", 0.813194},   {"tp-ti", 2.5}});
  EXPECT_NEAR((*this)["MHP"] / 60.0, 2.434635, 5e-7);
  exampleB();
  zone->calculate(4.0);
  expectFigures(*this, {{"LA", 7.643312},    {"LB", 0.403978},   {"M", 8.940769},    {"R", 0.10},
                        {"theta", 7.784045}, {"Q", 93.408543},   {"tp", 27.477745},  {"Q2", 5.181702},
                        {"SP", 10.64},       {"OP", 13.2},       {"QP", 1049.000206}, {"QPC", 1049.000206},
                        {"QO", 149.404631},  {"LH", 70.933333},  {"L", 74.933333},   {"MHP", 113.038815},
                        {"W", 0.156998},     {"R2", 29.499726},  {"P", 2.210513},    {"KV", 0.760293}});
  calc.placement = 2;
  calc.tpFixed = 1;
  calc.tp = 22.5;
  calc.areaFromHeatLoss = 1;
  calc.lossQc = 800.0;
  zone->calculate(4.0);
  expectFigures(*this, {{"Q2", 7.473586}, {"S", 8.564527}, {"QP", 864.007731}, {"QPC", 1073.385849},
                        {"MHP", 115.666579}, {"tp", 22.5}});
}

TEST_F(CircuitTest, EmptyAndDegenerateInputs) {
  using Set = std::function<void(CalcZone&)>;
  const Set tmAtTi = [](CalcZone& t) { t.circuit->calc.t1 = 22.0, t.circuit->calc.t2 = 18.0; };
  const std::vector<std::string> flow = {"MHP", "W", "R2", "P", "KV"};
  const std::vector<std::string> output = {"theta", "Q", "QP", "QO", "QPC", "MHP", "W", "R2", "P", "KV"};
  const struct {
    const char* name;
    Set set;
    std::vector<std::string> valid, empty;
    std::map<std::string, double> figures;  // NaN: any NaN
  } cases[] = {
      {"R empty, fixed", [](CalcZone& t) { t.calc.borderR = emptyValue(), t.calc.borderFixed = 1; }, {"Q", "P", "KV"},
       {"R"}, {{"SP", 12}, {"OP", 14}}},
      {"R empty, free", [](CalcZone& t) { t.calc.borderR = emptyValue(); }, {"Q", "P"}, {}, {{"R", 0.163178}}},
      {"alpha p 0", [](CalcZone& t) { t.calc.alphaP = 0.0; }, {"S"}, output, {{"LA", 0}, {"Q2", NAN}}},
      {"d 0: R kept", [](CalcZone& t) { t.calc.pipeDiameter = 0.0; }, {"Q2"}, output,
       {{"M", 0}, {"R", 0.02}, {"SP", 11.7216}}},
      {"area from heat loss, Q 0", [&](CalcZone& t) { tmAtTi(t), t.calc.areaFromHeatLoss = 1; }, {}, {"S", "QP"},
       {{"Q", 0}, {"S", kInf}}},
      {"t1 = t2: no R2 of 700", [](CalcZone& t) { t.circuit->calc.t2 = 38.0; }, {"QPC"}, flow,
       {{"MHP", kInf}, {"W", kInf}}},
      {"TM = ti, d 0", [&](CalcZone& t) { tmAtTi(t), t.calc.pipeDiameter = 0.0; }, {}, flow, {{"W", NAN}}},
      {"TM = ti, l 0", [&](CalcZone& t) { tmAtTi(t), t.calc.pipePitch = 0.0; }, {}, flow, {{"W", NAN}, {"LH", 0}}},
      {"no circuit", [](CalcZone& t) { t.circuit->removeZone(t.zone), t.zone->circuit = nullptr; }, {},
       {"LA", "Q", "P"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CalcZone t;
    c.set(t);
    ASSERT_NO_THROW(t.zone->calculate(4.0));
    for (const std::string& name : c.valid) EXPECT_TRUE(t.valid(name)) << name;
    for (const std::string& name : c.empty) EXPECT_FALSE(t.valid(name)) << name;
    for (const auto& [name, want] : c.figures)
      EXPECT_TRUE(std::isnan(want) ? !t.valid(name) : t[name] == want || std::fabs(t[name] - want) <= 5e-7) << name;
  }
}

// EN 1264, wet system: 45 mm screed (λ 1.2) over the pipes, a covering of
// resistance rc, a ground floor; Q/(TM − ti) in W/(m²K).
double perKelvin(CalcZone& t, double rc, double pitch, double excess) {
  t.calc.upperLayers = {{0.045, 1.2}, {rc, 1.0}};
  t.calc.lowerLayers = {{0.050, 0.04}, {0.150, 1.3}};
  t.calc.pipePitch = pitch;
  t.circuit->calc.t1 = t.calc.ti + excess + 4.0;
  t.circuit->calc.t2 = t.calc.ti + excess - 4.0;
  t.zone->calculate(4.0);
  return t["Q"] / excess;
}

TEST_F(ZoneCalc, OutputPerKelvinHasTheMagnitudesOfEn1264) {
  const double want[] = {7.1, 5.2, 4.1, 3.4};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(perKelvin(*this, 0.05 * i, 0.15, 15.0), want[i], 0.05) << i;
  for (double pitch : {0.1, 0.15, 0.2, 0.25, 0.3})
    for (double rc : {0.0, 0.05, 0.10, 0.15})
      for (double excess : {7.0, 10.0, 15.0, 20.0, 25.0}) {
        const double k = perKelvin(*this, rc, pitch, excess);
        EXPECT_TRUE(k >= 2.5 && k <= 9.0) << pitch << " " << rc << " " << excess << ": " << k;
        EXPECT_LT(perKelvin(*this, rc, pitch + 0.05, excess), k) << "falls as l grows";
        EXPECT_LT(perKelvin(*this, rc + 0.05, pitch, excess), k) << "falls as the covering grows";
        EXPECT_GT(perKelvin(*this, rc, pitch, excess + 1.0) * (excess + 1.0), k * excess) << "rises with TM";
      }
  perKelvin(*this, 0.0, 0.15, 0.0);
  EXPECT_EQ((*this)["Q"], 0.0) << "no output at TM = ti";
}

TEST_F(ZoneCalc, WarningsLimitsCapacityAndTheSurfaceAfterReadingBack) {
  circuit->setPipes(std::make_unique<CFloorHeatingLine>(XtGePoint2d(0, 0), XtGePoint2d(0, -1500), nullptr, 16),
                    std::make_unique<CFloorHeatingLine>(XtGePoint2d(200, 0), XtGePoint2d(200, -2500), nullptr, 16));
  EXPECT_EQ(circuit->calculate(), 0);
  expectFigures(*this, {{"L", 69.480070}, {"P", 3.226872}});  // LP 4 m from the pipes
  CString text;
  EXPECT_FALSE(model.zonesOverLimits(text) || circuit->zoneReachesMaxPressure()) << "not at the defaults";
  CFHZoneEntry* small = model.addZone(3);
  circuit->addZone(small);
  circuit_test::giveBoundary(*small, zone_fixture::z9Square());
  circuit->calculate();
  circuit->calc.maxLoopLength = 60.0;
  EXPECT_TRUE(model.zonesOverLimits(text) && text == CString(u"1, 3")) << "the whole circuit is too long";
  circuit->calc.maxLoopLength = 1000.0;
  circuit->calc.maxPressure = 3.0;
  EXPECT_TRUE(model.zonesOverLimits(text) && text == CString(u"1")) << "its loss is above 3 kPa";
  circuit->calc.checkMaxPressure = 1;
  circuit->calc.maxPressure = (*this)["P"] + 0.00005;
  EXPECT_TRUE(circuit->zoneReachesMaxPressure());

  const struct {
    std::function<void()> set;
    std::int32_t bits;
  } warnings[] = {{[&] { calc.tp = 35.0; }, CFHCircuit::kWarnTpAboveTm},
                  {[&] { calc.ti = 25.0; }, CFHCircuit::kWarnTiAboveTp},
                  {[&] { circuit->calc.t2 = 38.0; }, CFHCircuit::kWarnReturnNotBelow},
                  {[&] { circuit->calc.t2 = 40.0, small->calc.ti = 30.0; },
                   CFHCircuit::kWarnReturnNotBelow | CFHCircuit::kWarnTiAboveTp}};
  for (const auto& w : warnings) {
    calc.tp = 22.5;
    calc.ti = small->calc.ti = 20.0;
    circuit->calc.t2 = 30.0;
    w.set();
    EXPECT_EQ(circuit->calculate(), w.bits);
  }

  circuit->calc.t2 = 30.0;
  zone->calculate(4.0);
  EXPECT_FALSE(calc.isCapacityReached()) << "1355.6 W of 1750 W";
  zone->heatingBody = std::make_unique<CFHHeatingBody>();
  zone->heatingBody->output = 400.0;
  EXPECT_TRUE(calc.isCapacityReached());
  const double theta = (*this)["theta"];
  calc.results[R::kTheta] = calc.results[R::kTotalOutput] = emptyValue();
  calc.area = calc.reducedArea = 0.0;
  model.recalculateZones();
  expectFigures(*this, {{"theta", theta}, {"total", 1505.674572}, {"A0", 12}, {"SP", 9.822011}});
  calc.area = 0.0;
  model.updateZoneAreas();
  EXPECT_NEAR(calc.area, 12.0, 1e-9);
}

}  // namespace
