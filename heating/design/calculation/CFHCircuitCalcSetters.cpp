// The change-detecting setters of a circuit's calculation record.
#include "heating/design/calculation/CFHCircuitCalc.h"

#include "heating/design/calculation/ChangeThreshold.h"

#include "host/entities/nameCompare.h"

bool CFHCircuitCalc::setMaxLoopLength(double value) { return changeByThreshold(maxLoopLength, value, 1e-9, valid); }
bool CFHCircuitCalc::setMaxPressure(double value) { return changeByThreshold(maxPressure, value, 0.0001, valid); }
bool CFHCircuitCalc::setMaxPressureDefault(std::uint8_t value) {
  return changeIfDifferent(checkMaxPressure, value, valid);
}
bool CFHCircuitCalc::setSupplyTemperature(double value) { return changeByThreshold(t1, value, 0.01, valid); }
bool CFHCircuitCalc::setReturnTemperature(double value) { return changeByThreshold(t2, value, 0.01, valid); }

bool CFHCircuitCalc::setPipeMaterial(const CString& material) {
  if (sameNameNoCase(material.view(), pipeMaterial.view())) return false;
  pipeMaterial = material;
  return true;
}
