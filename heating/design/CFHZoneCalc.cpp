#include "heating/design/CFHZoneCalc.h"

#include "heating/design/CFHDesignDefaults.h"

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
