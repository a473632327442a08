#include "heating/layout/offsets/OffsetLoopQueries.h"

#include <cmath>
#include <memory>

#include "geometry/Tolerances.h"
#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/DrawingUnitFactor.h"
#include "heating/curves/HeatingCurveEnds.h"
#include "platform/ge/XtGeLinearEnt2d.h"

// The picks choose among the loop's intersection points as the loop's own
// picks do (pickByDistance).

bool COffsetLoop::nearestIntersection(const CFloorHeatingCurve& curve, const CLoopPoint& reference, CLoopPoint& result,
                                      const XtGeTol& tol) const {
  std::vector<CLoopPoint> points;
  intersectCurve(curve, points, tol);
  return pickByDistance(points, reference.point, false, result);
}

bool COffsetLoop::nearestAndFarthestIntersection(const CFloorHeatingCurve& curve, const CLoopPoint& reference,
                                                 CLoopPoint& nearest, CLoopPoint& farthest, const XtGeTol& tol) const {
  std::vector<CLoopPoint> points;
  intersectCurve(curve, points, tol);
  return pickByDistance(points, reference.point, false, nearest) &&
         pickByDistance(points, reference.point, true, farthest);
}

bool COffsetLoop::nearestRayIntersection(const XtGeRay2d& ray, const CLoopPoint& reference, CLoopPoint& result,
                                         const XtGeTol& tol) const {
  return pickIntersection(ray, reference, result, tol);
}

bool COffsetLoop::farthestRayIntersection(const XtGeRay2d& ray, const CLoopPoint& reference, CLoopPoint& result,
                                          const XtGeTol& tol) const {
  std::vector<CLoopPoint> points;
  intersectRay(ray, points, tol);
  return pickByDistance(points, reference.point, true, result);
}

bool loopCornersOnCurve(const COffsetLoop& loop, const CFloorHeatingCurve& curve, XtGePoint2dArray& points,
                        const XtGeTol& tol) {
  points.removeAll();
  const XtGeCurve2d& on = curve.geCurve();
  for (int i = 0; i < loop.sectionCount(); ++i) {
    const CLoopElement* section = loop.elementWithCurve(i);
    if (section == nullptr) continue;
    if (on.isOn(section->startPoint(), tol)) points.append(section->startPoint());
    if (on.isOn(section->endPoint(), tol)) points.append(section->endPoint());
  }
  return !points.isEmpty();
}

bool loopPositionOfPoint(const COffsetLoop& loop, const XtGePoint2d& point, double& length, const XtGeTol& tol) {
  double before = 0.0;
  for (int i = 0; i < loop.sectionCount(); ++i) {
    const CLoopElement* section = loop.elementWithCurve(i);
    if (section == nullptr) continue;
    const XtGeCurve2d& curve = section->curve->geCurve();
    XtGeInterval range;
    curve.getInterval(range);
    if (!range.isBounded()) continue;
    double t = 0.0;
    if (section->startPoint().isEqualTo(point, tol)) {
      t = range.lowerBound();
    } else if (section->endPoint().isEqualTo(point, tol)) {
      t = range.upperBound();
    } else if (!curve.isOn(point, t, tol)) {
      before += curve.length(range.lowerBound(), range.upperBound(), workTolFine);
      continue;
    }
    length = before + curve.length(range.lowerBound(), t, workTolFine);
    return true;
  }
  return false;
}

int classifyPointInLoops(const std::vector<COffsetLoop*>& loops, const XtGePoint2d& point, const XtGeTol& tol) {
  for (const COffsetLoop* loop : loops) {
    if (loop == nullptr) continue;
    const int answer = loop->classifyPoint(point, tol);
    if (answer != CLoop::kOutside) return answer;
  }
  return CLoop::kOutside;
}

namespace {

// A line section longer than workTol's point value: its unit direction.
bool lineDirection(const CLoopElement* section, XtGeVector2d& direction) {
  if (section == nullptr || !section->hasCurve() || section->curve->kind() != CFloorHeatingCurve::kLine) return false;
  const XtGeVector2d along = section->endPoint() - section->startPoint();
  const double length = along.length();
  if (!(length > workTol.equalPoint()) || !std::isfinite(length)) return false;
  direction = along / length;
  return true;
}

}  // namespace

void mergeCollinearSections(COffsetLoop& loop) {
  std::vector<CLoopElement*>& e = loop.elements;
  const double u = usableDrawingUnitFactor();
  const XtGeTol local(u * 1e-5, u * 5e-6);
  // Every merge removes a section, so at most as many passes as sections.
  for (bool merged = true; merged && e.size() > 1;) {
    merged = false;
    for (std::size_t i = 0; i < e.size() && e.size() > 1;) {
      const std::size_t j = (i + 1) % e.size();
      XtGeVector2d a;
      XtGeVector2d b;
      // A line sliver shorter than the merge's point tolerance between two
      // lines that run the same way (what the offset of two nearly collinear
      // sides can leave, micrometres long) has no direction of its own: it
      // goes, the line before it reaching on to its end, and the two lines
      // merge on the next step.
      const std::size_t k = (j + 1) % e.size();
      if (e.size() > 3 && k != i && lineDirection(e[i], a) && lineDirection(e[k], b) && a.isCodirectionalTo(b, local) &&
          e[j]->hasCurve() && e[j]->curve->kind() == CFloorHeatingCurve::kLine &&
          e[j]->curve->length() < local.equalPoint()) {
        e[i]->curve->setEndPoints(e[i]->startPoint(), e[j]->endPoint());
        delete e[j];
        e.erase(e.begin() + static_cast<std::ptrdiff_t>(j));
        merged = true;
        if (j < i) --i;
        continue;
      }
      if (!lineDirection(e[i], a) || !lineDirection(e[j], b) || !a.isCodirectionalTo(b, local)) {
        ++i;
        continue;
      }
      const XtGePoint2d start = e[i]->startPoint();
      const XtGePoint2d end = e[j]->endPoint();
      e[i]->curve->setEndPoints(start, end);
      delete e[j];
      e.erase(e.begin() + static_cast<std::ptrdiff_t>(j));
      merged = true;
      if (j < i) --i;  // the first section went: the merged one moved down
    }
  }
}

double lengthToSectionEnd(const CLoopPoint& point, bool forward, const XtGeTol& tol) {
  const CLoopElement* section = point.outgoingLink(forward, tol);
  if (section == nullptr || !section->hasCurve()) return 0.0;
  const XtGeCurve2d& curve = section->curve->geCurve();
  XtGeInterval range;
  curve.getInterval(range);
  if (!range.isBounded()) return 0.0;
  const double t = curve.paramOf(point.point, workTolFine);
  const double length =
      forward ? curve.length(t, range.upperBound(), workTolFine) : curve.length(range.lowerBound(), t, workTolFine);
  return std::isfinite(length) ? length : 0.0;
}

bool nearestFarSample(const std::vector<COffsetPoint>& samples, int index, double& distance, int n) {
  const int count = static_cast<int>(samples.size());
  if (n < 0 || count < 2 * n + 2 || index < 0 || index >= count) return false;
  double least = INFINITY;
  for (int j = 0; j < count; ++j) {
    const int apart = std::abs(j - index);
    if (std::min(apart, count - apart) <= n) continue;
    least = std::min(least, samples[j].point.distanceTo(samples[index].point));
  }
  distance = least;
  return true;
}

bool isLoopClosed(const COffsetLoop& loop) {
  const int n = loop.sectionCount();
  if (n < 3 || loop.elementWithCurve(0) == nullptr || loop.elementWithCurve(n - 1) == nullptr) return false;
  return loop.section(n - 1)->endPoint().isEqualTo(loop.section(0)->startPoint(), workTol);
}

bool closestPointOnPieces(const CFloorHeatingCurve& curve, const std::vector<XtGeInterval>& intervals,
                          const XtGePoint2d& point, XtGePoint2d& result) {
  bool found = false;
  double least = 0.0;
  for (const XtGeInterval& interval : intervals) {
    std::unique_ptr<XtGeCurve2d> piece(curve.geCurve().copy());
    if (!interval.isBounded() || !piece->setInterval(interval)) continue;
    const XtGePoint2d candidate = piece->closestPointTo(point, workTolFine);
    const double d = candidate.distanceTo(point);
    if (!found || d < least) {
      result = candidate;
      least = d;
      found = true;
    }
  }
  return found;
}

bool sectionEndPoints(const COffsetLoop& loop, const COffsetSection* section, bool forward, CLoopPoint& first,
                      CLoopPoint& second) {
  const int i = loop.indexOf(section);
  if (i < 0 || !section->hasCurve()) return false;
  COffsetSection* own = loop.section(i);
  CLoopPoint& atStart = forward ? first : second;
  CLoopPoint& atEnd = forward ? second : first;
  atStart.clearLinks();
  atStart.point = own->startPoint();
  atStart.addLink(own);
  atStart.addLink(loop.section(loop.previousIndex(i)));
  atEnd.clearLinks();
  atEnd.point = own->endPoint();
  atEnd.addLink(own);
  atEnd.addLink(loop.section(loop.nextIndex(i)));
  return true;
}

COffsetLoop* longerOfCrossingLoops(COffsetLoop* a, COffsetLoop* b) {
  if (a == nullptr || b == nullptr || a->sectionCount() == 0) return nullptr;
  std::vector<COffsetPoint> points;
  for (int i = 0; i < a->sectionCount(); ++i) {
    const CLoopElement* section = a->elementWithCurve(i);
    if (section != nullptr && b->intersectionPoints(*section->curve, points, workTol))
      return a->length(workTolFine) > b->length(workTolFine) ? a : b;
  }
  return nullptr;
}

bool curveNormalAt(const CFloorHeatingCurve& curve, const XtGePoint2d& point, XtGeVector2d& normal,
                   const XtGeTol& tol) {
  const XtGeCurve2d& geometry = curve.geCurve();
  XtGePoint2d at;
  XtGeVector2d d1;
  XtGeVector2d d2;
  if (!geometry.xtEvalDerivs(geometry.paramOf(point, tol), at, d1, d2)) return false;
  const double length = d1.length();
  if (!(length > 0.0) || !std::isfinite(length)) return false;
  normal = d1.perpVector() / length;
  return true;
}

bool isPerpendicularFoot(const CFloorHeatingCurve& curve, const XtGeVector2d& direction, const XtGePoint2d& point,
                         XtGePoint2d& foot, const XtGeTol& tol) {
  foot = curve.closestPointTo(point);
  return (foot - point).isPerpendicularTo(direction, tol);
}

bool shiftedCurveHit(const COffsetLoop& loop, const CFloorHeatingCurve& curve, double distance, bool reverse,
                     CLoopPoint& result, const XtGeTol& tol) {
  const XtGePoint2d centre = loop.lengthWeightedCentre();
  const bool atEnd = curve.endPoint().distanceTo(centre) < curve.startPoint().distanceTo(centre);
  const XtGePoint2d end = atEnd ? curve.endPoint() : curve.startPoint();
  const XtGeVector2d travel = atEnd ? outwardTangentAtEnd(curve) : -outwardTangentAtStart(curve);
  int side = travel.crossProduct(centre - end) >= 0.0 ? 1 : -1;
  if (reverse) side = -side;
  const CFloorHeatingCurve::Ptr moved = curve.movedCopy(side, distance, 0.0);
  if (moved == nullptr) return false;
  CLoopPoint reference(end);
  bool onLoop = false;
  for (int i = 0; i < loop.sectionCount() && !onLoop; ++i)
    onLoop = loop.elementWithCurve(i) != nullptr && loop.section(i)->curve->geCurve().isOn(end, tol);
  if (!onLoop && !loop.closestPoint(end, reference, tol)) return false;
  return loop.nearestIntersection(*moved, reference, result, tol);
}

double loopArea(const CLoop& loop) {
  // Twice the signed area of the polygon, taken from its first point (so
  // that it keeps its precision far from the origin).
  bool first = true;
  XtGePoint2d origin;
  XtGePoint2d previous;
  double twice = 0.0;
  for (const CLoopElement* element : loop.elements) {
    if (element == nullptr || !element->hasCurve()) continue;
    const CFloorHeatingCurve& curve = *element->curve;
    const bool straight = dynamic_cast<const XtGeLinearEnt2d*>(&curve.geCurve()) != nullptr;
    const int samples = straight ? 1 : kMeanWidthSamples;
    const double sectionLength = curve.length();
    for (int i = 0; i < samples; ++i) {
      const XtGePoint2d p = curve.pointAtLength(sectionLength * i / samples);
      if (first) {
        origin = previous = p;
        first = false;
        continue;
      }
      twice += (previous - origin).crossProduct(p - origin);
      previous = p;
    }
  }
  return 0.5 * std::fabs(twice);
}

double loopMeanWidth(const CLoop& loop, const XtGeTol& tol) {
  const double length = loop.length(tol);
  if (!(length > 0.0) || !std::isfinite(length)) return 0.0;
  return 2.0 * loopArea(loop) / length;
}
