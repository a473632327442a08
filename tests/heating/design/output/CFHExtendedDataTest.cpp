// The heating records of a drawn design: the value rules (also under a
// process locale with a decimal comma), the records of a zone calculated as
// example A, and the edge cases of circuits without zones, zones without
// circuit and heating bodies. The groups beside the records are checked on
// drawn designs (design_dxf_check.py).
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/output/CFHExtendedData.h"
#include "heating/design/settings/DoubleArrayText.h"

#include "heating/curves/PointFormat.h"
#include "heating/curves/VariantValue.h"

#include "tests/heating/curves/DecimalCommaLocale.h"

#include "CircuitTestSupport.h"

#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

using circuit_test::CircuitTest;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A record's identifier (empty for a bare list) and its pairs in order.
struct Record {
  std::u16string id;
  std::vector<std::pair<std::u16string, std::u16string>> pairs;
  std::u16string operator[](std::u16string_view key) const {
    for (const auto& [k, v] : pairs)
      if (k == key) return v;
    return u"<missing>";
  }
};

Record readRecord(const resbuf* chain) {
  Record record;
  const resbuf* node = chain;
  if (node != nullptr && node->code == 1001) {
    node = node->next;
    record.id = node->value.str;
    node = node->next;
  }
  for (; node != nullptr && node->next != nullptr; node = node->next->next)
    record.pairs.emplace_back(node->value.str, node->next->value.str);
  return record;
}

TEST(ExtendedData, ValueRulesWriteTheCLocaleFormsAndZeroForNonFiniteValues) {
  const auto rules = [] {
    return std::vector<std::u16string>{
        formatIntValue(-1), formatFlagValue(7), formatFlagValue(0), formatRealValue(1.23456, 3),
        formatRealValue(4176.0, 2), formatRealValue(200.0, -1), formatRealValue(kInf, 3),
        formatRealValue(kNaN, -1), formatVarValue(emptyValue(), 3), formatVarValue(valueOf(kNaN), 2),
        formatVarValue(valueOf(0.163178), 4), formatVarValue(valueOf(146.078099), 3, kPerMinute),
        formatPercentValue(valueOf(10.390308), valueOf(2.5)), formatPercentValue(valueOf(10.39), valueOf(0.0)),
        formatPercentValue(emptyValue(), valueOf(2.5)), formatPercentValue(valueOf(1.0), emptyValue()),
        formatPercentValue(valueOf(kNaN), valueOf(2.5)), formatPercentValue(valueOf(-1.0), valueOf(-0.0)),
        formatPercentValue(valueOf(1e307), valueOf(0.5)), formatPoint({kNaN, -kInf}), formatPoint({-0.004, -0.006}),
        std::u16string(doubleArrayToText(std::vector<double>{1.5, kNaN, kInf}).view())};
  };
  // Whatever is empty or not finite is written "0": a quotient by 0 or by
  // an empty divisor, one that overflows, a point's and a list's numbers;
  // a point's coordinate that rounds to 0 has no sign.
  const std::vector<std::u16string> want = {u"-1",    u"1",      u"0",   u"1.235", u"4176.00", u"200.000000",
                                            u"0",     u"0",      u"0",   u"0",     u"0.1632",  u"2.435",
                                            u"416",   u"0",      u"0",   u"0",     u"0",       u"0",
                                            u"0",     u"(0.00|0.00|0.00)", u"(0.00|-0.01|0.00)", u"[1.500000|0|0]"};
  EXPECT_EQ(rules(), want);
  DecimalCommaLocale comma;
  if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma can be made here";
  EXPECT_EQ(rules(), want) << "under a decimal comma";
}

// A zone of the 4 m × 3 m rectangle in circuit 1, pitch 0.15 m.
class ZoneRecords : public CircuitTest {
 protected:
  ZoneRecords() {
    zone = model.addZone(1);
    circuit = model.addCircuit(1);
    circuit->addZone(zone);
    circuit_test::giveBoundary(*zone, zone_fixture::z1Rectangle());
    zone->calc.pipePitch = 0.15;
  }
  CFHModel model;
  CFHZoneEntry* zone;
  CFHCircuit* circuit;
};

TEST_F(ZoneRecords, AZoneCalculatedAsExampleAWritesItsResults) {
  zone->calculate(4.0);
  model.pipeNetwork().mark = u"RZ1";
  const auto records = [&] {
    return std::pair(readRecord(zone->buildLabelData(model.pipeNetwork()).get()),
                     readRecord(circuit->buildDataList(model.pipeNetwork()).get()));
  };
  const auto check = [](const Record& z, const Record& c) {
    EXPECT_EQ(z.id, u"TPV1000-0001");
    EXPECT_EQ(z.pairs.size(), 66u);
    const std::map<std::u16string, std::u16string> wanted = {
        {u"_PT_ZONA_Q", u"124.684"},       {u"_PT_ZONA_R", u"0.1632"},       {u"_PT_ZONA_MHP", u"2.435"},
        {u"_PT_ZONA_PERCENT_T", u"416"},   {u"_PT_ZONA_PERCENT_Q", u"77"},   {u"_PT_ZONA_OZN", u"RZ1.1"},
        {u"_PT_ZONA_C_OKRUHU", u"1"},      {u"_XPPDIV", u"XPP"},             {u"_PT_ZONA_TP", u"22.500"},
        {u"_PT_X_ZDR_DARR", u"[-1.000000|-1.000000|-1.000000|-1.000000]"}, {u"_PT_X_ZDR_MEBA", u"-1"}};
    for (const auto& [key, value] : wanted) EXPECT_EQ(z[key], value) << std::string(key.begin(), key.end());
    EXPECT_EQ(c.pairs.size(), 20u);
    EXPECT_EQ(c[u"_PT_X_CD_KV"], u"0.81");
    EXPECT_EQ(c[u"_PT_X_CD_MHP"], u"2.435");
    EXPECT_EQ(c[u"_PT_X_CD_L"], u"69.480");
  };
  const auto [z, c] = records();
  check(z, c);
  DecimalCommaLocale comma;
  if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma can be made here";
  const auto [zc, cc] = records();
  check(zc, cc);
}

TEST_F(ZoneRecords, EdgeCasesKeepEveryKey) {
  // A circuit without zones: all 20 keys, the first zone's values empty.
  CFHCircuit& empty = *model.addCircuit(2);
  const Record c = readRecord(empty.buildDataList(model.pipeNetwork()).get());
  ASSERT_EQ(c.pairs.size(), 20u);
  for (const char16_t* key : {u"_PT_X_CD_LP", u"_PT_X_CD_W", u"_PT_X_CD_DT", u"_PT_X_CD_C", u"_PT_X_CD_R",
                              u"_PT_X_CD_MHP", u"_PT_X_CD_P", u"_PT_X_CD_KV"})
    EXPECT_EQ(c[key], u"");
  EXPECT_EQ(c[u"_PT_X_CD_L"], u"0.000");

  // A zone without circuit, before any calculation: -1, no material, "0".
  CFHZoneEntry& loose = *model.addZone(2);
  circuit->calc.pipeMaterial = u"PE-Xa";
  const Record z = readRecord(loose.buildLabelData(model.pipeNetwork()).get());
  EXPECT_EQ(z[u"_PT_ZONA_C_OKRUHU"], u"-1");
  EXPECT_EQ(z[u"_PT_ZONA_POTR_MATERIAL"], u"");
  EXPECT_EQ(z[u"_PT_ZONA_M"], u"0");
  EXPECT_EQ(z[u"_PT_ZONA_PERCENT_T"], u"0");
  EXPECT_EQ(readRecord(zone->buildLabelData(model.pipeNetwork()).get())[u"_PT_ZONA_POTR_MATERIAL"], u"PE-Xa");
  EXPECT_EQ(loose.buildHeatingBodyData(model.pipeNetwork()), nullptr);
}

TEST_F(ZoneRecords, AHeatingBodysOutputIsAWholeNumberHeldToThirtyTwoBits) {
  zone->heatingBody = std::make_unique<CFHHeatingBody>();
  zone->heatingBody->number = 7;
  zone->heatingBody->insertionPoint = XtGePoint2d(1250, -40);
  const struct {
    double output;
    const char16_t* written;
  } cases[] = {{kNaN, u"0"}, {kInf, u"0"}, {3e9, u"2147483647"}, {-3e9, u"-2147483648"}, {812.9, u"812"}};
  for (const auto& c : cases) {
    zone->heatingBody->output = c.output;
    const Record body = readRecord(zone->buildHeatingBodyData(model.pipeNetwork()).get());
    EXPECT_EQ(body.id, u"TPV1001-0001");
    EXPECT_EQ(body.pairs.size(), 7u);
    EXPECT_EQ(body[u"_PT_ZONA_QTP"], c.written) << c.output;
    EXPECT_EQ(body[u"_PT_ZONA_C_OKRUHU"], u"7");
    EXPECT_EQ(body[u"_PT_ZONA_X_ADD_PINS"], u"(1250.00|-40.00|0.00)");
  }
  // A body still waiting for its place is not drawn.
  model.pendingHeatingBody = zone;
  EXPECT_EQ(zone->buildHeatingBodyData(model.pipeNetwork()), nullptr);
}

}  // namespace
