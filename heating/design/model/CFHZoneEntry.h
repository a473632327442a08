// One heating zone of a design: its number, mark and note, its calculation
// record, its zone design (boundary, layout inputs and layouts), the circuit
// it belongs to, an additional heating body, and where a pipe crosses its
// boundary.
//
// Ownership: the entry owns its zone design, its heating body and its
// crossing record; the model owns the entry. The circuit and the label record
// (the drawn zone label the edit command read; the drawing I/O object's) are
// not owned.
//
// Threads: changed on the command's thread only. The design job of the
// zone's circuit reads the calculation's R and the pipes-run-into flag and
// works on the zone design while it runs; change those only after stopping
// the circuit's job (CFHCircuit::stopWorker).
#pragma once

#include "heating/design/model/CFHHeatingBody.h"
#include "heating/design/calculation/CFHZoneCalc.h"
#include "heating/design/readback/CFHZoneCrossings.h"

#include "host/entities/ownedChain.h"

#include "platform/win/CString.h"

#include <cstdint>
#include <memory>

class CFHCircuit;
class CFHDescData;
class CFHEntityInOut;
class CFHModel;
class CFHPipeNetwork;
class CFHPipeStyles;
class XtGeMatrix2d;
struct HostExport2D;
class CFHZoneDesign;
class CFloorHeatingCurve;

class CFHZoneEntry {
 public:
  // The note is the model's default note; the calculation copies the
  // model's defaults; the zone design is made for this entry.
  CFHZoneEntry(CFHModel* model, std::uint32_t number);
  ~CFHZoneEntry();
  CFHZoneEntry(const CFHZoneEntry&) = delete;
  CFHZoneEntry& operator=(const CFHZoneEntry&) = delete;

  CFHModel* model() const { return model_; }
  CFHZoneDesign* design() const { return design_.get(); }

  // ---- Drawn design (CFHZoneData.cpp, CFHLabelOutput.cpp, CFHOutlineOutput.cpp) ----
  // The zone description's heating record: (1001 "QEV_DATA")(1000
  // "TPV1000-0001") and its 66 pairs. Null when the heap runs out.
  ownedChain buildLabelData(const CFHPipeNetwork& network) const;
  // The heating body's record "TPV1001-0001" (7 pairs); null when the zone
  // holds no placed heating body.
  ownedChain buildHeatingBodyData(const CFHPipeNetwork& network) const;
  // Reads the zone's heating body back from its drawn description
  // "TPV1001-0001" and number label "TPV1001-0003" (CFHHeatingBodyData.cpp):
  // false without a description; else the body is made when the zone has
  // none, keeps both records (not owned) and takes the number, output and
  // both points the keys hold (a missing key keeps its value). True.
  bool readHeatingBodyData(const CFHEntityInOut* bodyRecord, const CFHEntityInOut* numberRecord);
  // Whether the zone holds a heating body that has been placed.
  bool hasPlacedHeatingBody() const;
  // Writes the zone's description and, with a placed heating body, the
  // body's description and number, through the model's output context.
  bool drawDescription(const HostExport2D* host, const XtGeMatrix2d& matrix, const CFHPipeStyles& graphics,
                       const CFHPipeNetwork& network, const CFHDescData& desc);
  // Writes the zone's outline.
  bool drawOutline(const HostExport2D* host, const XtGeMatrix2d& matrix);

  // The crossing record: replaced by setCrossingPoints, sorted by
  // zoneOrderKey.
  CFHZoneCrossings& crossings() { return crossings_; }
  // A new record of the places where the curve crosses the zone's working
  // loop (workTol), in the order found, each with its parameter on the
  // curve; empty for a zone without a boundary.
  void setCrossingPoints(const CFloorHeatingCurve& curve);

  // ---- Calculation (CFHCircuitCalculation.cpp) and queries ------------------------
  // Sets LP to the connection length `lc` (m), then calculates the zone
  // (CFHZoneCalc::calculate).
  void calculate(double lc);
  // Over its circuit's limits: the circuit's loop length is exceeded, or the
  // zone's valid P is above the circuit's maximum pressure loss by more than
  // 0.0001. False for a zone without circuit.
  bool isOverLimits() const;
  // QPC plus the output of the zone's heating body (QPC alone without one;
  // CFHModelQueries.cpp).
  VARIANT outputWithHeatingBody() const;
  // The zone's selection key: number x 1000000, in 64 bits.
  std::uint64_t selectionKey() const { return static_cast<std::uint64_t>(number) * 1000000u; }
  // P for the pages, in the model's pressure unit: the calculation holds kPa,
  // so "Pa" ("UNITS_P" 0) shows P x 1000 and "KPa" (1) P itself; 0 while P
  // is empty (CFHModelQueries.cpp).
  double pressureLossForDisplay() const;

  std::uint32_t number;
  std::uint32_t word = 0;
  CString mark;
  CString note;
  const CFHEntityInOut* labelRecord = nullptr;
  CFHCircuit* circuit = nullptr;
  CFHZoneCalc calc;
  std::unique_ptr<CFHHeatingBody> heatingBody;
  // Set when a segment point of the pipe network lies inside the boundary.
  std::uint8_t pipesRunInto = 0;
  std::uint64_t word64 = 0;

 private:
  CFHModel* model_;
  std::unique_ptr<CFHZoneDesign> design_;
  CFHZoneCrossings crossings_;
};

// Orders two zones along a pipe: by zoneOrderKey of their crossing records
// (which sorts them once); a zone the pipe does not cross goes last.
bool zoneCrossingLess(CFHZoneEntry& a, CFHZoneEntry& b);
