// Reading numbers out of wide text by a scanf format, as swscanf does for
// the numeric conversions: %d %i %u %o %x %X (into integers) and %e %f %g %a
// (into floating point), with widths, '*' to skip a value and %% for a
// percent sign. Blanks in the format skip any white space; other characters
// must match. %i takes the base from the text, so "0x1F" reads 31.
//
// Targets are typed pointers; a conversion whose target has the wrong kind
// (an integer conversion into a double) ends the scan there.
#pragma once

#include "platform/win/WinTypes.h"

#include <array>
#include <span>

class HvScanTarget {
 public:
  enum class Kind { Int, UInt, LongLong, ULongLong, Double, Float };
  HvScanTarget(int* p) : kind_(Kind::Int), p_(p) {}  // NOLINT: implicit on purpose
  HvScanTarget(unsigned* p) : kind_(Kind::UInt), p_(p) {}  // NOLINT
  HvScanTarget(long long* p) : kind_(Kind::LongLong), p_(p) {}  // NOLINT
  HvScanTarget(long* p) : kind_(Kind::LongLong), p_(p), isLong_(true) {}  // NOLINT
  HvScanTarget(unsigned long long* p) : kind_(Kind::ULongLong), p_(p) {}  // NOLINT
  HvScanTarget(double* p) : kind_(Kind::Double), p_(p) {}  // NOLINT
  HvScanTarget(float* p) : kind_(Kind::Float), p_(p) {}  // NOLINT

  Kind kind() const { return kind_; }
  bool isInteger() const { return kind_ != Kind::Double && kind_ != Kind::Float; }
  void storeInteger(unsigned long long bits) const;
  void storeFloating(double value) const;

 private:
  Kind kind_;
  void* p_;
  bool isLong_ = false;
};

// Answers the number of values stored, or -1 when the text ended before the
// first conversion.
int hvScanArgs(LPCWSTR text, LPCWSTR format, std::span<const HvScanTarget> targets);

template <typename... Out>
int hvSwscanf(LPCWSTR text, LPCWSTR format, Out*... outs) {
  const std::array<HvScanTarget, sizeof...(Out)> targets{HvScanTarget(outs)...};
  return hvScanArgs(text, format, targets);
}
