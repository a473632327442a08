#include "heating/design/calculation/CFHConstants.h"

#include <cmath>
#include <limits>

CFHConstants::CFHConstants() {
  // The zone calculation's curve: x from 0.1 to 0.86, y from 20 to 700.
  static constexpr double xs[] = {0.1,  0.16, 0.19, 0.21, 0.22, 0.24, 0.25, 0.27, 0.29, 0.3,  0.31,
                                  0.32, 0.33, 0.34, 0.35, 0.37, 0.38, 0.4,  0.41, 0.43, 0.44, 0.45,
                                  0.46, 0.47, 0.48, 0.49, 0.5,  0.51, 0.52, 0.55, 0.57, 0.6,  0.62,
                                  0.64, 0.66, 0.68, 0.71, 0.73, 0.75, 0.77, 0.79, 0.82, 0.86};
  constexpr int count = static_cast<int>(std::size(xs));
  static_assert(count == 43);
  XtGePoint2dArray& zone = curves_[zoneCalculationCurve];
  zone.setPhysicalLength(count);
  for (int i = 0; i < count; ++i) {
    // 20 to 300 in steps of 10, then 325 to 600 in steps of 25, then 650 and 700.
    const double y = i < 29 ? 20.0 + 10.0 * i : i < 41 ? 325.0 + 25.0 * (i - 29) : 650.0 + 50.0 * (i - 41);
    zone.append(XtGePoint2d(xs[i], y));
  }
}

CFHConstants& CFHConstants::instance() {
  static CFHConstants constants;
  return constants;
}

double constantCurveValue(const XtGePoint2dArray& curve, double x) {
  const int n = curve.length();
  if (n == 0) return 0.0;
  if (std::isnan(x)) return std::numeric_limits<double>::quiet_NaN();
  if (x <= curve[0].x) return curve[0].y;
  if (x >= curve[n - 1].x) return curve[n - 1].y;
  for (int i = 1; i < n; ++i) {
    const XtGePoint2d& p = curve[i];
    if (p.x < x) continue;
    const XtGePoint2d& q = curve[i - 1];
    if (p.x == q.x) return p.y;
    return q.y + (x - q.x) / (p.x - q.x) * (p.y - q.y);
  }
  return curve[n - 1].y;
}
