// The calculation record of one heating circuit: pipe material, the loop
// length and pressure limits and the supply and return water temperatures.
// A plain record embedded in its circuit; a new one copies the design model's
// defaults and reads the last temperatures the calculation page stored.
// Changed on the command's thread only.
#pragma once

#include "platform/win/CString.h"

#include <cstdint>

class CFHCircuit;
struct CFHDesignDefaults;

class CFHCircuitCalc {
 public:
  static constexpr double kDefaultSupplyTemperature = 38.0;
  static constexpr double kDefaultReturnTemperature = 30.0;

  // Copies the defaults. t1 and t2 are "CB_IN_T1" and "CB_OUT_T2" of the
  // section "FH_PAGE_CALC" of the heating file when it has them as finite
  // numbers, else 38.0 and 30.0 (also for an empty file name).
  CFHCircuitCalc(CFHCircuit* circuit, const CFHDesignDefaults& defaults, const CString& heatingFile);

  // ---- Change-detecting setters (CFHCircuitCalcSetters.cpp) -------------------
  // As those of the zone's record (CFHZoneCalc.h): a change of at least the
  // threshold is stored, clears `valid` and answers true.
  bool setMaxLoopLength(double value);        // 1e-9
  bool setMaxPressure(double value);          // 0.0001
  bool setMaxPressureDefault(std::uint8_t value);
  bool setSupplyTemperature(double value);    // t1, 0.01
  bool setReturnTemperature(double value);    // t2, 0.01
  // Compared without case (Czech letters included); a change answers true
  // but leaves `valid` alone (the material does not enter the results).
  bool setPipeMaterial(const CString& material);

  CString pipeMaterial;
  double maxLoopLength = 0.0;
  std::uint8_t checkMaxPressure = 0;
  double maxPressure = 0.0;
  double t1 = kDefaultSupplyTemperature;
  double t2 = kDefaultReturnTemperature;
  CFHCircuit* circuit;  // the owner
  std::uint8_t valid = 0;
};
