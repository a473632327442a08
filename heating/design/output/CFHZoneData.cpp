// The zone's records in a drawn design: its description "TPV1000-0001" and
// its heating body's "TPV1001-0001".
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/output/CFHExtendedData.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/model/CFHModelQueries.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/settings/DoubleArrayText.h"

#include <vector>

namespace {

// The border widths of the boundary's as-drawn items in item order, as the
// list text; the design's array without a boundary.
std::u16string borderWidthsText(const CFHZoneDesign& design) {
  std::vector<double> widths;
  if (const CFHZoneBoundary* boundary = design.boundary()) appendItemValues(boundary->asDrawnLoop, widths);
  else widths = design.borderWidths();
  return doubleArrayToText(widths).str();
}

// The position of the meander's base item among the boundary's items; -1
// when there is none.
std::int32_t meanderBaseIndex(const CFHZoneDesign& design) {
  const CFHZoneBoundary* boundary = design.boundary();
  return boundary != nullptr ? boundary->asDrawnLoop.indexOfId(static_cast<int>(design.meanderBaseId())) : -1;
}

}  // namespace

bool CFHZoneEntry::hasPlacedHeatingBody() const {
  return heatingBody != nullptr && (model_ == nullptr || model_->pendingHeatingBody != this);
}

ownedChain CFHZoneEntry::buildLabelData(const CFHPipeNetwork& network) const {
  const CFHZoneCalc& z = calc;
  auto var3 = [&z](CFHZoneCalc::Result result) { return formatVarValue(z.results[result], 3); };
  auto real3 = [](double value) { return formatRealValue(value, 3); };
  CFHDataChain chain = CFHDataChain::record(hvRecordId::kZoneDescription);
  chain.add(u"_PT_ZONA_OZN", formatZoneLabel(*this, false).view());
  chain.add(u"_PT_ZONA_POZNAMKA", note.view());
  chain.add(u"_PT_ZONA_CISLO", formatIntValue(static_cast<std::int32_t>(number)));
  chain.add(u"_PT_ZONA_C_OKRUHU", formatIntValue(circuit != nullptr ? static_cast<std::int32_t>(circuit->number) : -1));
  chain.add(u"_PT_ZONA_SP", real3(z.reducedArea));
  chain.add(u"_PT_ZONA_OP", real3(z.perimeter));
  chain.add(u"_PT_ZONA_PODL_UMISTENI", floorTypeText(z.placement).view());
  chain.add(u"_PT_ZONA_SKLADBA_AKC", z.floorStructureAction.view());
  chain.add(u"_PT_ZONA_SKLADBA_OZN", z.floorStructureMark.view());
  chain.add(u"_PT_ZONA_POTR_MATERIAL", circuit != nullptr ? circuit->calc.pipeMaterial.view() : std::u16string_view());
  chain.add(u"_PT_ZONA_POTR_PRUMER", real3(z.pipeDiameter));
  chain.add(u"_PT_ZONA_L_ROZTEC", real3(z.pipePitch));
  chain.add(u"_PT_ZONA_SPNN", real3(z.spnn));
  chain.add(u"_PT_ZONA_SPNS", real3(z.spns));
  chain.add(u"_PT_ZONA_LOSS_QC", real3(z.lossQc));
  chain.add(u"_PT_ZONA_TI", real3(z.ti));
  chain.add(u"_PT_ZONA_TI2", real3(z.ti2));
  chain.add(u"_PT_ZONA_TM", var3(CFHZoneCalc::kTM));
  chain.add(u"_PT_ZONA_TP", real3(z.tp));
  chain.add(u"_PT_ZONA_TP_FIX", formatFlagValue(z.tpFixed));
  chain.add(u"_PT_ZONA_TZ", real3(z.tz));
  chain.add(u"_PT_ZONA_A2P", real3(z.alphaP2));
  chain.add(u"_PT_ZONA_LVR", real3(z.lvr));
  chain.add(u"_PT_ZONA_KV", var3(CFHZoneCalc::kKV));
  chain.add(u"_PT_ZONA_TS", var3(CFHZoneCalc::kTS));
  chain.add(u"_PT_ZONA_C", real3(z.c));
  chain.add(u"_PT_ZONA_R2", var3(CFHZoneCalc::kR2));
  chain.add(u"_PT_ZONA_QPC", var3(CFHZoneCalc::kQPC));
  chain.add(u"_PT_ZONA_QO", var3(CFHZoneCalc::kQO));
  chain.add(u"_PT_ZONA_QP", var3(CFHZoneCalc::kQP));
  chain.add(u"_PT_ZONA_R", formatVarValue(z.borderR, 4));
  chain.add(u"_PT_ZONA_Q", var3(CFHZoneCalc::kQ));
  chain.add(u"_PT_ZONA_Q2", var3(CFHZoneCalc::kQ2));
  chain.add(u"_PT_ZONA_AP", real3(z.alphaP));
  chain.add(u"_PT_ZONA_LA", var3(CFHZoneCalc::kLA));
  chain.add(u"_PT_ZONA_LB", var3(CFHZoneCalc::kLB));
  chain.add(u"_PT_ZONA_M", var3(CFHZoneCalc::kM));
  chain.add(u"_PT_ZONA_L_DELKA", real3(z.totalLength));
  chain.add(u"_PT_ZONA_LH_DELKA", real3(z.loopLength));
  chain.add(u"_PT_ZONA_LP_DELKA", real3(z.connectionLength));
  chain.add(u"_PT_ZONA_MHP", formatVarValue(z.results[CFHZoneCalc::kMHP], 3, kPerMinute));
  chain.add(u"_PT_ZONA_W", var3(CFHZoneCalc::kW));
  chain.add(u"_PT_ZONA_P", var3(CFHZoneCalc::kP));
  chain.add(u"RZ", network.mark.view());
  chain.add(u"PRPD", network.firstDescription.view());
  chain.add(u"PRPO", network.secondDescription.view());
  const CFHZoneTotals zones = sumZoneVariantValues(*model_);
  const CFHCircuitTotals circuits = sumCircuitResults(*model_);
  chain.add(u"PRQC", formatVarValue(zones.output, 3));
  chain.add(u"PRCD", formatVarValue(zones.length, 3));
  chain.add(u"PRCP", formatVarValue(zones.area, 3));
  chain.add(u"_PT_RZ_CELK_MHP", formatVarValue(circuits.flow, 3, kPerMinute));
  chain.add(u"_PT_RZ_CELK_P", formatVarValue(circuits.pressureLoss, 3));
  chain.add(u"_PT_RZ_MAX_P", real3(circuits.maxPressureLoss));
  // Before the divider the description's values, after it the design's.
  chain.add(u"_XPPDIV", u"XPP");
  chain.add(u"_PT_X_MD_DID", formatFlagValue(word));
  const CFHZoneDesign& d = *design_;
  chain.add(u"_PT_X_ZDR_SHP", formatIntValue(static_cast<std::int32_t>(d.circuitShape())));
  chain.add(u"_PT_X_ZDR_DD", formatIntValue(static_cast<std::int32_t>(d.displayType())));
  chain.add(u"_PT_X_ZDR_SPC", formatRealValue(d.spacing(), -1));
  chain.add(u"_PT_X_ZDR_PERP", formatRealValue(d.perpendicularDistance(), -1));
  chain.add(u"_PT_X_ZDR_RADD", formatRealValue(d.detailDistance(), -1));
  chain.add(u"_PT_X_ZDR_RADL", formatRealValue(d.perimeterDistance(), -1));
  chain.add(u"_PT_X_ZDR_DARR", borderWidthsText(d));
  chain.add(u"_PT_X_ZDR_MEBA", formatIntValue(meanderBaseIndex(d)));
  chain.add(u"_PT_X_CLC_BFIX", formatFlagValue(z.borderFixed));
  chain.add(u"_PT_ZONA_PERCENT_T", formatPercentValue(z.results[CFHZoneCalc::kTheta], valueOf(z.tp - z.ti)));
  VARIANT output = outputWithHeatingBody();
  chain.add(u"_PT_ZONA_PERCENT_Q", formatPercentValue(output, valueOf(z.lossQc)));
  VariantClear(&output);
  chain.add(u"_PT_ZONA_SCELK", var3(CFHZoneCalc::kS));
  return chain.release();
}

ownedChain CFHZoneEntry::buildHeatingBodyData(const CFHPipeNetwork& network) const {
  if (!hasPlacedHeatingBody()) return nullptr;
  const CFHHeatingBody& body = *heatingBody;
  CFHDataChain chain = CFHDataChain::record(hvRecordId::kHeatingBody);
  chain.add(u"_PT_ZONA_OZN", formatZoneLabel(*this, true).view());
  chain.add(u"_PT_ZONA_CISLO", formatIntValue(static_cast<std::int32_t>(number)));
  chain.add(u"_PT_ZONA_C_OKRUHU", formatIntValue(static_cast<std::int32_t>(body.number)));
  chain.add(u"_PT_ZONA_QTP", formatIntValue(saturatedInt(body.output)));
  chain.add(u"_PT_ZONA_X_ADD_PINS", network.formatLocalPoint(body.insertionPoint));
  chain.add(u"_PT_ZONA_X_ADD_PNUM", network.formatLocalPoint(body.connectionPoint));
  chain.add(u"RZ", network.mark.view());
  return chain.release();
}
