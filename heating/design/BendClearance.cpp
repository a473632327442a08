#include "heating/design/BendClearance.h"

#include "heating/curves/CLoop.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr std::size_t kSamples = static_cast<std::size_t>(BendClearance::kArcSamples) + 1;

// Samples from a to b, both ends included.
void sampleSegment(const XtGePoint2d& a, const XtGePoint2d& b, XtGePoint2d* out) {
  for (std::size_t k = 0; k < kSamples; ++k) out[k] = a + (b - a) * (static_cast<double>(k) / (kSamples - 1));
}

}  // namespace

void BendClearance::addZone(const CLoop& outline, double border) {
  if (!(border > 0.0) || !std::isfinite(border)) return;
  const bool curves = std::any_of(outline.elements.begin(), outline.elements.end(),
                                  [](const CLoopElement* e) { return e != nullptr && e->hasCurve(); });
  if (curves) zones_.push_back({&outline, border});
}

double BendClearance::nearest(const Zone& zone, const XtGePoint2d* samples, std::size_t count, double enough) {
  double least = std::numeric_limits<double>::infinity();
  for (const CLoopElement* wall : zone.outline->elements) {
    if (wall == nullptr || !wall->hasCurve()) continue;
    for (std::size_t k = 0; k < count; ++k) {
      least = std::min(least, wall->curve->distanceTo(samples[k]));
      if (least < enough) return least;
    }
  }
  return least;
}

bool BendClearance::keeps(const XtGePoint2d& t1, const XtGePoint2d& corner, const XtGePoint2d& t2,
                          const XtGePoint2d& centre, double sweep) const {
  if (zones_.empty()) return true;
  std::array<XtGePoint2d, kSamples> arc;
  const XtGeVector2d from = t1 - centre;
  for (std::size_t k = 0; k < kSamples; ++k) {
    const double a = sweep * static_cast<double>(k) / (kSamples - 1);
    const double c = std::cos(a), s = std::sin(a);
    arc[k] = centre + XtGeVector2d(c * from.x - s * from.y, s * from.x + c * from.y);
  }
  std::array<XtGePoint2d, 2 * kSamples> sides;
  sampleSegment(t1, corner, sides.data());
  sampleSegment(corner, t2, sides.data() + kSamples);
  // Beyond this from the corner no wall comes near the bend.
  const double reach = std::max(corner.distanceTo(t1), corner.distanceTo(t2));
  for (const Zone& zone : zones_) {
    // A zone whose walls all lie farther than its border beyond the bend's
    // reach asks nothing.
    const double far = zone.border + reach;
    if (nearest(zone, &corner, 1, far) >= far) continue;
    const double kept = std::min(zone.border, nearest(zone, sides.data(), sides.size(), 0.0)) - tolerance_;
    if (nearest(zone, arc.data(), arc.size(), kept) < kept) return false;
  }
  return true;
}
