#include "geometry/dashSegmentByPattern.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// No stretch is cut into more dashes than this (a guard against patterns
// far finer than the stretch).
constexpr long kMaxDashesPerStretch = 1000000;

}  // namespace

void dashSegmentByPattern(const lineDashPattern& pattern, const XtGePoint2d& p1,
                          const XtGePoint2d& p2, double t1, double t2, double scale,
                          XtGePoint2dArray& points) {
  const int count = std::min(pattern.dashes.count(), pattern.draw.count());
  const double total = pattern.totalLength;
  if (!(total > 0.0) || !std::isfinite(total) || count == 0 || !(scale > 0.0)) {
    points.append(p1);
    points.append(p2);
    return;
  }
  XtGePoint2d from = p1;
  XtGePoint2d to = p2;
  double a = t1 / scale;
  double b = t2 / scale;
  if (b < a) {
    std::swap(from, to);
    std::swap(a, b);
  }
  if (!(b > a) || !std::isfinite(a) || !std::isfinite(b)) return;
  // One step of this vector per unit of pattern length.
  const XtGeVector2d step = (to - from) / (b - a);
  auto pointAt = [&](double position) { return from + step * (position - a); };
  auto dashLength = [&](int k) { return std::fabs(pattern.dashes[k]); };

  // The dash in which the stretch begins, and where it ends.
  double phase = std::fmod(a, total);
  if (phase < 0.0) phase += total;
  int k = 0;
  double sum = dashLength(0);
  while (sum <= phase && k + 1 < count) sum += dashLength(++k);
  double position = a;
  double dashEnd = std::min(b, a + std::max(sum - phase, 0.0));
  XtGePoint2d current = from;
  for (long n = 0; n < kMaxDashesPerStretch; ++n) {
    const XtGePoint2d end = pointAt(dashEnd);
    if (pattern.draw[k] != 0) {
      points.append(current);
      points.append(end);
    }
    current = end;
    position = dashEnd;
    if (position >= b) return;
    k = (k + 1) % count;
    dashEnd = std::min(b, position + dashLength(k));
  }
}
