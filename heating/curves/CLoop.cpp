#include "heating/curves/CLoop.h"

#include "heating/curves/HeatingCurveIntersections.h"

#include "geometry/Tolerances.h"

#include <cmath>

int CLoop::indexOf(const CLoopElement* element) const {
  if (element == nullptr) return -1;
  for (int i = 0; i < elementCount(); ++i)
    if (elements[i] == element) return i;
  return -1;
}

int CLoop::cyclicIndex(int i, int offset) const {
  const int n = elementCount();
  if (n == 0) return -1;
  const long long k = (static_cast<long long>(i) + offset) % n;
  return static_cast<int>(k < 0 ? k + n : k);
}

const CLoopElement* CLoop::elementWithCurve(int i) const {
  if (i < 0 || i >= elementCount()) return nullptr;
  const CLoopElement* element = elements[i];
  return element != nullptr && element->hasCurve() ? element : nullptr;
}

void CLoop::addIntersection(std::vector<CLoopPoint>& points, const XtGePoint2d& p, int i, const XtGeTol& tol) const {
  CLoopElement* element = elements[i];
  for (CLoopPoint& known : points) {
    if (known.point.isEqualTo(p, tol)) {
      known.addLink(element);
      return;
    }
  }
  CLoopPoint found(p, element);
  if (p.isEqualTo(element->startPoint(), tol)) {
    found.addLink(elements[previousIndex(i)]);
  } else if (p.isEqualTo(element->endPoint(), tol)) {
    found.addLink(elements[nextIndex(i)]);
  }
  points.push_back(std::move(found));
}

bool CLoop::intersectCurve(const CFloorHeatingCurve& curve, std::vector<CLoopPoint>& points,
                           const XtGeTol& tol) const {
  points.clear();
  XtGePoint2dArray hits;  // reused for every element
  for (int i = 0; i < elementCount(); ++i) {
    const CLoopElement* element = elementWithCurve(i);
    if (element == nullptr) continue;
    hits.removeAll();
    intersectCurvesToArray(*element->curve, curve, hits, workTolFine);
    for (const XtGePoint2d& p : hits) addIntersection(points, p, i, tol);
  }
  return !points.empty();
}

bool CLoop::intersectRay(const XtGeRay2d& ray, std::vector<CLoopPoint>& points, const XtGeTol& tol) const {
  points.clear();
  for (int i = 0; i < elementCount(); ++i) {
    const CLoopElement* element = elementWithCurve(i);
    XtGePoint2d hit;
    if (element != nullptr && element->curve->intersectWithRay(ray, hit, tol)) addIntersection(points, hit, i, tol);
  }
  return !points.empty();
}

bool CLoop::pickFarthestIntersection(const CFloorHeatingCurve& curve, const CLoopPoint& reference, CLoopPoint& out,
                                     const XtGeTol& tol) const {
  std::vector<CLoopPoint> candidates;
  intersectCurve(curve, candidates, tol);
  return pickByDistance(candidates, reference.point, true, out);
}

bool CLoop::pickIntersection(const XtGeRay2d& ray, const CLoopPoint& reference, CLoopPoint& out,
                             const XtGeTol& tol) const {
  std::vector<CLoopPoint> candidates;
  intersectRay(ray, candidates, tol);
  return pickByDistance(candidates, reference.point, false, out);
}

bool CLoop::closestPoint(const XtGePoint2d& point, CLoopPoint& out, const XtGeTol& tol) const {
  bool found = false;
  double best = 0.0;
  for (int i = 0; i < elementCount(); ++i) {
    const CLoopElement* element = elementWithCurve(i);
    if (element == nullptr) continue;
    const XtGePoint2d projection = element->curve->geCurve().closestPointTo(point, workTolFine);
    const double d = projection.distanceTo(point);
    if (!found) {
      out.clearLinks();
      out.point = projection;
      out.addLink(elements[i]);
      best = d;
      found = true;
    } else if (std::fabs(d - best) < tol.equalPoint()) {
      if (projection.isEqualTo(out.point, tol)) {
        out.addLink(elements[i]);  // a joint
      } else {
        out.clearLinks();
        out.point = projection;
        out.addLink(elements[i]);
      }
    } else if (d < best) {
      out.clearLinks();
      out.point = projection;
      out.addLink(elements[i]);
      best = d;
    }
  }
  return found;
}

XtGePoint2d CLoop::lengthWeightedCentre() const {
  double weight = 0.0;
  double x = 0.0;
  double y = 0.0;
  double plainX = 0.0;
  double plainY = 0.0;
  int count = 0;
  for (int i = 0; i < elementCount(); ++i) {
    const CLoopElement* element = elementWithCurve(i);
    if (element == nullptr) continue;
    const XtGePoint2d mid = element->curve->midPoint();
    const double len = element->curve->length();
    plainX += mid.x;
    plainY += mid.y;
    ++count;
    // Zero-length (or unmeasurable) elements carry no weight: they would
    // only turn the mean into NaN.
    if (!(len > 0.0) || !std::isfinite(len)) continue;
    x += mid.x * len;
    y += mid.y * len;
    weight += len;
  }
  if (weight > 0.0) return XtGePoint2d(x / weight, y / weight);
  if (count > 0) return XtGePoint2d(plainX / count, plainY / count);
  return XtGePoint2d();
}
