// One field of the dialog pages over the selected zones.
#include "heating/design/model/CFHPropertyValues.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/curves/VariantValue.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>
#include <string_view>

namespace {

enum class Kind { None, Int, Flag, Text, Real, Sum };

struct Property {
  Kind kind = Kind::Real;
  // Each circuit once: a zone whose circuit was met before is skipped.
  bool perCircuit = false;
  // The field is the circuit's: a zone without circuit gives nothing.
  bool ofCircuit = false;
  // Two doubles closer than this are one value.
  double tolerance = 0.01;
};

Property propertyOf(int id) {
  Property p;
  switch (id) {
    case 0: case 1: p.kind = Kind::Int; break;
    case 2: case 3: case 4: p.kind = Kind::Text; break;
    case 5: case 8: case 9: case 29: case 30: case 32: case 35: case 36: case 39: case 40: case 42: case 43:
    case 45: p.kind = Kind::Sum; break;
    case 15: case 16: p.kind = Kind::None; break;
    case 26: case 54: case 58: p.kind = Kind::Flag; break;
    default: p.kind = id >= CFHPropertyValueList::kFirstId && id <= CFHPropertyValueList::kLastId ? Kind::Real : Kind::None;
  }
  p.perCircuit = id == 4 || id == 43 || id == 46 || (id >= 54 && id <= 57);
  p.ofCircuit = p.perCircuit && id != 43;
  switch (id) {
    case 6: case 7: p.tolerance = 1e-18; break;
    case 10: case 21: p.tolerance = 1.0; break;
    case 11: case 12: case 17: p.tolerance = 0.1; break;
    case 13: case 14: case 27: p.tolerance = 1e-9; break;
    case 55: p.tolerance = 0.0001; break;
    default: break;
  }
  return p;
}

VARIANT integerValue(std::int32_t i) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = i;
  return v;
}

VARIANT textValue(const CString& text) {
  VARIANT v;
  VariantInit(&v);
  v.bstrVal = SysAllocStringLen(text.GetString(), static_cast<UINT>(text.view().size()));
  if (v.bstrVal == nullptr) throw std::bad_alloc();
  v.vt = VT_BSTR;
  return v;
}

double resultOf(const CFHZoneCalc& calc, CFHZoneCalc::Result r) { return variantValueToDouble(calc.results[r]); }

// A numeric value that may be empty, as the pages show it: 0 when empty.
double shown(const VARIANT& value) { return variantValueToDouble(value); }

// What a zone adds to a sum; nothing for an empty result. circuitMet: the
// zone's circuit was counted before (its LP then is not counted again).
std::optional<double> summand(const CFHZoneEntry& zone, int id, bool circuitMet) {
  const CFHZoneCalc& c = zone.calc;
  const auto result = [&c](CFHZoneCalc::Result r) -> std::optional<double> {
    if (!variantValueIsValid(c.results[r])) return std::nullopt;
    return c.results[r].dblVal;
  };
  std::optional<double> value;
  switch (id) {
    case 5: value = c.area; break;
    case 8: value = c.reducedArea; break;
    case 9: value = c.perimeter; break;
    case 29: return result(CFHZoneCalc::kQPC);
    case 30: return result(CFHZoneCalc::kS);
    case 32: return result(CFHZoneCalc::kQO);
    case 35: return result(CFHZoneCalc::kQP);
    case 36: return result(CFHZoneCalc::kTotalOutput);
    case 39: return result(CFHZoneCalc::kP);
    case 40: return result(CFHZoneCalc::kMHP);
    case 42: value = c.loopLength; break;
    case 43: value = c.connectionLength; break;
    case 45: value = c.loopLength + (zone.circuit != nullptr && !circuitMet ? c.connectionLength : 0.0); break;
    default: return std::nullopt;
  }
  if (!std::isfinite(*value)) return std::nullopt;
  return value;
}

// The zone's value of a field that is not a sum.
VARIANT fieldValue(const CFHZoneEntry& zone, int id) {
  const CFHZoneCalc& c = zone.calc;
  const CFHCircuitCalc* circuit = zone.circuit != nullptr ? &zone.circuit->calc : nullptr;
  switch (id) {
    case 0: return integerValue(static_cast<std::int32_t>(c.placement));
    case 1: return integerValue(static_cast<std::int32_t>(c.areaFromHeatLoss));
    case 2: return textValue(c.floorStructureAction);
    case 3: return textValue(c.floorStructureMark);
    case 4: return textValue(circuit->pipeMaterial);
    case 6: return valueOf(c.spns);
    case 7: return valueOf(c.spnn);
    case 10: return valueOf(c.lossQc);
    case 11: return valueOf(c.ti);
    case 12: return valueOf(c.tp);
    case 13: return valueOf(c.pipeDiameter);
    case 14: return valueOf(c.pipePitch);
    case 17: return valueOf(c.ti2);
    case 18: return valueOf(c.alphaP);
    case 19: return valueOf(c.alphaP2);
    case 20: return valueOf(c.lvr);
    case 21: return valueOf(c.c);
    case 22: return valueOf(c.soilRz);
    case 23: return valueOf(c.tz);
    case 24: return valueOf(resultOf(c, CFHZoneCalc::kLA));
    case 25: return valueOf(resultOf(c, CFHZoneCalc::kLB));
    case 26: return integerValue(c.borderFixed != 0 ? 1 : 0);
    case 27: return valueOf(shown(c.borderR));
    case 28: return valueOf(resultOf(c, CFHZoneCalc::kTM));
    case 31: return valueOf(resultOf(c, CFHZoneCalc::kM));
    case 33: return valueOf(resultOf(c, CFHZoneCalc::kQ));
    case 34: return valueOf(resultOf(c, CFHZoneCalc::kQ2));
    case 37: return valueOf(resultOf(c, CFHZoneCalc::kValue475));
    case 38: return valueOf(resultOf(c, CFHZoneCalc::kWeightedTemperature));
    case 41: return valueOf(resultOf(c, CFHZoneCalc::kW));
    case 44: return valueOf(resultOf(c, CFHZoneCalc::kKV));
    case 46: return valueOf(circuit->maxLoopLength);
    case 47: return valueOf(resultOf(c, CFHZoneCalc::kTS));
    case 48: return valueOf(resultOf(c, CFHZoneCalc::kR2));
    case 49: return valueOf(resultOf(c, CFHZoneCalc::kTpMinusTi));
    case 50: return valueOf(resultOf(c, CFHZoneCalc::kTheta));
    case 51: return valueOf(shown(variantValueDiv(c.results[CFHZoneCalc::kTpMinusTi], c.results[CFHZoneCalc::kTheta])));
    case 52: return valueOf(shown(variantValueDiv(zone.outputWithHeatingBody(), valueOf(c.lossQc))));
    case 53: return valueOf(shown(zone.outputWithHeatingBody()));
    case 54: return integerValue(circuit->checkMaxPressure != 0 ? 1 : 0);
    case 55: return valueOf(circuit->maxPressure);
    case 56: return valueOf(circuit->t1);
    case 57: return valueOf(circuit->t2);
    case 58: return integerValue(c.tpFixed != 0 ? 1 : 0);
    default: return emptyValue();
  }
}

std::u16string_view textOf(const VARIANT& v) { return {v.bstrVal, SysStringLen(v.bstrVal)}; }

bool sameValue(const VARIANT& a, const VARIANT& b, double tolerance) {
  if (a.vt != b.vt) return false;
  switch (a.vt) {
    case VT_I4: return a.lVal == b.lVal;
    case VT_BSTR: return textOf(a) == textOf(b);
    case VT_R8: return std::fabs(a.dblVal - b.dblVal) < tolerance;
    default: return true;
  }
}

}  // namespace

void CFHPropertyValueList::clear() {
  for (VARIANT& value : values_) VariantClear(&value);
  values_.clear();
}

bool CFHModel::collectPropertyValues(int id, CFHPropertyValueList& values) const {
  values.clear();
  const Property property = propertyOf(id);
  if (property.kind == Kind::None) return false;
  std::vector<const CFHCircuit*> met;
  double total = 0.0;
  for (const CFHZoneEntry* zone : zonesInScope()) {
    const CFHCircuit* circuit = zone->circuit;
    const bool circuitMet = circuit != nullptr && std::find(met.begin(), met.end(), circuit) != met.end();
    if (circuit != nullptr && !circuitMet) met.push_back(circuit);
    if ((property.perCircuit && circuitMet) || (property.ofCircuit && circuit == nullptr)) continue;
    if (property.kind == Kind::Sum) {
      if (const std::optional<double> add = summand(*zone, id, circuitMet)) total += *add;
      continue;
    }
    VARIANT value = fieldValue(*zone, id);
    const bool listed = std::any_of(values.values().begin(), values.values().end(),
                                    [&](const VARIANT& v) { return sameValue(v, value, property.tolerance); });
    if (listed)
      VariantClear(&value);
    else
      values.append(value);
  }
  if (property.kind == Kind::Sum) values.append(valueOf(total));
  return !values.empty();
}
