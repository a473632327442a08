// The manifold outline of the pipe network: its segments, label point and
// connection line, and the queries the routing asks of it.
#include "heating/design/model/CFHPipeNetwork.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeLine2d.h"

#include <cmath>
#include <numbers>

namespace {

// The item whose outline also has a segment from its third point to its sixth.
constexpr const char16_t* kManifoldWithInnerSegment = u"TOT0000-0001";

// Whether a beats the best so far for the key (primary, then secondary),
// where each key is to be smallest (sign +1) or largest (sign -1); primary
// values within tol are equal.
bool beats(const XtGePoint2d& a, const XtGePoint2d& best, bool primaryX, double primarySign, double secondarySign,
           double tol) {
  const double pa = primaryX ? a.x : a.y;
  const double pb = primaryX ? best.x : best.y;
  const double sa = primaryX ? a.y : a.x;
  const double sb = primaryX ? best.y : best.x;
  if (primarySign * (pb - pa) > tol) return true;
  if (std::fabs(pa - pb) > tol) return false;
  return secondarySign * (sb - sa) > tol;
}

XtGePoint2d extreme(const std::vector<XtGePoint2d>& points, bool primaryX, double primarySign, double secondarySign,
                    double tol) {
  XtGePoint2d best = points.front();
  for (const XtGePoint2d& p : points) {
    if (beats(p, best, primaryX, primarySign, secondarySign, tol)) best = p;
  }
  return best;
}

XtGePoint2d midpoint(const XtGePoint2d& a, const XtGePoint2d& b) {
  return XtGePoint2d((a.x + b.x) * 0.5, (a.y + b.y) * 0.5);
}

}  // namespace

bool CFHPipeNetwork::distributorOutline() {
  outlineSegments.clear();
  const std::vector<XtGePoint2d>& points = outlineSource;
  if (points.empty()) return false;
  const double tol = workTol.equalPoint();

  double leftX = points.front().x;
  double lowY = points.front().y;
  double highY = lowY;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const XtGePoint2d& p = points[i];
    if (i > 0) outlineSegments.emplace_back(points[i - 1], p);
    if (leftX - p.x > tol) {
      leftX = p.x;
      lowY = highY = p.y;
    } else if (std::fabs(p.x - leftX) <= tol) {
      lowY = std::min(lowY, p.y);
      highY = std::max(highY, p.y);
    }
  }
  labelPoint = XtGePoint2d(leftX, (lowY + highY) * 0.5);

  const bool withInnerSegment = itemId.CompareNoCase(kManifoldWithInnerSegment) == 0;
  if (points.size() > 2) outlineSegments.emplace_back(points.back(), points.front());
  if (withInnerSegment && points.size() >= 6) outlineSegments.emplace_back(points[2], points[5]);

  // Leftmost (lowest among them), rightmost (highest), topmost (leftmost),
  // bottommost (rightmost).
  const XtGePoint2d left = extreme(points, true, 1.0, 1.0, tol);
  const XtGePoint2d right = extreme(points, true, -1.0, -1.0, tol);
  const XtGePoint2d top = extreme(points, false, -1.0, 1.0, tol);
  const XtGePoint2d bottom = extreme(points, false, 1.0, -1.0, tol);
  XtGePoint2d from;
  XtGePoint2d to;
  if (left.distanceTo(bottom) <= left.distanceTo(top)) {
    // The manifold stands upright: the line runs along its height.
    if ((top - left).angle() >= std::numbers::pi / 4.0) {
      from = midpoint(top, right);
      to = midpoint(left, bottom);
    } else {
      from = midpoint(left, bottom);
      to = midpoint(top, right);
    }
  } else {
    from = midpoint(left, top);
    to = midpoint(bottom, right);
  }
  connectionLine_.reset();
  connectionLine_ = std::make_unique<CFloorHeatingLine>(from, to, nullptr, kConnectionLineTag);

  if (outlineSegments.size() < 4) return false;
  return !withInnerSegment || points.size() >= 6;
}

bool CFHPipeNetwork::closestOutlinePoint(const CFloorHeatingCurve& curve, XtGePoint2d& onOutline,
                                         XtGePoint2d* onCurve) const {
  if (outlineSegments.empty()) return false;
  const double tol = workTol.equalPoint();
  XtGePoint2d bestOutline;
  XtGePoint2d bestCurve;
  double bestDistance = 0.0;
  for (std::size_t i = 0; i < outlineSegments.size(); ++i) {
    XtGePoint2d curvePoint;
    const XtGePoint2d segmentPoint = outlineSegments[i].closestPointTo(curve.geCurve(), curvePoint);
    const double distance = segmentPoint.distanceTo(curvePoint);
    if (i == 0 || distance < bestDistance - tol) {
      bestOutline = segmentPoint;
      bestCurve = curvePoint;
      bestDistance = distance;
    }
  }
  onOutline = bestOutline;
  if (onCurve != nullptr) *onCurve = bestCurve;
  return true;
}

bool CFHPipeNetwork::isNotNearer(const XtGePoint2d& a, const XtGePoint2d& b) const {
  if (outlineSegments.empty()) return true;
  double nearestToA = std::numeric_limits<double>::infinity();
  for (const XtGeLineSeg2d& segment : outlineSegments) nearestToA = std::min(nearestToA, segment.distanceTo(a));
  for (const XtGeLineSeg2d& segment : outlineSegments) {
    if (segment.distanceTo(b) < nearestToA) return false;
  }
  return true;
}

bool outlineConnectionPoint(const CFloorHeatingCurve& curve, const std::vector<XtGeLineSeg2d>& outline,
                            bool midpointMode, bool atStart, int index, XtGePoint2d& point) {
  if (midpointMode) {
    const XtGeLine2d line = atStart ? curve.startLine() : curve.endLine();
    XtGePoint2d first;
    bool haveFirst = false;
    for (const XtGeLineSeg2d& segment : outline) {
      XtGePoint2d hit;
      if (!segment.intersectWith(line, hit, workTol)) continue;
      if (!haveFirst) {
        first = hit;
        haveFirst = true;
        continue;
      }
      point = XtGePoint2d((first.x + hit.x) * 0.5, (first.y + hit.y) * 0.5);
      return true;
    }
    return false;
  }
  if (index < 0 || static_cast<std::size_t>(index) >= outline.size()) return false;
  const XtGeLineSeg2d& segment = outline[static_cast<std::size_t>(index)];
  const XtGeCurveCurveInt2d meeting(curve.geCurve(), segment, workTol);
  if (meeting.numIntPoints() > 0) {
    point = meeting.intPoint(0);
    return true;
  }
  point = segment.closestPointTo(atStart ? curve.startPoint() : curve.endPoint());
  return true;
}
