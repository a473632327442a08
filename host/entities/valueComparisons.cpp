#include "host/entities/valueComparisons.h"

#include <cmath>

#include "geometry/Tolerances.h"

bool compareIntPairs(const std::pair<std::int32_t, std::int32_t>& a, const std::pair<std::int32_t, std::int32_t>& b) {
  return a.first < b.first || (a.first == b.first && a.second < b.second);
}

bool isValueInRange(double first, double second, int n) {
  return first >= 0.0 && first <= n && second >= 0.0 && second <= n;
}

bool pointWithinTolerance(const XtGePoint2d& a, const XtGePoint2d& b) {
  constexpr double closeBy = 1e-5;
  return (a.x == b.x && std::fabs(a.y - b.y) < closeBy) || (a.y == b.y && std::fabs(a.x - b.x) < closeBy);
}

bool lessBeyondTolerance(double a, double b) { return b - a > workTol.equalPoint(); }
