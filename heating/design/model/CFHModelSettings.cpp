// The design model's settings: what the host, the data files and the
// floor-structure library give at command start (loadSettings), and the
// values the dialog pages stored last (loadProfileDefaults). A value that is
// missing, of the wrong kind or out of range leaves the model's default.
#include "heating/design/model/CFHModel.h"

#include "heating/design/calculation/CFHConstants.h"
#include "heating/design/model/CFHModelQueries.h"
#include "heating/design/commands/HostCaption.h"
#include "heating/design/calculation/KvTable.h"
#include "heating/design/settings/ProfileReads.h"
#include "heating/design/settings/ZoneToleranceSettings.h"

#include "heating/curves/DrawingUnitFactor.h"
#include "heating/layout/offsets/LayoutTolerances.h"

#include "host/CodePageText.h"
#include "host/ProfileLists.h"
#include "host/def_store.h"
#include "host/prf_store2.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char16_t* kEmptyMarker = u"$EMPTY$";
constexpr const char* kDefaultHatchPattern = "ANSI37";
constexpr double kDefaultHatchPatternScale = 30.0;

// The text of a combo box's chosen value (key + "_CB_ACT") when the store has it.
bool readChoice(def_store& store, const char16_t* key, CString& text) {
  CString composed(key);
  composed += u"_CB_ACT";
  return store.getString(composed, text, kEmptyMarker);
}

int findHatchPattern(const std::vector<CFHHatchPattern>& patterns, std::string_view name) {
  const auto found = std::find_if(patterns.begin(), patterns.end(),
                                  [&](const CFHHatchPattern& p) { return p.name() == name; });
  return found == patterns.end() ? -1 : static_cast<int>(found - patterns.begin());
}

}  // namespace

void CFHModel::loadSettings(const HostExport2D* host) {
  hostTable = host;
  unitFactor_ = usableDrawingUnitFactor();
  caption = hostCaptionOf(host);

  if (auto patterns77 = hostWordOf<77>(host)) {
    const unsigned char* records = nullptr;
    int count = 0;
    patterns77(0, &records, &count, 0);
    for (int i = 0; records != nullptr && i < count; ++i) {
      CFHHatchPattern pattern;
      std::memcpy(pattern.bytes.data(), records + static_cast<std::size_t>(i) * CFHHatchPattern::kSize,
                  CFHHatchPattern::kSize);
      hatchPatterns.push_back(pattern);
    }
    const int standard = findHatchPattern(hatchPatterns, kDefaultHatchPattern);
    if (standard >= 0) {
      hatchPattern = standard;
      hatchScale = kDefaultHatchPatternScale;
      hatchAngle = 0.0;
    }
  }

  setLayoutTolerances();
  const ZoneToleranceSettings tolerances =
      loadZoneTolerances(dataFiles_.veziru, unitFactor_, {zoneBoundsSetting, manifoldConnectionSetting});
  zoneBoundsSetting = tolerances.zoneBounds;
  manifoldConnectionSetting = tolerances.manifoldConnection;

  loadKvTable(CFHConstants::instance(), dataFiles_.heating);
  reloadFloorCatalogue();

  prf_store2 calc(dataFiles_.heating, u"FH_PAGE_CALC");
  readIndexBelow(calc, u"UNITS_MHP", 2, flowUnit);
  readIndexBelow(calc, u"UNITS_PMAX", 2, maxPressureUnit);
  readIndexBelow(calc, u"UNITS_P", 2, pressureUnit);

  descData_->readDefaultLayer(host);
}

void CFHModel::loadProfileDefaults() {
  const CString& file = dataFiles_.heating;
  CFHDesignDefaults& d = defaults_;
  CFHDescData& desc = *descData_;

  prf_store2 main(file, u"FH_DLG_MAIN");
  readText(main, u"CB_DISTR", manifoldTypeText);

  def_store graphicsChoices(file, u"FH_PAGE_GRAPHICS");
  CString text;
  if (readChoice(graphicsChoices, u"CB_LOOP_LAYER", text))
    desc.setLayerOrDefault(text, loopLayers[0], loopLayerUseDefault[0]);
  if (readChoice(graphicsChoices, u"CB_LOOP_LAYER_OUT", text))
    desc.setLayerOrDefault(text, loopLayers[1], loopLayerUseDefault[1]);

  prf_store2 graphics(file, u"FH_PAGE_GRAPHICS");
  readIndexBelow(graphics, u"CIRCUIT_SHAPE", 2, d.circuitShape);
  readIndexBelow(graphics, u"DISPLAY_TYPE", 3, d.displayType);
  readFiniteDouble(graphics, u"DETAIL_RADIUS", d.detailRadius);
  readFiniteDouble(graphics, u"PERIMETER_RADIUS", d.perimeterRadius);
  readPositiveDouble(graphics, u"PERIMETER_PITCH", d.perimeterPitch);
  if (readText(graphics, u"HATCH_NAME", text))
    setIndexIfValid([&] { return findHatchPattern(hatchPatterns, hvWideToMb(text.view())); }, hatchPattern);
  readFiniteDouble(graphics, u"HATCH_SCALE", hatchScale);
  readFiniteDouble(graphics, u"HATCH_ANGLE", hatchAngle);
  double pitch = 0.0;
  if (readPositiveDouble(graphics, u"PIPE_PITCH", pitch))
    pipeNetwork_.pipePitch = std::min(pitch * unitFactor_, pipeNetwork_.pipePitchLimit);

  prf_store2 calc(file, u"FH_PAGE_CALC");
  readIndexBelow(calc, u"CB_PLACEMENT", 3, d.placement);
  readText(calc, u"CB_PIPE_MAT", d.pipeMaterial);
  readFiniteDouble(calc, u"CB_PIPE_DIAM", d.pipeDiameter);
  readPositiveDouble(calc, u"CB_PIPE_PITCH", d.pipePitch);
  readFiniteDouble(calc, u"CB_FURN_LEGS", d.furnitureOnLegs);
  readFiniteDouble(calc, u"CB_FURN_PLINTH", d.furnitureOnPlinth);
  readFiniteDouble(calc, u"CB_T_TI", d.ti);
  readFiniteDouble(calc, u"CB_T_TDI", d.ti2);
  readFiniteDouble(calc, u"CB_T_TP", d.tp);
  readFlag(calc, u"T_TP_FIXED", d.tpFixed);
  readFiniteDouble(calc, u"CB_SOIL_RZ", d.soilRz);
  readFiniteDouble(calc, u"CB_T_TZ", d.tz);
  readFiniteDouble(calc, u"CB_ABOVE_AP", d.alphaP);
  readFiniteDouble(calc, u"CB_T_ADP", d.alphaP2);
  readFiniteDouble(calc, u"CB_T_LVR", d.lvr);
  readFiniteDouble(calc, u"CB_MAX_LEN", d.maxLoopLength);
  readFiniteDouble(calc, u"CB_CAPACITY", d.capacity);
  readFiniteDouble(calc, u"CB_BORDER_R", d.borderR);
  readFlag(calc, u"BORDER_FIXED", d.borderFixed);
  readFiniteDouble(calc, u"PMAX_KPA", d.maxPressure);
  readFlag(calc, u"CHECK_PMAX", d.checkMaxPressure);
  CString action;
  CString mark;
  if (readText(calc, u"FSTRUCT_ACTION", action) && readText(calc, u"FSTRUCT_NAME", mark) &&
      hasFloorStructure(mark, action)) {
    d.floorStructureAction = action;
    d.floorStructureMark = mark;
    loadFloorStructureLayers(mark, action, d.upperLayers, d.lowerLayers);
  }

  def_store descChoices(file, u"FH_PAGE_DESCS");
  static constexpr const char16_t* styleKeys[] = {u"CB_OPT_STYLE", u"CB_OR_STYLE", u"CB_CO_STYLE", u"CB_DOT_STYLE"};
  static constexpr const char16_t* layerKeys[] = {u"CB_OPT_LAYER", u"CB_OR_LAYER", u"CB_CO_LAYER", u"CB_DOT_LAYER"};
  for (int i = 0; i < CFHDescData::kStyleKindCount; ++i) {
    if (readChoice(descChoices, styleKeys[i], text)) desc.textStyles[i] = desc.resolveTextStyle(text);
  }
  for (int i = 0; i < CFHDescData::kStyleKindCount; ++i) {
    if (readChoice(descChoices, layerKeys[i], text)) desc.setLayerOrDefault(text, desc.layers[i], desc.useDefaultLayer[i]);
  }

  prf_store2 descs(file, u"FH_PAGE_DESCS");
  static constexpr const char16_t* heightKeys[] = {u"CB_OPT_THEIGHT", u"CB_DPP_THEIGHT", u"CB_OR_THEIGHT",
                                                   u"CB_CO_THEIGHT", u"CB_DOT_THEIGHT"};
  static constexpr const char16_t* factorKeys[] = {u"CB_OPT_TWFACTOR", u"CB_DPP_TWFACTOR", u"CB_OR_TWFACTOR",
                                                   u"CB_CO_TWFACTOR", u"CB_DOT_TWFACTOR"};
  for (int i = 0; i < CFHDescData::kTextKindCount; ++i) {
    double value = 0.0;
    if (readFiniteDouble(descs, heightKeys[i], value)) CFHDescData::setTextHeightChecked(value, desc.textHeights[i]);
    if (readFiniteDouble(descs, factorKeys[i], value)) CFHDescData::setWidthFactorChecked(value, desc.widthFactors[i]);
  }

  prf_store2 zones(file, u"FH_PAGE_ZONES_AND_CIRCUITS");
  readText(zones, u"CB_ZCOMMENT", d.zoneNote);

  def_store maskFiles;
  maskFiles.setPaths(file, dataFiles_.settings, u"DESC_FLOORHEATING");
  maskFiles.open(dataFiles_.ini, u"DESC_FLOORHEATING");
  readIniList(maskFiles, u"DESC_FLOORHEATING", u"MASK_FLOORHEATING", u"MASK", iniListValue,
              [&](LPCWSTR, LPCWSTR rest, int) {
                desc.descriptionMask = rest;
                return false;
              });
}
