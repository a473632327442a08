// The heating calculation's table of three constant curves, one process-wide
// object built when the module loads. Curve 1 is the valve-coefficient (KV)
// table, which the settings may replace; curve 2 is the curve the zone
// calculation interpolates on. Curves 0 and 1 start empty.
#pragma once

#include <array>

#include "platform/ge/XtGePoint2dArray.h"

class CFHConstants {
 public:
  static constexpr int curveCount = 3;
  static constexpr int kvTableCurve = 1;
  static constexpr int zoneCalculationCurve = 2;

  // Fills the table; cannot fail.
  CFHConstants();

  // The one object of the process, built on first use; the module builds it
  // while it loads, before its application object.
  static CFHConstants& instance();

  // A curve of the table; index 0 to 2.
  XtGePoint2dArray& curve(int index) { return curves_.at(static_cast<std::size_t>(index)); }
  const XtGePoint2dArray& curve(int index) const { return curves_.at(static_cast<std::size_t>(index)); }

 private:
  std::array<XtGePoint2dArray, curveCount> curves_;
};

// The value of a constant curve at x: the first point's y at or below the first
// x, the last point's y at or above the last x, otherwise linear between the
// first point whose x is at or above x and its predecessor. 0 for an empty
// curve; NaN for a NaN argument.
double constantCurveValue(const XtGePoint2dArray& curve, double x);
