// The design model's records: defaults of a new model, zone and circuit, the
// ownership rules of deleting them, and the small records beside them.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/settings/DoubleArrayText.h"
#include "heating/design/model/ModelDeleteAndClear.h"

#include "heating/curves/VariantValue.h"

#include "tests/heating/design/DesignTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

namespace {

using zone_test::ZoneTest;

// The settings test's dump checks the other defaults.
TEST_F(ZoneTest, NewModelHoldsTheDefaultsOfEveryPart) {
  CFHModel model;
  EXPECT_EQ(model.unitFactor(), 1000.0);
  EXPECT_TRUE(model.zones().empty() && model.circuits().empty() && model.selectedZones.empty());
  EXPECT_EQ(model.currentCircuit, nullptr);
  EXPECT_EQ(model.defaults().lossQc, 1750.0);
  const CFHPipeNetwork& network = model.pipeNetwork();
  EXPECT_EQ(network.autoNumberCircuits, 1u);
  EXPECT_EQ(network.firstZoneNumber, 1);
  EXPECT_EQ(network.pipePitchLimit, std::numeric_limits<double>::infinity());

  const CFHPipeStyles& styles = model.pipeStyles();
  EXPECT_EQ(styles.styleOfSide(1).colourIndex(), 1u);
  EXPECT_EQ(styles.styleOfSide(0).linetype, CString(u"DASHED"));
  EXPECT_EQ(styles.general.colour, 0xFFFFFFFF00000002ull);
  EXPECT_EQ(styles.furtherColours[1], 0xFFFFFFFF000000FBull);
  EXPECT_EQ(styles.values[2], 240.0);
  // An override replaces the index, never the high word.
  EXPECT_EQ(styles.styleOfSide(0).drawColour(3), 0xFFFFFFFF00000003ull);
  EXPECT_EQ(styles.styleOfSide(0).drawColour(), 0xFFFFFFFF00000005ull);
  EXPECT_EQ(styles.supply.linetypeForHost(), "CONTINUOUS");
}

TEST_F(ZoneTest, ZoneAndCircuitStartFromTheModelsDefaults) {
  CFHModel model;
  model.defaults().zoneNote = u"koupelna";
  model.defaults().furnitureOnPlinth = 0.3;
  model.defaults().perimeterPitch = 150.0;
  model.defaults().pipeMaterial = u"PE-Xa";
  CFHZoneEntry* zone = model.addZone(7);
  EXPECT_EQ(zone->note, CString(u"koupelna"));
  EXPECT_EQ(zone->calc.spns, 0.3);
  EXPECT_EQ(zone->calc.lossQc, 1750.0);
  EXPECT_TRUE(variantValueNear(zone->calc.borderR, 0.02, 1e-12));
  for (const VARIANT& result : zone->calc.results) EXPECT_FALSE(variantValueIsValid(result));

  const CFHZoneDesign& design = *zone->design();
  EXPECT_DOUBLE_EQ(design.perpendicularDistance(), 150.0);  // mm × 0.001 × 1000
  EXPECT_DOUBLE_EQ(design.detailDistance(), 50.0);
  EXPECT_DOUBLE_EQ(design.spacing(), 200.0);
  EXPECT_EQ(design.layoutValue(), -1.0);

  CFHCircuit* circuit = model.addCircuit(4);
  EXPECT_EQ(circuit->colourIndex, 5u);
  EXPECT_EQ(circuit->calc.pipeMaterial, CString(u"PE-Xa"));
  EXPECT_EQ(circuit->calc.maxLoopLength, 120.0);
  EXPECT_EQ(circuit->calc.t1, 38.0);  // no data files
  EXPECT_EQ(circuit->calc.t2, 30.0);
}

TEST_F(ZoneTest, CircuitTemperaturesComeFromTheCalculationPage) {
  design_test::DataFolder folder;
  folder.write("qev_heat_floors.dat", "[FH_PAGE_CALC]\r\nCB_IN_T1=40\r\nCB_OUT_T2=nan\r\n");
  CFHModel model;
  model.setDataFiles(folder.files());
  const CFHCircuit* circuit = model.addCircuit(0);
  EXPECT_EQ(std::make_pair(circuit->calc.t1, circuit->calc.t2), std::make_pair(40.0, 30.0));  // nan: default stays
}

TEST_F(ZoneTest, DeletingClearsEveryPointerToWhatGoes) {
  CFHModel model;
  CFHZoneEntry* a = model.addZone(1);
  CFHZoneEntry* b = model.addZone(2);
  CFHCircuit* first = model.addCircuit(1);
  CFHCircuit* second = model.addCircuit(2);
  first->addZone(a);
  first->addZone(a);  // listed once
  second->addZone(b);
  EXPECT_EQ(first->zones().size(), 1u);
  EXPECT_EQ(a->circuit, first);
  model.currentCircuit = second;
  model.selectedZones = {a, b};
  model.joinPair[0] = a;
  model.joinPair[1] = b;
  model.pendingHeatingBody = b;

  std::vector<std::unique_ptr<CFHZoneEntry>> others;
  others.push_back(std::make_unique<CFHZoneEntry>(&model, 3));
  second->addZone(others.back().get());
  model.deleteZoneVector(others);
  EXPECT_TRUE(others.empty());
  EXPECT_EQ(second->zones(), std::vector<CFHZoneEntry*>{b});

  model.deleteCircuits();
  EXPECT_TRUE(model.circuits().empty());
  EXPECT_EQ(model.currentCircuit, nullptr);
  EXPECT_TRUE(!a->circuit && !b->circuit);
  EXPECT_EQ(model.zones().size(), 2u);

  CFHCircuit* third = model.addCircuit(3);
  third->addZone(b);
  model.deleteZoneEntries();
  EXPECT_TRUE(model.zones().empty());
  EXPECT_TRUE(third->zones().empty());
  EXPECT_TRUE(model.selectedZones.empty());
  EXPECT_TRUE(!model.joinPair[0] && !model.joinPair[1] && !model.pendingHeatingBody);
}

TEST(DoubleArrayText, FormAndItsEdgeCases) {
  EXPECT_EQ(doubleArrayToText(std::vector<double>{}), CString(u"[]"));
  EXPECT_EQ(doubleArrayToText(std::vector<double>{1.5, -2.0}), CString(u"[1.500000|-2.000000]"));

  struct Case {
    const char16_t* text;
    bool ok;
    std::vector<double> values;
  };
  const Case cases[] = {
      {u"[]", true, {}},
      {u"[1.5|-2|3e2]", true, {1.5, -2.0, 300.0}},
      {u"[1|]", true, {1.0}},
      {u"[x|7abc]", true, {0.0, 7.0}},  // each value its leading number, 0 without
      {u"[|1]", false, {}},
      {u"[1||2]", false, {}},
      {u"[1|2", false, {}},
      {u"1|2]", false, {}},
      {u"[", false, {}},
      {u"", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
    std::vector<double> values{42.0};
    EXPECT_EQ(doubleArrayFromText(CString(c.text), values), c.ok);
    EXPECT_EQ(values, c.ok ? c.values : std::vector<double>{42.0});  // unchanged on failure
  }
  std::vector<double> back;
  ASSERT_TRUE(doubleArrayFromText(doubleArrayToText(std::vector<double>{0.25, 1e3}), back));
  EXPECT_EQ(back, (std::vector<double>{0.25, 1000.0}));
}

TEST(CFHDescData, ChecksLayersStylesAndSizes) {
  CFHDescData desc;
  desc.defaultLayer = u"STENY";
  CString layer = u"X";
  std::uint32_t flag = 7;
  for (auto [name, wanted, wantedFlag] : {std::tuple{u"", u"STENY", 1u}, {u"*", u"STENY", 1u}, {u"POTRUBI", u"POTRUBI", 0u}}) {
    desc.setLayerOrDefault(CString(name), layer, flag);
    EXPECT_EQ(std::make_pair(layer, flag), std::make_pair(CString(wanted), wantedFlag));
  }

  EXPECT_EQ(desc.resolveTextStyle(CString(u"arial")), CString(u"STANDARD"));  // the drawing has no styles
  desc.drawingTextStyles = {CString(u"Standard"), CString(u"Arial")};
  EXPECT_EQ(desc.resolveTextStyle(CString(u"ARIAL")), CString(u"Arial"));
  EXPECT_EQ(desc.resolveTextStyle(CString(u"Courier")), CString(u"Standard"));

  double height = 7.2;
  for (double refused : {0.001, 1000.0, 0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
    EXPECT_FALSE(CFHDescData::setTextHeightChecked(refused, height));
    EXPECT_FALSE(CFHDescData::setWidthFactorChecked(refused, height));
  }
  EXPECT_EQ(height, 7.2);
  EXPECT_TRUE(CFHDescData::setTextHeightChecked(0.0011, height));
  EXPECT_TRUE(CFHDescData::setWidthFactorChecked(999.9, height));
  EXPECT_EQ(height, 999.9);
}

TEST(ModelDeleteAndClear, DeletesWhatIsPresentAndEmpties) {
  std::vector<CString*> texts{new CString(u"a"), nullptr, new CString(u"b")};
  deleteSmallItemsAndClear(texts);  // through deletePolymorphicAndClear; LSan sees a leak
  EXPECT_TRUE(texts.empty());
}

TEST_F(ZoneTest, LayoutsFollowTheZonesPipeEnds) {
  CFHModel model;
  CFHZoneDesign& design = *model.addZone(1)->design();
  EXPECT_TRUE(design.setPipeEnd(0, std::make_unique<CFHPipeEnd>(XtGePoint2d(0, 0), 1, 0)));
  EXPECT_TRUE(design.setExitEnd(1, std::make_unique<CFHPipeEnd>(XtGePoint2d(9, 9), 1, 0)));
  EXPECT_FALSE(design.setPipeEnd(2, std::make_unique<CFHPipeEnd>()));
  {
    CFHZoneDesign::BusyScope busy(design);
    auto main = std::make_unique<CFHCircuitLayout>(0.0, 200.0, 0.0);
    main->startEnd = busy.pipeEnd(0);
    main->exitEnd2 = busy.exitEnd(1);
    busy.replaceLayouts(std::move(main), std::make_unique<CFHCircuitLayout>(0.0, 200.0, 0.0),
                        std::make_unique<CFHPipeEnd>(*busy.pipeEnd(0)));
  }
  // A new end replaces the old one in the layout too: nothing dangles.
  ASSERT_TRUE(design.setPipeEnd(0, std::make_unique<CFHPipeEnd>(XtGePoint2d(5, 5), 1, 0)));
  ASSERT_TRUE(design.setExitEnd(1, nullptr));
  {
    CFHZoneDesign::IdleAccess access(design);
    ASSERT_NE(access.layoutIfIdle(), nullptr);
    EXPECT_EQ(access.layoutIfIdle()->startEnd, design.pipeEnd(0));
    EXPECT_EQ(access.layoutIfIdle()->exitEnd2, nullptr);
  }
  // Display type 2: the main layout holds levels only and is not shown.
  design.setDisplayType(2);
  CFHZoneDesign::IdleAccess access(design);
  EXPECT_EQ(access.layoutIfIdle(), nullptr);
  EXPECT_NE(access.secondLayoutIfIdle(), nullptr);
}

}  // namespace
