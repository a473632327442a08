#include "heating/layout/offsets/LoopProjections.h"

#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNode.h"

#include "geometry/Tolerances.h"

#include <algorithm>

bool projectOntoLoop(const COffsetLoop& loop, const XtGePoint2d& point, std::vector<COffsetPoint>& out,
                     const XtGeTol& tol) {
  out.clear();
  const int n = loop.sectionCount();
  // The best distance first, then the candidates as near as it.
  double best = -1.0;
  for (int i = 0; i < n; ++i) {
    if (!loop.elements[i]->hasCurve()) continue;
    const double d = loop.elements[i]->curve->geCurve().closestPointTo(point, workTolFine).distanceTo(point);
    if (best < 0.0 || d < best) best = d;
  }
  if (best < 0.0) return false;
  for (int i = 0; i < n; ++i) {
    CLoopElement* section = loop.elements[i];
    if (!section->hasCurve()) continue;
    const XtGePoint2d p = section->curve->geCurve().closestPointTo(point, workTolFine);
    if (p.distanceTo(point) > best + tol.equalPoint()) continue;
    const auto same = std::find_if(out.begin(), out.end(), [&](const COffsetPoint& c) { return c.point.isEqualTo(p, tol); });
    if (same != out.end())
      same->addLink(section);
    else
      out.emplace_back(p, section);
  }
  return !out.empty();
}

bool bestProjectionOnLoop(const COffsetLoop& loop, const XtGePoint2d& point, const COffsetNode& node,
                          std::uint8_t direction, COffsetPoint& out, const XtGeTol& tol) {
  std::vector<COffsetPoint> candidates;
  if (!projectOntoLoop(loop, point, candidates, tol)) return false;
  const COffsetPoint* best = nullptr;
  double bestLength = 0.0;
  for (const COffsetPoint& c : candidates) {
    const double length = loop.lengthBetween(node, c, direction != 0, tol);
    if (best == nullptr || length > bestLength) {
      best = &c;
      bestLength = length;
    }
  }
  out.assignPointAndLinks(*best);
  return true;
}
