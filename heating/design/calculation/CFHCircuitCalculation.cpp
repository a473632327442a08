// The circuit's side of the heating calculation: the connection length of
// its zones, the warnings, and the loop-length and pressure limits.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/curves/VariantValue.h"

#include <cmath>

namespace {

// The warning bits of one zone (CFHCircuit::kWarn...).
std::int32_t zoneWarnings(const CFHZoneCalc& calc, const CFHCircuitCalc& circuit) {
  std::int32_t bits = 0;
  const VARIANT& tm = calc.results[CFHZoneCalc::kTM];
  if (variantValueIsValid(tm) && calc.tp > tm.dblVal) bits |= CFHCircuit::kWarnTpAboveTm;
  if (calc.ti > calc.tp) bits |= CFHCircuit::kWarnTiAboveTp;
  if (circuit.t2 >= circuit.t1) bits |= CFHCircuit::kWarnReturnNotBelow;
  return bits;
}

double pipeLength(const CFloorHeatingCurve* pipe) {
  const double length = pipe != nullptr ? pipe->length() : 0.0;
  return std::isfinite(length) ? length : 0.0;
}

}  // namespace

std::int32_t CFHCircuit::calculate() {
  waitForWorker();
  const double lc = (pipeLength(supplyPipe_.get()) + pipeLength(returnPipe_.get())) / model_->unitFactor();
  std::int32_t bits = 0;
  for (CFHZoneEntry* zone : zones_) {
    zone->calculate(lc);
    bits |= zoneWarnings(zone->calc, calc);
  }
  return bits;
}

void CFHZoneEntry::calculate(double lc) {
  calc.setConnectionLength(lc);
  calc.calculate();
}

double CFHCircuit::totalLength() const {
  if (zones_.empty()) return 0.0;
  double length = zones_.front()->calc.connectionLength;
  for (const CFHZoneEntry* zone : zones_) length += zone->calc.loopLength;
  return length;
}

bool CFHCircuit::isLengthExceeded() const { return totalLength() > calc.maxLoopLength + 1e-9; }

bool CFHCircuit::zoneReachesMaxPressure() const {
  if (calc.checkMaxPressure == 0) return false;
  for (const CFHZoneEntry* zone : zones_)
    if (variantValueNear(zone->calc.results[CFHZoneCalc::kP], calc.maxPressure, 0.0001)) return true;
  return false;
}

bool CFHZoneEntry::isOverLimits() const {
  if (circuit == nullptr) return false;
  return circuit->isLengthExceeded() ||
         variantValueGreater(calc.results[CFHZoneCalc::kP], circuit->calc.maxPressure, 0.0001);
}

bool CFHModel::zonesOverLimits(CString& text) const {
  text.Empty();
  for (const auto& zone : zones_) {
    if (!zone->isOverLimits()) continue;
    if (text.IsEmpty())
      text.Format(u"%d", static_cast<int>(zone->number));
    else
      text.AppendFormat(u", %d", static_cast<int>(zone->number));
  }
  return !text.IsEmpty();
}
