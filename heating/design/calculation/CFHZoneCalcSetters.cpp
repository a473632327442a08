// The change-detecting setters of a zone's calculation record.
#include "heating/design/calculation/CFHZoneCalc.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/calculation/CalcChangeMask.h"
#include "heating/design/calculation/ChangeThreshold.h"

#include "host/entities/nameCompare.h"

#include "resources/ModuleStrings.h"

#include <cmath>

namespace {

constexpr double kAreaStep = 1e-18;
constexpr double kLengthStep = 1e-9;
constexpr double kInputStep = 0.01;

}  // namespace

bool CFHZoneCalc::setArea(double value) { return changeByThreshold(area, value, kAreaStep, valid); }
bool CFHZoneCalc::setReducedArea(double value) { return changeByThreshold(reducedArea, value, kAreaStep, valid); }
bool CFHZoneCalc::setPerimeter(double value) { return changeByThreshold(perimeter, value, kLengthStep, valid); }
bool CFHZoneCalc::setConnectionLength(double value) {
  return changeByThreshold(connectionLength, value, kLengthStep, valid);
}
bool CFHZoneCalc::setSpns(double value) { return changeByThreshold(spns, value, kAreaStep, valid); }
bool CFHZoneCalc::setSpnn(double value) { return changeByThreshold(spnn, value, kAreaStep, valid); }
bool CFHZoneCalc::setLossQc(double value) { return changeByThreshold(lossQc, value, kInputStep, valid); }

bool CFHZoneCalc::setTi(double value, std::uint32_t* coupled) {
  if (!changeByThreshold(ti, value, kInputStep, valid)) return false;
  if (ti > tp) {
    tp = ti;
    if (coupled != nullptr) *coupled |= calc_change::kTpRaisedToTi;
  }
  return true;
}

bool CFHZoneCalc::setTp(double value, std::uint32_t* coupled) {
  if (!changeByThreshold(tp, value, kInputStep, valid)) return false;
  if (tpFixed == 1 && ti > tp) {
    ti = tp;
    if (coupled != nullptr) *coupled |= calc_change::kTiLoweredToTp;
  }
  return true;
}

bool CFHZoneCalc::setTpFixed(std::uint8_t value) { return changeIfDifferent(tpFixed, value, valid); }
bool CFHZoneCalc::setPipeDiameter(double value) { return changeByThreshold(pipeDiameter, value, kLengthStep, valid); }
bool CFHZoneCalc::setPipePitch(double value) { return changeByThreshold(pipePitch, value, kLengthStep, valid); }
bool CFHZoneCalc::setTi2(double value) { return changeByThreshold(ti2, value, kInputStep, valid); }
bool CFHZoneCalc::setAlphaP(double value) { return changeByThreshold(alphaP, value, kInputStep, valid); }
bool CFHZoneCalc::setAlphaP2(double value) { return changeByThreshold(alphaP2, value, kInputStep, valid); }
bool CFHZoneCalc::setLvr(double value) { return changeByThreshold(lvr, value, kInputStep, valid); }
bool CFHZoneCalc::setC(double value) { return changeByThreshold(c, value, kInputStep, valid); }
bool CFHZoneCalc::setSoilRz(double value) { return changeByThreshold(soilRz, value, kInputStep, valid); }
bool CFHZoneCalc::setTz(double value) { return changeByThreshold(tz, value, kInputStep, valid); }
bool CFHZoneCalc::setPlacement(std::uint32_t value) { return changeIfDifferent(placement, value, valid); }
bool CFHZoneCalc::setComboIndexB(std::uint32_t value) { return changeIfDifferent(areaFromHeatLoss, value, valid); }
bool CFHZoneCalc::setBorderFixed(std::uint8_t value) { return changeIfDifferent(borderFixed, value, valid); }

bool CFHZoneCalc::setBorderR(const VARIANT& value) {
  const bool empty = value.vt == VT_EMPTY;
  if (!empty && (value.vt != VT_R8 || !std::isfinite(value.dblVal))) return false;
  const bool storedFinite = borderR.vt == VT_R8 && std::isfinite(borderR.dblVal);
  if (empty ? borderR.vt == VT_EMPTY : storedFinite && std::fabs(borderR.dblVal - value.dblVal) <= kLengthStep)
    return false;
  // R x the drawing unit factor is the zone's first pipe offset: the job
  // ends before R changes, and the circuit is to be laid out again.
  if (zone != nullptr && zone->circuit != nullptr) zone->circuit->designInputChanged();
  borderR = empty ? emptyValue() : valueOf(value.dblVal);
  valid = 0;
  return true;
}

bool CFHZoneCalc::setBorderR(double value) { return setBorderR(valueOf(value)); }

bool CFHZoneCalc::setPlacementFromText(const CString& text) {
  static constexpr struct {
    UINT id;
    std::uint32_t placement;
  } kTexts[] = {{IDS_PLACEMENT_HEATED_BELOW, 1}, {IDS_PLACEMENT_GROUND_FLOOR, 0}, {IDS_PLACEMENT_BASEMENT, 2}};
  for (const auto& entry : kTexts) {
    CString known;
    if (known.LoadString(entry.id) && sameNameNoCase(text.view(), known.view())) return setPlacement(entry.placement);
  }
  return false;
}

bool CFHZoneCalc::setFloorStructure(const CString& mark, const CString& action, bool force) {
  if (!force && sameNameNoCase(mark.view(), floorStructureMark.view()) &&
      sameNameNoCase(action.view(), floorStructureAction.view()))
    return false;
  valid = 0;
  floorStructureMark = mark;
  floorStructureAction = action;
  loadFloorStructureLayers(mark, action, upperLayers, lowerLayers);
  return true;
}
