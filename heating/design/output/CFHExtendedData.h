// The extended data a drawn design carries, in the one fixed format that the
// edit command and the product line's other modules read back.
//
// Every drawn entity of a design but its hatches and dimensions carries one
// heating record: (1001 "QEV_DATA")(1000 record identifier), then the record's
// (1000 key)(1000 value) pairs in a fixed order, every pair written even when
// its value is empty. The builders of the records are members of the model's
// classes (CFHCircuit::buildDataList, CFHZoneEntry::buildLabelData and
// buildHeatingBodyData); this file holds what they share: the identifiers, the
// value rules, the pair chain, and the groups every output entity gets beside
// its record ("VE2R_ASSOC", "VE2R_ANNOTATIVE", the dimensions' "ACAD").
//
// Value rules (every number in the "C" locale, whatever the process's is):
//   int       "%d" of a 32-bit integer
//   flag      1 when the field is not 0, else 0
//   real N    N decimals ("%.3lf", "%.2lf"); realfull "%lf"
//   var N     a numeric value that may be empty, N decimals (times a factor
//             first for the per-minute flows)
//   percent   a quotient of two such values times 100, "%.0lf"
//   point     "(%.2f|%.2f|0.00)" relative to the manifold (formatLocalPoint)
//   text      copied
// A value that is empty or not finite is written "0" under every rule (a
// point's or a list's number each on its own), so that no reader of the
// format meets "nan" or "inf": a percent whose divisor is 0 or empty, or
// whose quotient is not finite, is "0".
//
// Threads: the command's thread (the output runs after every design job has
// ended). Lists live on the C heap and are owned through ownedChain.
#pragma once

#include "host/entities/ownedChain.h"

#include "platform/win/Variant.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The record identifiers and the entities that carry them.
namespace hvRecordId {
inline constexpr std::u16string_view kZoneDescription = u"TPV1000-0001";   // MTEXT
inline constexpr std::u16string_view kManifoldLabel = u"TPV1000-0002";     // MTEXT, no pairs
inline constexpr std::u16string_view kHeatingBody = u"TPV1001-0001";       // MTEXT
inline constexpr std::u16string_view kCircuitLabel = u"TPV1001-0002";      // MTEXT
inline constexpr std::u16string_view kHeatingBodyNumber = u"TPV1001-0003"; // MTEXT
inline constexpr std::u16string_view kZoneOutline = u"TPV2000-0001";       // LWPOLYLINE
inline constexpr std::u16string_view kSupplyPipe = u"TP80000-0001";        // LWPOLYLINE
inline constexpr std::u16string_view kReturnPipe = u"TP90000-0001";        // LWPOLYLINE
}  // namespace hvRecordId

// The association group: its application name, its kind, and the 1070 value
// in front of each associated handle (1005).
namespace hvAssociation {
inline constexpr std::u16string_view kApp = u"VE2R_ASSOC";
inline constexpr std::u16string_view kKind = u"VE2R_HEATPIPES";
inline constexpr int kHandleEntry = 272;
}  // namespace hvAssociation

// The factor of the "× 1/60" rule: mass flow in kg/h written per minute.
inline constexpr double kPerMinute = 0.0166666666666667;

// ---- Value rules --------------------------------------------------------------
std::u16string formatIntValue(std::int32_t value);
std::u16string formatFlagValue(std::uint64_t field);
// `decimals` 0 to 4 as "%.Nlf"; any other count "%lf" (realfull).
std::u16string formatRealValue(double value, int decimals);
std::u16string formatVarValue(const VARIANT& value, int decimals, double factor = 1.0);
// numerator / denominator by the quotient rules of the numeric values, times
// 100: "%.0lf" of it when it is finite, "0" when the quotient is empty or not
// finite (a divisor of 0 or an empty one).
std::u16string formatPercentValue(const VARIANT& numerator, const VARIANT& denominator);
// A heat output as the records' whole number: truncated toward zero and held
// to the 32-bit range; 0 for a value that is not finite.
std::int32_t saturatedInt(double value);

// ---- Chains -------------------------------------------------------------------

// A chain of groups built by appending: pairs of texts, or whole chains. An
// allocation that fails marks the chain failed; it then takes nothing more.
class CFHDataChain {
 public:
  CFHDataChain() = default;
  // (1001 "QEV_DATA")(1000 id).
  static CFHDataChain record(std::u16string_view id);

  // (1000 key)(1000 value).
  void add(std::u16string_view key, std::u16string_view value);
  // Appends the chain (taken), or a copy of the chain.
  void append(ownedChain chain);
  void appendCopy(const resbuf* chain);

  bool failed() const { return failed_; }
  // The chain, null when it failed (the caller owns it).
  ownedChain release();

 private:
  ownedChain head_;
  resbuf* last_ = nullptr;
  bool failed_ = false;
};

// (1001 "VE2R_ASSOC")(1005 "")(1000 "VE2R_HEATPIPES")(1070 1), then
// (1070 272)(1005 handle) for every handle in order. Null when the heap runs out.
ownedChain associationData(std::span<const std::u16string> handles);

// (1001 "VE2R_ANNOTATIVE")(1071 mode): mode 1, with bit 2 added when the
// second flag is set (3). Null when the first flag is not set.
ownedChain annotativeData(bool flag, bool secondFlag);

// The dimension-style overrides of a border-width dimension: (1001 "ACAD")
// (1000 "DSTYLE")(1002 "{")(1070 42)(1040 0.0)(1070 44)(1040 0.0)(1002 "}"),
// extension lines that start at the measured points and end at the dimension
// line.
ownedChain dimensionStyleData();
