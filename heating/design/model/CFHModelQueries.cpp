#include "heating/design/model/CFHModelQueries.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/curves/VariantValue.h"

#include "resources/ModuleStrings.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Adds the value to the total when it is valid (an empty value adds nothing).
void addValid(VARIANT& total, const VARIANT& value) {
  if (variantValueIsValid(value)) variantValueAddInPlace(total, value.dblVal);
}

}  // namespace

void CFHZoneTotals::addZone(const CFHZoneEntry& zone) {
  variantValueAddInPlace(length, zone.calc.loopLength);
  addValid(output, zone.outputWithHeatingBody());
  addValid(area, zone.calc.results[CFHZoneCalc::kS]);
}

void CFHCircuitTotals::addCircuit(const VARIANT& firstFlow, const VARIANT& firstPressureLoss) {
  addValid(flow, firstFlow);
  addValid(pressureLoss, firstPressureLoss);
  if (variantValueIsValid(firstPressureLoss)) maxPressureLoss = std::max(maxPressureLoss, firstPressureLoss.dblVal);
}

CFHZoneTotals sumZoneVariantValues(const CFHModel& model) {
  CFHZoneTotals totals = model.keptAsDrawn.zones;
  for (const auto& zone : model.zones()) totals.addZone(*zone);
  for (const auto& circuit : model.circuits())
    if (!circuit->zones().empty()) totals.addConnection(circuit->zones().front()->calc.connectionLength);
  return totals;
}

CFHCircuitTotals sumCircuitResults(const CFHModel& model) {
  CFHCircuitTotals totals = model.keptAsDrawn.circuits;
  for (const auto& circuit : model.circuits()) {
    if (circuit->zones().empty()) continue;
    const CFHZoneCalc& first = circuit->zones().front()->calc;
    totals.addCircuit(first.results[CFHZoneCalc::kMHP], first.results[CFHZoneCalc::kP]);
  }
  return totals;
}

CString formatZoneLabel(const CFHZoneEntry& zone, bool heatingBodyForm) {
  const std::uint32_t number =
      heatingBodyForm && zone.heatingBody != nullptr ? zone.heatingBody->number : zone.number;
  const CString& mark = zone.model()->pipeNetwork().mark;
  CString label;
  if (mark.IsEmpty())
    label.Format(u"%d", static_cast<int>(number));
  else
    label.Format(u"%s.%d", mark.GetString(), static_cast<int>(number));
  return label;
}

CString floorTypeText(std::uint32_t placement) {
  CString text;
  switch (placement) {
    case 0: text.LoadString(IDS_PLACEMENT_GROUND_FLOOR); break;
    case 1: text.LoadString(IDS_PLACEMENT_HEATED_BELOW); break;
    case 2: text.LoadString(IDS_PLACEMENT_BASEMENT); break;
    default: break;
  }
  return text;
}

VARIANT CFHZoneEntry::outputWithHeatingBody() const {
  const VARIANT& qpc = calc.results[CFHZoneCalc::kQPC];
  if (heatingBody == nullptr) return variantValueIsValid(qpc) ? qpc : emptyValue();
  return variantValueAdd(qpc, valueOf(heatingBody->output));
}

CFHCircuit* CFHModel::circuitByNumber(std::uint32_t number) const {
  for (const auto& circuit : circuits_)
    if (circuit->number == number) return circuit.get();
  return nullptr;
}

CFHZoneEntry* CFHModel::zoneByNumber(std::uint32_t number) const {
  for (const auto& zone : zones_)
    if (zone->number == number) return zone.get();
  return nullptr;
}

// The label stands h/4 along the connection from its first point, moved by
// half its width; then by the direction a of the connection:
//   a < π/4 or a > 7π/4 (to the right)  up by h/2
//   3π/4 ≤ a ≤ 5π/4 (to the left)       back by w, up by h/2
//   5π/4 < a < 7π/4 (down)              back by w/2, up by 0.15 h
//   otherwise (up)                      back by w/2, up by 0.9 h
XtGePoint2d CFHCircuit::labelPosition(double h, double w) const {
  constexpr double pi = std::numbers::pi;
  const XtGePoint2d& first = connectionPoints[0];
  const XtGePoint2d& second = connectionPoints[1];
  const double dx = second.x - first.x;
  const double dy = second.y - first.y;
  const double length = std::hypot(dx, dy);
  double a = std::atan2(dy, dx);
  if (a < 0.0) a += 2.0 * pi;
  XtGePoint2d p = first;
  if (length > 0.0) p = XtGePoint2d(first.x + dx / length * h * 0.25, first.y + dy / length * h * 0.25);
  p.x += w * 0.5;
  if (a < pi / 4 || a > 7 * pi / 4) {
    p.y += h * 0.5;
  } else if (a >= 3 * pi / 4 && a <= 5 * pi / 4) {
    p.x -= w;
    p.y += h * 0.5;
  } else if (a > 5 * pi / 4 && a < 7 * pi / 4) {
    p.x -= w * 0.5;
    p.y += h * 0.15;
  } else {
    p.x -= w * 0.5;
    p.y += h * 0.9;
  }
  return p;
}

XtGePoint2d CFHCircuit::labelPosition(double h, const CFHLabelMeasure& measure, double& width) const {
  const double millimetre = model_->unitFactor() * 0.001;
  double measured = 0.0;
  double measuredHeight = 0.0;
  if (auto measure131 = hostWordOf<131>(measure.host); measure131 != nullptr && millimetre > 0.0) {
    measure131(measure.text.GetString(), measure.style.GetString(), h / millimetre, measure.widthFactor, &measured,
               &measuredHeight);
  }
  width = std::isfinite(measured) ? measured * millimetre : 0.0;
  return labelPosition(h, width);
}

// ---- The dialog pages' queries ---------------------------------------------------------

double CFHZoneEntry::pressureLossForDisplay() const {
  const double p = variantValueToDouble(calc.results[CFHZoneCalc::kP]);
  return model_->pressureUnit == 1 ? p : p * 1000.0;
}

CString pressureUnitText(const CFHModel& model) {
  CString text;
  text.LoadString(model.pressureUnit == 1 ? IDS_UNIT_KPA : IDS_UNIT_PA);
  return text;
}

void scaleValueList(std::vector<double>& values, double u, bool divide) {
  if (!std::isfinite(u) || !(u > 0.0)) return;
  for (double& value : values) value = divide ? value / u : value * u;
}

bool setIndexIfValid(const std::function<int()>& lookup, int& index) {
  const int found = lookup();
  if (found == -1) return false;
  index = found;
  return true;
}

bool circuitNumberLess(const CFHCircuit* a, const CFHCircuit* b) { return a->number < b->number; }

std::vector<CFHCircuit*> CFHModel::sortedCircuits() const {
  std::vector<CFHCircuit*> sorted;
  sorted.reserve(circuits_.size());
  for (const auto& circuit : circuits_) sorted.push_back(circuit.get());
  std::stable_sort(sorted.begin(), sorted.end(), circuitNumberLess);
  return sorted;
}

int CFHModel::combinedZoneState(std::vector<double>& widths) const {
  widths.clear();
  int combined = -1;
  bool any3 = false;
  for (const CFHZoneEntry* zone : selectedZones) {
    std::vector<double> own;
    const int state = zone->design()->selectedBorderState(own);
    for (const double w : own)
      if (std::find(widths.begin(), widths.end(), w) == widths.end()) widths.push_back(w);
    any3 = any3 || state == 3;
    combined = combined == -1 || combined == state ? state : 1;
  }
  if (combined == -1) return 2;
  return any3 ? 3 : combined;
}

std::uint32_t CFHModel::firstZoneDisplayType() const {
  return zones_.empty() ? 0 : zones_.front()->design()->displayType();
}

std::uint32_t CFHModel::firstSelectedZoneCircuitShape() const {
  const CFHZoneEntry* zone = firstSelectedZone();
  if (zone == nullptr && !zones_.empty()) zone = zones_.front().get();
  return zone == nullptr ? 1 : zone->design()->circuitShape();
}

CFHZoneEntry* CFHModel::firstSelectedZone() const { return selectedZones.empty() ? nullptr : selectedZones.front(); }

std::vector<CFHCircuit*> CFHModel::circuitsOfSelectedZones() const {
  std::vector<CFHCircuit*> circuits;
  for (const CFHZoneEntry* zone : selectedZones)
    if (zone->circuit != nullptr && indexOfPointer(circuits, zone->circuit) == circuits.size())
      circuits.push_back(zone->circuit);
  return circuits;
}

std::vector<std::uint64_t> CFHModel::allSelectionKeys() const {
  std::vector<std::uint64_t> keys;
  keys.reserve(zones_.size() + circuits_.size());
  for (const auto& zone : zones_) keys.push_back(zone->selectionKey());
  for (const auto& circuit : circuits_) keys.push_back(circuit->number);
  return keys;
}

bool CFHModel::resolveJoinSelection() {
  joinPair[0] = joinPair[1] = nullptr;
  if (selectedZones.size() != 2) return false;
  CFHZoneEntry* a = selectedZones[0];
  CFHZoneEntry* b = selectedZones[1];
  if ((a->circuit == nullptr) == (b->circuit == nullptr)) return false;
  joinPair[0] = a->circuit != nullptr ? a : b;
  joinPair[1] = a->circuit != nullptr ? b : a;
  return true;
}

bool CFHModel::selectionHasCircuitOfZone() const {
  for (const std::uint64_t key : selectionKeys) {
    if (selectionKeyKind(key) != kKeyCircuit) continue;
    for (const CFHZoneEntry* zone : selectedZones)
      if (zone->circuit != nullptr && zone->circuit->number == key) return true;
  }
  return false;
}

bool CFHModel::selectionHasOtherKey(std::uint64_t key, const std::vector<std::uint64_t>& keys) const {
  return std::any_of(keys.begin(), keys.end(), [&](std::uint64_t k) {
    return k != key && std::find(selectionKeys.begin(), selectionKeys.end(), k) != selectionKeys.end();
  });
}

double CFHModel::selectedZonesValueList(std::vector<double>& values) const {
  values.clear();
  if (selectedZones.empty()) return -2.0;
  bool flagsDiffer = false;
  const bool firstFlag = selectedZones.front()->design()->layoutFlag() != 0;
  for (const CFHZoneEntry* zone : selectedZones) {
    const CFHZoneDesign& design = *zone->design();
    if (std::find(values.begin(), values.end(), design.layoutValue()) == values.end())
      values.push_back(design.layoutValue());
    flagsDiffer = flagsDiffer || (design.layoutFlag() != 0) != firstFlag;
  }
  if (values.size() > 1 || flagsDiffer) return -1.0;
  return firstFlag ? values.front() : -2.0;
}
