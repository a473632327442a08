#include "heating/design/calculation/CFHZoneCalc.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/calculation/CFHConstants.h"
#include "heating/design/settings/CFHDesignDefaults.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/curves/VariantValue.h"

#include <cmath>

VARIANT emptyValue() {
  VARIANT value;
  VariantInit(&value);
  return value;
}

VARIANT valueOf(double d) {
  VARIANT value = emptyValue();
  value.vt = VT_R8;
  value.dblVal = d;
  return value;
}

CFHZoneCalc::CFHZoneCalc(CFHZoneEntry* owner, const CFHDesignDefaults& defaults)
    : upperLayers(defaults.upperLayers),
      lowerLayers(defaults.lowerLayers),
      floorStructureMark(defaults.floorStructureMark),
      floorStructureAction(defaults.floorStructureAction),
      placement(defaults.placement),
      spns(defaults.furnitureOnPlinth),
      spnn(defaults.furnitureOnLegs),
      lossQc(defaults.lossQc),
      ti(defaults.ti),
      tp(defaults.tp),
      tpFixed(defaults.tpFixed),
      pipeDiameter(defaults.pipeDiameter),
      pipePitch(defaults.pipePitch),
      ti2(defaults.ti2),
      alphaP(defaults.alphaP),
      alphaP2(defaults.alphaP2),
      lvr(defaults.lvr),
      c(defaults.capacity),
      soilRz(defaults.soilRz),
      tz(defaults.tz),
      borderR(valueOf(defaults.borderR)),
      borderFixed(defaults.borderFixed),
      zone(owner) {
  results.fill(emptyValue());
}

// ---- The heating calculation ------------------------------------------------------
//
// Every quantity is a numeric value that may be empty, combined by the value
// operations of VariantValue.h with the left operand first (an empty left
// operand stays empty). The small Value type below spells them as operators,
// so × and ÷ bind before + and − and each operation takes its left operand
// first, as the formulas are written.

namespace {

struct Value {
  VARIANT v;
};
Value val(double d) { return {valueOf(d)}; }
Value operator+(const Value& a, const Value& b) { return {variantValueAdd(a.v, b.v)}; }
Value operator-(const Value& a, const Value& b) { return {variantValueSub(a.v, b.v)}; }
Value operator*(const Value& a, const Value& b) { return {variantValueMul(a.v, b.v)}; }
Value operator/(const Value& a, const Value& b) { return {variantValueDiv(a.v, b.v)}; }
Value sqrtOf(const Value& a) { return {variantValueSqrt(a.v)}; }
Value tanhOf(const Value& a) { return {variantValueTanh(a.v)}; }
bool isValid(const Value& a) { return variantValueIsValid(a.v); }

constexpr double kPiSquared = 9.869604401089358;

// The resistance sum of floor layers: a / b of every layer thicker than 1e-9
// with a conductivity above 0.001 (thinner or poorer layers are left out).
Value layerResistance(const std::vector<CFHFloorLayer>& layers) {
  Value sum = val(0.0);
  for (const CFHFloorLayer& layer : layers)
    if (layer.thickness > 1e-9 && layer.value > 0.001) variantValueAddInPlace(sum.v, layer.thickness / layer.value);
  return sum;
}

// The surface efficiency η = tanh(M l/2) ÷ (M l/2).
Value efficiency(const Value& m, double l) { return tanhOf(m * val(l * 0.5)) / (m * val(l * 0.5)); }

// LH from the zone's laid pipe: the segment lengths of its second layout
// (display type other than 0) or main layout, in metres; SP ÷ l without such
// a layout. A zone whose design runs keeps its LH (the calculation waits for
// the circuit's job, so only a design started meanwhile can cause this).
// L = LP + LH. A zone without a circuit has no pipe: no loop, no connection,
// so that it adds nothing to the totals (SP ÷ l would give it a loop it never
// had).
void updateLoopLength(CFHZoneCalc& calc) {
  if (calc.zone->circuit == nullptr) {
    calc.loopLength = calc.connectionLength = calc.totalLength = 0.0;
    return;
  }
  const CFHZoneDesign::IdleAccess access(*calc.zone->design());
  double laid = 0.0;
  if (access.laidPipeLength(laid))
    calc.loopLength = laid / calc.zone->model()->unitFactor();
  else if (access.idle())
    calc.loopLength = variantValueToDouble(variantValueDiv(valueOf(calc.reducedArea), valueOf(calc.pipePitch)));
  calc.totalLength = calc.connectionLength + calc.loopLength;
}

}  // namespace

void CFHZoneCalc::calculate() {
  if (zone == nullptr || zone->circuit == nullptr) return;
  const CFHCircuitCalc& circuit = zone->circuit->calc;
  const double t1 = circuit.t1;
  const double t2 = circuit.t2;

  // Heat transfer upwards (LA) and downwards (LB). The surface term is added
  // as the raw double of its quotient: αp = 0 makes the sum infinite and LA 0.
  Value sum = layerResistance(upperLayers);
  variantValueAddInPlace(sum.v, (val(1.0) / val(alphaP)).v.dblVal);
  const Value la = val(1.0) / sum;
  sum = layerResistance(lowerLayers);
  variantValueAddInPlace(sum.v, placement != 0 ? soilRz : (val(1.0) / val(alphaP2)).v.dblVal);
  const Value lb = val(1.0) / sum;

  const Value tm = val((t1 + t2) * 0.5);
  const Value x = (la + lb) * val(2.0);
  const Value m = sqrtOf(x / val(lvr * kPiSquared * pipeDiameter));
  // The border width 2.3 ÷ M, only from a valid M above 0: M is 0 when d or
  // λ is 0, and the quotient would make the border infinite and lose the
  // width the user had.
  if (borderFixed == 0 && isValid(m) && m.v.dblVal > 0.0) setBorderR((val(2.3) / m).v);
  const Value eta = efficiency(m, pipePitch);
  const Value theta = la / val(alphaP) * (tm - val(ti)) * eta;
  const Value q = theta * val(alphaP);

  zone->design()->updateCalcAreas(*this, false);
  if (tpFixed == 0) {
    const Value y = (tm - val(ti)) / (val(1.0) / (la * val(pipePitch)) + val(1.0));
    if (isValid(y)) tp = y.v.dblVal + ti;
  }
  const Value delta = val(tp - ti);
  const Value deltaBelow = val(ti - ti2);
  Value q2;
  switch (placement) {
    case 1: q2 = lb * val(alphaP2) * delta / la + lb * deltaBelow; break;
    case 2: q2 = lb * val(tp - tz); break;
    default: q2 = lb * (val(alphaP2) / la) * delta; break;
  }
  const Value s = areaFromHeatLoss != 0 ? val(lossQc) / q : val(reducedArea);
  const Value qp = s * (q + q2);
  const Value t = tanhOf(m * val(pipePitch * 0.5));
  const Value qo = qp * val(pipePitch * 0.448 * perimeter) / (t * s);
  const Value ts = val(t1 - t2);
  const Value qpc = (q + q2) * val(reducedArea);
  const Value weighted = val(tp * 0.45 + ti * 0.55);
  const Value value475 = val(tp * 7.0 - (ti + ti)) - weighted * val(5.0);

  updateLoopLength(*this);
  const Value mhp = qpc * val(3600.0) / (ts * val(c));
  const Value w = mhp / val(720.0);
  // The pressure-loss gradient is looked up only for a finite flow: an
  // infinite W (t1 = t2) would read the curve's last point and a NaN (0 × ∞
  // when TM = ti and d or l is 0) no point at all; R2, P and KV stay empty.
  const XtGePoint2dArray& gradient = CFHConstants::instance().curve(CFHConstants::zoneCalculationCurve);
  const Value r2 = isValid(w) ? val(constantCurveValue(gradient, w.v.dblVal)) : Value{emptyValue()};
  const Value p = r2 * val(totalLength / 1000.0);
  const Value kv = mhp / (sqrtOf(p) * val(100.0));

  // In the order of Result.
  results = {la.v, lb.v, tm.v, qpc.v, s.v, m.v, qo.v, q.v, q2.v, qp.v, (qp + qo).v, value475.v, weighted.v,
             p.v, mhp.v, w.v, kv.v, ts.v, r2.v, valueOf(tp - ti), theta.v};
}

bool CFHZoneCalc::isCapacityReached() const {
  if (zone == nullptr) return false;
  return variantValueGreaterScaled(zone->outputWithHeatingBody(), valueOf(lossQc), 0.995);
}

void CFHZoneCalc::recalculateSurface() {
  updateLoopLength(*this);
  // Neither command calculates a zone without a circuit: its results stay
  // as they were drawn (empty).
  if (zone->circuit == nullptr) return;
  results[kTotalOutput] = variantValueAdd(results[kQP], results[kQO]);
  results[kTpMinusTi] = valueOf(tp - ti);
  const Value eta = efficiency(Value{results[kM]}, pipePitch);
  results[kTheta] = (Value{results[kLA]} / val(alphaP) * (Value{results[kTM]} - val(ti)) * eta).v;
}

void CFHModel::updateZoneAreas() {
  for (const auto& zone : zones_) zone->design()->updateGrossArea(zone->calc);
}

void CFHModel::recalculateZones() {
  for (const auto& zone : zones_) {
    // SP as the calculation leaves it; a zone the calculation never reaches
    // (no circuit) keeps the SP it was drawn with, as the design command
    // leaves it.
    if (zone->circuit != nullptr) zone->design()->updateCalcAreas(zone->calc, true);
    else zone->design()->updateGrossArea(zone->calc);
    zone->calc.recalculateSurface();
  }
}
