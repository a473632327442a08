#include "heating/design/CFHModelQueries.h"

#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHModel.h"
#include "heating/design/CFHZoneEntry.h"

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

CFHZoneTotals sumZoneVariantValues(const CFHModel& model) {
  CFHZoneTotals totals{valueOf(0.0), valueOf(0.0), valueOf(0.0)};
  for (const auto& zone : model.zones()) {
    variantValueAddInPlace(totals.length, zone->calc.loopLength);
    addValid(totals.output, zone->outputWithHeatingBody());
    addValid(totals.area, zone->calc.results[CFHZoneCalc::kS]);
  }
  for (const auto& circuit : model.circuits()) {
    if (circuit->zones().empty()) continue;
    variantValueAddInPlace(totals.length, circuit->zones().front()->calc.connectionLength);
  }
  return totals;
}

CFHCircuitTotals sumCircuitResults(const CFHModel& model) {
  CFHCircuitTotals totals{valueOf(0.0), valueOf(0.0), 0.0};
  for (const auto& circuit : model.circuits()) {
    if (circuit->zones().empty()) continue;
    const CFHZoneCalc& first = circuit->zones().front()->calc;
    addValid(totals.flow, first.results[CFHZoneCalc::kMHP]);
    const VARIANT& p = first.results[CFHZoneCalc::kP];
    addValid(totals.pressureLoss, p);
    if (variantValueIsValid(p)) totals.maxPressureLoss = std::max(totals.maxPressureLoss, p.dblVal);
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
