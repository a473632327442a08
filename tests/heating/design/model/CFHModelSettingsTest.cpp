// The command settings: every key read reaches the model, nothing replaces a
// default that is missing, of the wrong kind or out of range.
#include "heating/design/calculation/CFHConstants.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/settings/FloorStructureLayers.h"
#include "heating/design/commands/HostCaption.h"
#include "heating/design/calculation/KvTable.h"

#include "heating/layout/offsets/LayoutTolerances.h"

#include "host/SiblingModules.h"

#include "tests/heating/design/DesignTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

// Floor structures "Podlaha A" (marks "P1", "P2") and "Podlaha B" ("P3"), each
// of three layers, the second the last above the pipes.
char* heapText(const char* text) {
  char* copy = static_cast<char*>(std::malloc(std::strlen(text) + 1));
  std::strcpy(copy, text);
  return copy;
}
template <std::size_t N>
int heapList(const char* const (&texts)[N], char*** out) {
  *out = static_cast<char**>(std::malloc(sizeof(char*) * N));
  for (std::size_t i = 0; i < N; ++i) (*out)[i] = heapText(texts[i]);
  return static_cast<int>(N);
}
int enumActions(int, char*** names) { return heapList({"Podlaha A", "Podlaha B"}, names); }
int enumMarks(int, const char* name, char*** marks) {
  if (std::strcmp(name, "Podlaha A") == 0) return heapList({"P1", "P2", "P1"}, marks);
  return heapList({"P3"}, marks);
}
int enumDef(int, const char*, const char*, HvFloorLayer*** layers) {
  const HvFloorLayer all[] = {{0, 10.0, 1.0}, {1, 50.0, 1.2}, {1, 40.0, 0.04}};
  *layers = static_cast<HvFloorLayer**>(std::malloc(sizeof(HvFloorLayer*) * 3));
  for (int i = 0; i < 3; ++i) {
    (*layers)[i] = static_cast<HvFloorLayer*>(std::malloc(sizeof(HvFloorLayer)));
    *(*layers)[i] = all[i];
  }
  return 3;
}

class Settings : public zone_test::ZoneTest {
 protected:
  Settings() : savedSiblings_(hvSiblings), savedKv_(CFHConstants::instance().curve(CFHConstants::kvTableCurve)) {
    hvSiblings.floorEnumAction = enumActions;
    hvSiblings.floorEnumMarks = enumMarks;
    hvSiblings.floorEnumDef = enumDef;
    savedZone_ = zoneBoundsTol;
  }
  ~Settings() override {
    hvSiblings = savedSiblings_;
    CFHConstants::instance().curve(CFHConstants::kvTableCurve) = savedKv_;
    zoneBoundsTol = savedZone_;
  }
  void load(CFHModel& model) {
    model.setDataFiles(folder.files());
    model.loadSettings(&host.table);
    model.loadProfileDefaults();
  }

  design_test::DataFolder folder;
  design_test::FakeHostTable host;

 private:
  HvSiblingFunctions savedSiblings_;
  XtGePoint2dArray savedKv_;
  XtGeTol savedZone_;
};

std::string dump(const CFHModel& m) {
  const CFHDesignDefaults& d = m.defaults();
  const CFHDescData& desc = m.descData();
  std::ostringstream out;
  auto text = [](const CString& s) { return hvWideToUtf8(s.view()); };
  out << text(m.manifoldTypeText) << ' ' << text(m.loopLayers[0]) << m.loopLayerUseDefault[0] << ' '
      << text(m.loopLayers[1]) << m.loopLayerUseDefault[1] << '\n'
      << d.circuitShape << ' ' << d.displayType << ' ' << d.detailRadius << ' ' << d.perimeterRadius << ' '
      << d.perimeterPitch << ' ' << m.hatchPattern << ' ' << m.hatchScale << ' ' << m.hatchAngle << ' '
      << m.pipeNetwork().pipePitch << '\n'
      << d.placement << ' ' << text(d.pipeMaterial) << ' ' << d.pipeDiameter << ' ' << d.pipePitch << ' '
      << d.furnitureOnLegs << ' ' << d.furnitureOnPlinth << ' ' << d.ti << ' ' << d.ti2 << ' ' << d.tp << ' '
      << int(d.tpFixed) << ' ' << d.soilRz << ' ' << d.tz << ' ' << d.alphaP << ' ' << d.alphaP2 << ' ' << d.lvr
      << ' ' << d.maxLoopLength << ' ' << d.capacity << ' ' << d.borderR << ' ' << int(d.borderFixed) << ' '
      << d.maxPressure << ' ' << int(d.checkMaxPressure) << '\n'
      << text(d.floorStructureAction) << '/' << text(d.floorStructureMark) << ' ' << d.upperLayers.size() << '+'
      << d.lowerLayers.size() << '\n';
  for (int i = 0; i < CFHDescData::kStyleKindCount; ++i)
    out << text(desc.textStyles[i]) << ' ' << text(desc.layers[i]) << desc.useDefaultLayer[i] << ' ';
  out << '\n';
  for (int i = 0; i < CFHDescData::kTextKindCount; ++i) out << desc.textHeights[i] << '/' << desc.widthFactors[i] << ' ';
  out << '\n'
      << text(d.zoneNote) << ' ' << text(desc.descriptionMask) << ' ' << m.flowUnit << m.maxPressureUnit
      << m.pressureUnit << ' ' << m.zoneBoundsSetting << ' ' << m.manifoldConnectionSetting << '\n';
  return out.str();
}

constexpr const char* kDefaultsDump =
    " 00 00\n"
    "1 0 50 50 200 2 30 0 200\n"
    "0  0.017 0.2 0 0 20 15 22.5 1 1.11 4 12 8 1.2 120 4176 0.02 0 10 0\n"
    "/ 0+0\n"
    " 00  00  00  00 \n"
    "7.2/0.75 4.8/0.75 7.2/0.75 4.8/0.75 7.2/0.75 \n"
    "  011 25 25\n";

TEST_F(Settings, WithoutFilesEveryDefaultStays) {
  CFHModel model;
  load(model);
  EXPECT_EQ(dump(model), kDefaultsDump);  // "ANSI37" of the host: pattern 2, scale 30
  EXPECT_EQ(model.caption, CString(u"Havlen"));
  EXPECT_EQ(model.hatchPatterns.size(), 4u);
  EXPECT_EQ(model.descData().defaultLayer, CString(u"STENY"));
  EXPECT_EQ(model.descData().drawingTextStyles.size(), 3u);
  EXPECT_EQ(model.descData().layerState[1], 2);
  EXPECT_EQ(model.floorCatalogue.entries().size(), 2u);
  EXPECT_EQ(model.floorCatalogue.entries()[0]->values.size(), 2u);  // "P1" once
  EXPECT_DOUBLE_EQ(zoneBoundsTol.equalPoint(), 25.0);
  EXPECT_DOUBLE_EQ(zoneBoundsTol.equalVector(), 0.25);
  EXPECT_DOUBLE_EQ(heatingTolCoarse.equalPoint(), 15.0);
  EXPECT_DOUBLE_EQ(layoutTolFine.equalVector(), 1e-11);
}

TEST_F(Settings, EveryKeyReachesTheModel) {
  folder.write("VEZIRU.dat",
               "[TOLERANCE]\r\nDozidEzezovedo.ZoneBounds=10\r\nDozidEzezovedo.ManifoldConnection=5\r\n");
  folder.write("Qev_set.dat", "[DESC_FLOORHEATING]\r\nMASK_FLOORHEATING=<_CISLO>\r\n");
  folder.write("qev_heat_floors.dat",
               "[FH_CONSTANTS]\r\nKV_TABLE=[1|2|3|4|5]\r\n"
               "[FH_DLG_MAIN]\r\nCB_DISTR=Rozdelovac\r\n"
               "[FH_PAGE_GRAPHICS]\r\nCB_LOOP_LAYER_CB_ACT=POTRUBI\r\nCB_LOOP_LAYER_OUT_CB_ACT=*\r\n"
               "CIRCUIT_SHAPE=0\r\nDISPLAY_TYPE=2\r\nDETAIL_RADIUS=40\r\nPERIMETER_RADIUS=60\r\n"
               "PERIMETER_PITCH=150\r\nHATCH_NAME=SOLID\r\nHATCH_SCALE=2\r\nHATCH_ANGLE=45\r\nPIPE_PITCH=0.1\r\n"
               "[FH_PAGE_CALC]\r\nUNITS_MHP=1\r\nUNITS_PMAX=0\r\nUNITS_P=0\r\nCB_PLACEMENT=2\r\nCB_PIPE_MAT=PE-Xa\r\n"
               "CB_PIPE_DIAM=0.02\r\nCB_PIPE_PITCH=0.15\r\nCB_FURN_LEGS=0.1\r\nCB_FURN_PLINTH=0.2\r\n"
               "CB_T_TI=21\r\nCB_T_TDI=16\r\nCB_T_TP=23\r\nT_TP_FIXED=0\r\nCB_SOIL_RZ=1.5\r\nCB_T_TZ=5\r\n"
               "CB_ABOVE_AP=11\r\nCB_T_ADP=7\r\nCB_T_LVR=1.1\r\nCB_MAX_LEN=100\r\nCB_CAPACITY=4200\r\n"
               "CB_BORDER_R=0.03\r\nBORDER_FIXED=5\r\nPMAX_KPA=20\r\nCHECK_PMAX=1\r\n"
               "FSTRUCT_ACTION=Podlaha A\r\nFSTRUCT_NAME=P2\r\n"
               "[FH_PAGE_DESCS]\r\nCB_OPT_STYLE_CB_ACT=arial\r\nCB_OR_STYLE_CB_ACT=Courier\r\n"
               "CB_CO_STYLE_CB_ACT=ISOCP\r\nCB_DOT_STYLE_CB_ACT=Standard\r\nCB_OPT_LAYER_CB_ACT=POPISY\r\n"
               "CB_OR_LAYER_CB_ACT=\r\nCB_CO_LAYER_CB_ACT=OKRUHY\r\nCB_DOT_LAYER_CB_ACT=TELESA\r\n"
               "CB_OPT_THEIGHT=5\r\nCB_DPP_THEIGHT=3\r\nCB_OR_THEIGHT=6\r\nCB_CO_THEIGHT=2.5\r\n"
               "CB_DOT_THEIGHT=4\r\nCB_OPT_TWFACTOR=0.8\r\nCB_DPP_TWFACTOR=0.9\r\nCB_OR_TWFACTOR=1\r\n"
               "CB_CO_TWFACTOR=0.7\r\nCB_DOT_TWFACTOR=0.6\r\n"
               "[FH_PAGE_ZONES_AND_CIRCUITS]\r\nCB_ZCOMMENT=obyvak\r\n");
  CFHModel model;
  load(model);
  EXPECT_EQ(dump(model),
            "Rozdelovac POTRUBI0 STENY1\n"
            "0 2 40 60 150 0 2 45 100\n"
            "2 PE-Xa 0.02 0.15 0.1 0.2 21 16 23 0 1.5 5 11 7 1.1 100 4200 0.03 1 20 1\n"
            "Podlaha A/P2 2+1\n"
            "Arial POPISY0 Standard STENY1 ISOCP OKRUHY0 Standard TELESA0 \n"
            "5/0.8 3/0.9 6/1 2.5/0.7 4/0.6 \n"
            "obyvak <_CISLO> 100 10 5\n");
  EXPECT_DOUBLE_EQ(model.defaults().upperLayers[1].thickness, 0.05);
  EXPECT_DOUBLE_EQ(model.defaults().lowerLayers[0].value, 0.04);
  const XtGePoint2dArray& kv = CFHConstants::instance().curve(CFHConstants::kvTableCurve);
  ASSERT_EQ(kv.length(), 2);  // five numbers: two points, the last number left out
  EXPECT_EQ(kv[1], XtGePoint2d(3.0, 4.0));
  EXPECT_DOUBLE_EQ(zoneBoundsTol.equalPoint(), 10.0);
  EXPECT_DOUBLE_EQ(manifoldConnectionTol.equalVector(), 0.05);
}

TEST_F(Settings, ValuesOutOfRangeLeaveTheDefaults) {
  folder.write("VEZIRU.dat", "[TOLERANCE]\r\nDozidEzezovedo.ZoneBounds=0\r\nDozidEzezovedo.ManifoldConnection=nan\r\n");
  folder.write("qev_heat_floors.dat",
               "[FH_CONSTANTS]\r\nKV_TABLE=[7]\r\n"
               "[FH_PAGE_GRAPHICS]\r\nCIRCUIT_SHAPE=2\r\nDISPLAY_TYPE=3\r\nDETAIL_RADIUS=nan\r\n"
               "PERIMETER_PITCH=0\r\nHATCH_NAME=ansi31\r\nHATCH_SCALE=1.5x\r\nPIPE_PITCH=-1\r\n"
               "[FH_PAGE_CALC]\r\nUNITS_MHP=2\r\nUNITS_P=-1\r\nCB_PLACEMENT=3\r\nCB_PIPE_PITCH=0\r\n"
               "CB_T_TI=inf\r\nT_TP_FIXED=x\r\nFSTRUCT_ACTION=Podlaha B\r\nFSTRUCT_NAME=P2\r\n"
               "[FH_PAGE_DESCS]\r\nCB_OPT_THEIGHT=0.001\r\nCB_DPP_THEIGHT=1000\r\nCB_OR_TWFACTOR=-1\r\n");
  CFHModel model;
  load(model);
  EXPECT_EQ(dump(model), kDefaultsDump);
  EXPECT_TRUE(CFHConstants::instance().curve(CFHConstants::kvTableCurve).isEmpty());
}

TEST_F(Settings, AFactorlessHostCountsOneAndATablelessHostNothing) {
  drawingUnitFactor = 0.0;
  CFHModel model;
  model.setDataFiles(folder.files());
  model.loadSettings(nullptr);
  EXPECT_EQ(model.unitFactor(), 1.0);
  EXPECT_EQ(model.caption, CString(u"ERROR"));
  EXPECT_EQ(model.descData().drawingTextStyles, std::vector<CString>{CString(u"Standard")});
  EXPECT_TRUE(model.hatchPatterns.empty());
  EXPECT_EQ(model.hatchPattern, -1);
  EXPECT_DOUBLE_EQ(zoneBoundsTol.equalPoint(), 0.025);  // 1 × 0.001 × 25, never 0
  EXPECT_DOUBLE_EQ(heatingTolCoarse.equalVector(), 0.001);
  EXPECT_EQ(model.addZone(1)->design()->spacing(), 0.2);
  drawingUnitFactor = 1000.0;
  EXPECT_EQ(hostCaptionOf(nullptr), CString(u"ERROR"));
}

TEST_F(Settings, KvTableInTheStoresOwnListForm) {
  folder.write("qev_heat_floors.dat", "[FH_CONSTANTS]\r\nKV_TABLE=;0.5;1;2;3\r\n");
  EXPECT_TRUE(loadKvTable(CFHConstants::instance(), folder.files().heating));
  EXPECT_EQ(CFHConstants::instance().curve(CFHConstants::kvTableCurve).length(), 2);
  EXPECT_FALSE(loadKvTable(CFHConstants::instance(), CString()));
}

TEST_F(Settings, FloorStructureLayersSwitchOnceAtTheFirstFlag) {
  std::vector<CFHFloorLayer> upper{{1.0, 1.0}};
  std::vector<CFHFloorLayer> lower{{1.0, 1.0}};
  loadFloorStructureLayers(CString(u"P1"), CString(u"Podlaha A"), upper, lower);
  ASSERT_EQ(upper.size(), 2u);
  ASSERT_EQ(lower.size(), 1u);
  EXPECT_DOUBLE_EQ(upper[0].thickness, 0.01);
  EXPECT_DOUBLE_EQ(lower[0].thickness, 0.04);
  hvSiblings.floorEnumDef = nullptr;
  loadFloorStructureLayers(CString(u"P1"), CString(u"Podlaha A"), upper, lower);
  EXPECT_TRUE(upper.empty() && lower.empty());

  CFHModel model;
  model.reloadFloorCatalogue();
  model.usedFloorStructures.add(CString(u"Vlastni"), CString(u"V1"));
  EXPECT_TRUE(model.hasFloorStructure(CString(u"P3"), CString(u"Podlaha B")));
  EXPECT_TRUE(model.hasFloorStructure(CString(u"V1"), CString(u"Vlastni")));
  EXPECT_FALSE(model.hasFloorStructure(CString(u"P3"), CString(u"Podlaha A")));
  model.reloadFloorCatalogue();  // the used structures stay
  EXPECT_TRUE(model.hasFloorStructure(CString(u"V1"), CString(u"Vlastni")));
}

}  // namespace
