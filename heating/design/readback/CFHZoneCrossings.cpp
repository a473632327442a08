#include "heating/design/readback/CFHZoneCrossings.h"

#include <algorithm>
#include <cmath>
#include <limits>

double zoneOrderKey(CFHZoneCrossings& crossings) {
  if (!crossings.sorted) {
    // A parameter that is no number sorts last, so the order stays strict.
    auto key = [](const CFHZoneCrossing& c) {
      return std::isnan(c.param) ? std::numeric_limits<double>::infinity() : c.param;
    };
    std::stable_sort(crossings.points.begin(), crossings.points.end(),
                     [&](const CFHZoneCrossing& a, const CFHZoneCrossing& b) { return key(a) < key(b); });
    crossings.sorted = true;
  }
  if (crossings.points.empty()) return std::numeric_limits<double>::max();
  const double smallest = crossings.points.front().param;
  return std::isnan(smallest) ? std::numeric_limits<double>::max() : smallest;
}
