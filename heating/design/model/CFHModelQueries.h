// Small questions the output, the commands and the dialog pages ask of a
// design model: the manifold's totals over its zones and circuits, zone
// labels, floor-type texts. The lookups by number and the label position are
// members of their classes (CFHModel, CFHCircuit, CFHZoneEntry) and live in
// CFHModelQueries.cpp as well.
//
// Totals are numeric values that may be empty (VariantValue.h): they start
// as a valid 0.0 and an empty contribution adds nothing, so a total is empty
// only when a contribution is infinite. They hold VT_R8 or VT_EMPTY only and
// need no VariantClear; they copy as they are.
//
// Threads: the command's thread, after the circuits' jobs have ended (the
// results they sum are written by the calculation, which waits for them).
#pragma once

#include "heating/design/calculation/CFHZoneCalc.h"

#include "heating/curves/VariantValue.h"

#include "platform/cadhost/HostTables.h"
#include "platform/win/CString.h"
#include "platform/win/Variant.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class CFHCircuit;
class CFHModel;
class CFHZoneEntry;

// The manifold's totals over all zones ("PRCD", "PRQC", "PRCP"), each
// starting at a valid 0.0.
struct CFHZoneTotals {
  VARIANT length = valueOf(0.0);  // Σ LH of every zone + LP of the first zone of every circuit, m
  VARIANT output = valueOf(0.0);  // Σ (QPC + the output of the zone's heating body), W
  VARIANT area = valueOf(0.0);    // Σ S, m²
  // Adds the zone's LH, its output with its heating body's, and its S.
  void addZone(const CFHZoneEntry& zone);
  // Adds the connection length LP of a circuit's first zone, m.
  void addConnection(double length) { variantValueAddInPlace(this->length, length); }
};
// The totals of the model's zones and circuits and of what an edit left as
// drawn (CFHKeptAsDrawn.h).
CFHZoneTotals sumZoneVariantValues(const CFHModel& model);

// Over the circuits that have a zone, of each circuit's first zone:
// "_PT_RZ_CELK_MHP", "_PT_RZ_CELK_P" and "_PT_RZ_MAX_P".
struct CFHCircuitTotals {
  VARIANT flow = valueOf(0.0);          // Σ MHP, kg/h
  VARIANT pressureLoss = valueOf(0.0);  // Σ P, kPa
  double maxPressureLoss = 0.0;        // the largest valid P; 0.0 when there is none
  // Adds a circuit by its first zone's MHP and P.
  void addCircuit(const VARIANT& firstFlow, const VARIANT& firstPressureLoss);
};
// Over the model's circuits and those an edit left as drawn.
CFHCircuitTotals sumCircuitResults(const CFHModel& model);

// The zone's label: "%d" (the zone number), or "%s.%d" with the manifold's
// mark in front when the manifold has one. The heating-body form is the same
// with the number of the zone's heating body (the plain form for a zone
// without one).
CString formatZoneLabel(const CFHZoneEntry& zone, bool heatingBodyForm = false);

// What CFHCircuit::labelPosition measures a label's width with: the host's
// text measure (word 131) of the text in the style and width factor. The
// host measures at the label height in millimetres (h / (u × 0.001), u the
// model's drawing unit factor) and the width is brought back into drawing
// units (× u × 0.001). Without the host or its word the width is 0.
struct CFHLabelMeasure {
  const HostExport2D* host = nullptr;
  CString text;
  CString style;
  double widthFactor = 1.0;
};

// The floor type of a placement: 0 string 267, 1 string 266, 2 string 268;
// empty for any other placement (or when the string table is not loaded).
CString floorTypeText(std::uint32_t placement);

// The unit of the pressure losses the pages show: string 305 "KPa" when the
// model's "UNITS_P" is 1, else string 304 "Pa".
CString pressureUnitText(const CFHModel& model);

// Orders circuits by number: a's number below b's.
bool circuitNumberLess(const CFHCircuit* a, const CFHCircuit* b);

// Multiplies (divide false) or divides every value by the drawing unit
// factor u; a u that is not a positive finite number leaves the list.
void scaleValueList(std::vector<double>& values, double u, bool divide);

// Calls the lookup once; unless it answers -1, `index` takes the answer and
// the answer is true.
bool setIndexIfValid(const std::function<int()>& lookup, int& index);

// Whether the list's last element is the item (false for an empty list).
template <typename T>
bool lastItemEquals(const std::vector<T*>& list, const T* item) {
  return !list.empty() && list.back() == item;
}

// The position of the pointer in the list, or the list's length when absent.
template <typename T>
std::size_t indexOfPointer(const std::vector<T*>& list, const T* item) {
  return static_cast<std::size_t>(std::find(list.begin(), list.end(), item) - list.begin());
}
