#include "heating/curves/CircuitPolyline.h"

#include "heating/curves/HeatingCurveEnds.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeLineSeg2d.h"

#include <vector>

namespace {

struct RunPoint {
  XtGePoint2d point;
  double param = 0.0;
};

}  // namespace

std::unique_ptr<CFloorHeatingPolyLine> buildCircuitPolyline(const CFloorHeatingPolyLine& path, const XtGePoint2d& a1,
                                                            const XtGePoint2d& b1, const XtGePoint2d& a2,
                                                            const XtGePoint2d& b2, double spacing,
                                                            std::uint32_t tag) {
  const XtGeCompositeCurve2d& composite = path.composite();
  const double length = composite.totalLength();
  if (!(length > 0.0)) return nullptr;
  const double dt = 2.0 * workTol.equalPoint() / length;
  XtGeInterval range;
  composite.getInterval(range);
  const auto param = [&](const XtGePoint2d& p) { return composite.paramOf(p); };
  const XtGePoint2dArray& vertices = path.vertices();
  const int n = vertices.length();

  // Outward: A1 where the walk first reaches it, the vertices after it, B1.
  std::vector<RunPoint> outward;
  const double tA1 = param(a1);
  const double tB1 = param(b1);
  for (int i = 0; i < n; ++i) {
    const double t = param(vertices[i]);
    if (outward.empty()) {
      if (t < tA1 - dt) continue;
      outward.push_back({a1, tA1});
    }
    if (t >= tB1 - dt) {
      outward.push_back({b1, tB1});
      break;
    }
    if (t > tA1 + dt) outward.push_back({vertices[i], t});
  }

  // Return, walking back: B2, the vertices before it down to A2, A2.
  std::vector<RunPoint> back;
  const double tA2 = param(a2);
  const double tB2 = param(b2);
  for (int i = n - 1; i >= 0; --i) {
    const double t = param(vertices[i]);
    if (back.empty()) {
      if (t > tB2 + dt) continue;
      back.push_back({b2, tB2});
    }
    if (t <= tA2 + dt) break;
    if (t < tB2 - dt) back.push_back({vertices[i], t});
  }
  if (!back.empty()) back.push_back({a2, tA2});

  const double reach = 2.0 * workTol.equalPoint() + 1.77 * spacing;
  std::vector<XtGePoint2d> middles;
  for (std::size_t i = 0, j = 0; i < outward.size() && j < back.size();) {
    const RunPoint& p = outward[i];
    const RunPoint& q = back[j];
    if (p.point.distanceTo(q.point) > reach) {
      if (range.upperBound() - q.param <= p.param - range.lowerBound())
        ++j;
      else
        ++i;
      continue;
    }
    const XtGePoint2d middle = midPoint2d(p.point, q.point);
    if (middles.empty() || !middles.back().isEqualTo(middle, workTol)) middles.push_back(middle);
    ++i;
    ++j;
  }
  if (middles.size() < 2) return nullptr;
  std::vector<std::unique_ptr<XtGeCurve2d>> segments;
  for (std::size_t i = 0; i + 1 < middles.size(); ++i)
    segments.push_back(std::make_unique<XtGeLineSeg2d>(middles[i], middles[i + 1]));
  return std::make_unique<CFloorHeatingPolyLine>(XtGeCompositeCurve2d(std::move(segments)), tag);
}
