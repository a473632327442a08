// The calculation record of one heating zone: its inputs (areas, floor layers
// and structure, temperatures, heat-transfer values, pipe diameter and pitch,
// border width) and the results of the heating calculation. A plain record
// embedded in its zone entry; a new one copies the design model's defaults.
//
// The numeric values that may be empty (the border width R and the results)
// hold only VT_EMPTY or VT_R8, never a text, so the record copies them as
// plain values and needs no VariantClear.
//
// Changed on the command's thread only. A design job reads R while it runs
// (T2): setBorderR stops the zone's circuit job before it changes R, and
// nothing else may write R while that job can run.
#pragma once

#include "heating/design/settings/FloorStructureLayers.h"

#include "platform/win/CString.h"
#include "platform/win/Variant.h"

#include <array>
#include <cstdint>
#include <vector>

class CFHZoneEntry;
struct CFHDesignDefaults;

// A numeric value that may be empty: empty, or holding d.
VARIANT emptyValue();
VARIANT valueOf(double d);

class CFHZoneCalc {
 public:
  // The results, in the order the calculation writes them.
  enum Result : int {
    kLA = 0,
    kLB,
    kTM,
    kQPC,
    kS,
    kM,
    kQO,
    kQ,
    kQ2,
    kQP,
    kTotalOutput,         // QP + QO
    kValue475,            // 4.75 × (tp − ti)
    kWeightedTemperature, // 0.45 tp + 0.55 ti
    kP,
    kMHP,
    kW,
    kKV,
    kTS,
    kR2,
    kTpMinusTi,
    kTheta,               // the surface excess θ
    kResultCount
  };

  // The model's defaults; every result empty; not valid.
  CFHZoneCalc(CFHZoneEntry* zone, const CFHDesignDefaults& defaults);

  // ---- Change-detecting setters (CFHZoneCalcSetters.cpp) ----------------------
  // Each stores the new value only when it differs from the stored one by at
  // least the threshold given (differsByAtLeast; any difference for flags and
  // indexes), then clears `valid` and answers true; otherwise it changes
  // nothing and answers false. A value that is not a finite number is
  // refused (false). The bits they stand for are in CalcChangeMask.h.
  bool setArea(double value);              // 1e-18
  bool setReducedArea(double value);       // 1e-18
  bool setPerimeter(double value);         // 1e-9
  bool setConnectionLength(double value);  // 1e-9
  bool setSpns(double value);              // 1e-18
  bool setSpnn(double value);              // 1e-18
  bool setLossQc(double value);            // 0.01
  // 0.01. A new ti above tp raises tp to it and ORs kTpRaisedToTi into
  // *coupled (when given).
  bool setTi(double value, std::uint32_t* coupled = nullptr);
  // 0.01. A new tp below ti, with tp fixed set to 1, lowers ti to it and ORs
  // kTiLoweredToTp into *coupled (when given).
  bool setTp(double value, std::uint32_t* coupled = nullptr);
  bool setTpFixed(std::uint8_t value);
  bool setPipeDiameter(double value);      // 1e-9
  bool setPipePitch(double value);         // 1e-9
  bool setTi2(double value);               // 0.01
  bool setAlphaP(double value);            // 0.01
  bool setAlphaP2(double value);           // 0.01
  bool setLvr(double value);               // 0.01
  bool setC(double value);                 // 0.01
  bool setSoilRz(double value);            // 0.01
  bool setTz(double value);                // 0.01
  bool setPlacement(std::uint32_t value);
  bool setComboIndexB(std::uint32_t value);
  bool setBorderFixed(std::uint8_t value);
  // R unchanged when the stored R is a finite number within 1e-9 of the new
  // one; otherwise the new value is copied in (an empty value too: no border
  // zone). A VT_R8 that is not finite, or any type other than VT_R8 and
  // VT_EMPTY, is refused. Before a change the zone's circuit job is stopped
  // (its design reads R) and the circuit's layouts are marked outdated
  // (CFHCircuit::designInputChanged).
  bool setBorderR(const VARIANT& value);
  bool setBorderR(double value);
  // The placement whose text (IDS_PLACEMENT_*, compared without case, Czech
  // letters included) the text is, through setPlacement; false for any other.
  bool setPlacementFromText(const CString& text);
  // False when both texts equal the stored ones (without case) and force is
  // not set; otherwise clears `valid`, stores both, loads the structure's
  // layers from the floor-structure library and answers true.
  bool setFloorStructure(const CString& mark, const CString& action, bool force);

  // ---- The heating calculation ----------------------------------------------------
  // Writes the results from the inputs, t1 and t2 of the zone's circuit and
  // the zone's geometry and pipe length (see the .cpp for the steps). Unless
  // fixed, R (through setBorderR, and only from a usable M) and tp are set
  // too; a changed R leaves the circuit's layouts outdated until its job runs
  // again (OutdatedLayouts.h); A0, SP and OP follow R
  // (CFHZoneDesign::updateCalcAreas); the valid flag stays as the setters
  // left it. Needs the zone's circuit (nothing happens without one) and runs
  // on the command's thread after the circuit's job ended
  // (CFHCircuit::calculate waits for it).
  void calculate();
  // QPC plus the heating body's output above 0.995 × Qc (both valid).
  bool isCapacityReached() const;
  // After reading back: LH, total output, tp − ti and θ from the stored
  // results and inputs; of a zone without a circuit only LH, LP and L, which
  // are 0.
  void recalculateSurface();

  double area = 0.0;          // A0, m²
  double reducedArea = 0.0;   // SP, m²
  double perimeter = 0.0;     // OP, m
  double loopLength = 0.0;    // LH, m
  double connectionLength = 0.0;  // LP, m
  double totalLength = 0.0;   // L, m
  std::vector<CFHFloorLayer> upperLayers;
  std::vector<CFHFloorLayer> lowerLayers;
  CString floorStructureMark;
  CString floorStructureAction;
  std::uint32_t placement = 0;
  std::uint32_t areaFromHeatLoss = 0;
  double spns = 0.0;          // furniture on a plinth
  double spnn = 0.0;          // furniture on legs
  double lossQc = 0.0;
  double ti = 0.0;
  double tp = 0.0;
  std::uint8_t tpFixed = 0;
  double pipeDiameter = 0.0;  // d
  double pipePitch = 0.0;     // l
  double ti2 = 0.0;           // t'i
  double alphaP = 0.0;        // αp
  double alphaP2 = 0.0;       // α'p
  double lvr = 0.0;           // λ
  double c = 0.0;             // cw
  double soilRz = 0.0;
  double tz = 0.0;
  VARIANT borderR;            // R, m
  std::uint8_t borderFixed = 0;
  std::array<VARIANT, kResultCount> results;
  CFHZoneEntry* zone;         // the owner
  std::uint8_t valid = 0;
};
