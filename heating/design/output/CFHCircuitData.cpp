// The circuit list: what the supply and return pipes and the circuit label
// of a drawn design say of their circuit.
#include "heating/design/model/CFHCircuit.h"

#include "heating/design/output/CFHExtendedData.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/model/CFHZoneEntry.h"

ownedChain CFHCircuit::buildDataList(const CFHPipeNetwork& network) const {
  // The first zone's results; empty texts without a zone.
  const CFHZoneCalc* first = zones_.empty() ? nullptr : &zones_.front()->calc;
  auto zoneVar = [first](CFHZoneCalc::Result result, int decimals, double factor = 1.0) {
    return first != nullptr ? formatVarValue(first->results[result], decimals, factor) : std::u16string();
  };
  auto zoneReal = [first](double CFHZoneCalc::*field, int decimals) {
    return first != nullptr ? formatRealValue(first->*field, decimals) : std::u16string();
  };
  CFHDataChain chain;
  chain.add(u"_PT_CISLO_OKRUHU", formatIntValue(static_cast<std::int32_t>(number)));
  chain.add(u"_PT_X_CD_CBC", formatIntValue(static_cast<std::int32_t>(colourIndex)));
  chain.add(u"_PT_X_CD_DINS1", network.formatLocalPoint(connectionPoints[0]));
  chain.add(u"_PT_X_CD_DINS2", network.formatLocalPoint(connectionPoints[1]));
  chain.add(u"_PT_X_CD_LMAX", formatRealValue(calc.maxLoopLength, 3));
  chain.add(u"_PT_X_CD_L", formatRealValue(totalLength(), 3));
  chain.add(u"_PT_X_CD_LP", zoneReal(&CFHZoneCalc::connectionLength, 3));
  chain.add(u"_PT_X_CD_W", zoneVar(CFHZoneCalc::kW, 2));
  chain.add(u"_PT_X_CD_DT", zoneVar(CFHZoneCalc::kTS, 2));
  chain.add(u"_PT_X_IN_T1", formatRealValue(calc.t1, 3));
  chain.add(u"_PT_X_OUT_T2", formatRealValue(calc.t2, 3));
  chain.add(u"_PT_X_CD_C", zoneReal(&CFHZoneCalc::c, 2));
  chain.add(u"_PT_X_CD_R", zoneVar(CFHZoneCalc::kR2, 2));
  chain.add(u"_PT_X_CD_PMAXD", formatFlagValue(calc.checkMaxPressure));
  chain.add(u"_PT_X_CD_PMAX", formatRealValue(calc.maxPressure, 3));
  chain.add(u"_PT_X_CD_MHP", zoneVar(CFHZoneCalc::kMHP, 3, kPerMinute));
  chain.add(u"_PT_X_CD_P", zoneVar(CFHZoneCalc::kP, 3));
  chain.add(u"_PT_X_CD_KV", zoneVar(CFHZoneCalc::kKV, 2));
  const CFHModel* model = model_;
  chain.add(u"_PT_X_CD_LIN", model != nullptr ? model->loopLayers[0].view() : std::u16string_view());
  chain.add(u"_PT_X_CD_LOUT", model != nullptr ? model->loopLayers[1].view() : std::u16string_view());
  return chain.release();
}
