#include "heating/layout/offsets/COffsetLoop.h"

#include "heating/layout/offsets/COffsetNarrowLoopSection.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "geometry/Tolerances.h"

#include <cmath>

COffsetLoop::COffsetLoop(const CFloorHeatingLine& line, double width) {
  const XtGePoint2d& start = line.startPoint();
  const XtGePoint2d& end = line.endPoint();
  const XtGeVector2d along = end - start;
  const double length = along.length();
  if (!(length > 0.0) || !std::isfinite(length)) return;
  const XtGeVector2d n = (along / length).perpVector() * width;
  const XtGePoint2d a = end + n;
  const XtGePoint2d b = start + n;
  const std::uint32_t tag = line.tag();
  elements.reserve(4);
  appendSection(makeSection(line.extendedCopyAt(line.midPoint(), 0.0)));
  appendSection(makeSection(std::make_unique<CFloorHeatingLine>(end, a, nullptr, tag)));
  appendSection(makeSection(std::make_unique<CFloorHeatingLine>(a, b, nullptr, tag)));
  appendSection(makeSection(std::make_unique<CFloorHeatingLine>(b, start, nullptr, tag)));
}

COffsetLoop::~COffsetLoop() {
  for (CLoopElement*& element : elements) {
    delete element;
    element = nullptr;
  }
}

void COffsetLoop::appendSection(COffsetSection* section) {
  if (section != nullptr) elements.push_back(section);
}

namespace {

// The loop points as offset points, into `points`; true when any.
bool asOffsetPoints(const std::vector<CLoopPoint>& found, std::vector<COffsetPoint>& points) {
  points.reserve(found.size());
  for (const CLoopPoint& p : found) points.emplace_back(p);
  return !points.empty();
}

}  // namespace

bool COffsetLoop::intersectionPoints(const CFloorHeatingCurve& curve, std::vector<COffsetPoint>& points,
                                     const XtGeTol& tol) const {
  points.clear();
  std::vector<CLoopPoint> found;
  intersectCurve(curve, found, tol);
  return asOffsetPoints(found, points);
}

bool COffsetLoop::rayIntersections(const XtGeRay2d& ray, std::vector<COffsetPoint>& points,
                                   const XtGeTol& tol) const {
  points.clear();
  std::vector<CLoopPoint> found;
  intersectRay(ray, found, tol);
  return asOffsetPoints(found, points);
}

bool COffsetLoop::farthestIntersection(const CFloorHeatingCurve& curve, const CLoopPoint& reference,
                                       CLoopPoint& result, const XtGeTol& tol) const {
  return pickFarthestIntersection(curve, reference, result, tol);
}

std::unique_ptr<COffsetNarrowLoopSection> makeNarrowLoopSection(const COffsetLoop& loop) {
  auto narrow = std::make_unique<COffsetNarrowLoopSection>();
  narrow->elements.reserve(loop.elements.size());
  for (const CLoopElement* element : loop.elements) {
    if (element == nullptr || !element->hasCurve()) continue;
    narrow->appendSection(makeSection(element->curve->extendedCopyAt(element->curve->midPoint(), 0.0)));
  }
  return narrow;
}

std::unique_ptr<XtGeCompositeCurve2d> makeCompositeCurveOfLoop(const CLoop& loop) {
  XtGeCurve2dPtrArray curves;
  for (const CLoopElement* element : loop.elements)
    if (element != nullptr && element->hasCurve()) curves.append(const_cast<XtGeCurve2d*>(&element->curve->geCurve()));
  auto composite = std::make_unique<XtGeCompositeCurve2d>();
  composite->setCurveList(curves);  // deep copies
  return composite;
}
