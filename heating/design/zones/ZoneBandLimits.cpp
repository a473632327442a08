#include "heating/design/zones/ZoneBandLimits.h"

#include "heating/layout/meander/MeanderRuns.h"

#include "heating/curves/AngleBetweenVectors.h"
#include "heating/curves/CFHBoundLoop.h"

#include <numbers>

std::vector<double> zoneBandLimits(const CFHBoundLoop& loop, const CFHBoundLoopItem* base, std::uint32_t shape) {
  constexpr double pi = std::numbers::pi;
  std::vector<double> limits;
  limits.reserve(static_cast<std::size_t>(loop.itemCount()));
  for (int i = 0; i < loop.itemCount(); ++i) {
    const CFHBoundLoopItem& item = *loop.item(i);
    double a = pi;
    if (base != nullptr && base->hasCurve() && item.hasCurve())
      a = angleBetweenVectors(item.curve->direction(), base->curve->direction(), true);
    const bool banded = item.value > 0.0 && (shape != 0 || isMeanderBandAngle(a));
    limits.push_back(banded ? item.value : 0.0);
  }
  return limits;
}

bool runsAlongBoundary(double a) {
  constexpr double pi = std::numbers::pi;
  return a <= pi / 2 + pi / 100 || a >= 3 * pi / 2 - pi / 100;
}
