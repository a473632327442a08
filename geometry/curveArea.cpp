#include "geometry/curveArea.h"

#include "geometry/Tolerances.h"
#include "geometry/PointAreas.h"
#include "geometry/curveClassification.h"
#include "geometry/curveProbes.h"
#include "geometry/forEachSimplePiece.h"
#include "platform/ge/XtGeEllipArc2d.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// The sense of a piece of another kind, from the polygon through its sample
// points closed by its chord: +1 counter-clockwise, -1 clockwise.
int senseBySamples(const XtGeCurve2d& piece) {
  XtGePoint2dArray points;
  piece.getSamplePoints(33, points);
  double twice = 0.0;
  for (int i = 0; i < points.length(); ++i) {
    const XtGeVector2d p = points[i] - points[0];
    const XtGeVector2d q = points[(i + 1) % points.length()] - points[0];
    twice += p.crossProduct(q);
  }
  return twice < 0.0 ? -1 : 1;
}

// The polygon through the ends of a chain of pieces (the first start, then
// every end, measured from the first start) and the corrections of its
// curved pieces.
class chainAreaSum {
 public:
  explicit chainAreaSum(const XtGeCurve2d* closedCurve) : m_closedCurve(closedCurve) {}

  // False when a curved piece has no area rule.
  bool add(const XtGeCurve2d& piece) {
    XtGePoint2d start;
    XtGePoint2d end;
    // Unbounded pieces enclose nothing (composites leave them out too).
    if (!piece.hasStartPoint(start) || !piece.hasEndPoint(end)) return true;
    if (!m_started) {
      m_started = true;
      m_origin = start;
      m_last = XtGeVector2d();
    }
    const XtGeVector2d v = end - m_origin;
    m_twicePolygon += m_last.crossProduct(v);
    m_last = v;
    if (piece.type() == XtGe::kLineSeg2d) return true;
    return addBulge(piece, start, end);
  }

  bool started() const { return m_started; }
  double polygonArea() const { return 0.5 * m_twicePolygon; }
  // Corrections whose sign follows the pieces' own sense.
  double signedCorrection() const { return m_signedCorrection; }
  // Corrections decided against the closed curve: outward adds.
  double outwardCorrection() const { return m_outwardCorrection; }

 private:
  bool addBulge(const XtGeCurve2d& piece, const XtGePoint2d& start, const XtGePoint2d& end) {
    XtGeInterval iv(XtGe::kIntervalTol);
    piece.getInterval(iv);
    if (!iv.isBounded()) return true;
    const double lo = iv.lowerBound();
    const double hi = iv.upperBound();
    const XtGePoint2d middle = piece.xtEvalPoint(0.5 * (lo + hi));
    const double small = 10.0 * workTol.equalPoint();
    if (start.distanceTo(end) < small && start.distanceTo(middle) < small) return true;
    double segment = 0.0;
    if (!piece.xtArea(lo, hi, segment, workTolFine) || !std::isfinite(segment)) return false;
    // The loop of the piece and its chord back runs the piece's way round:
    // an arc turning left encloses its segment counter-clockwise.
    switch (piece.type()) {
      case XtGe::kCircArc2d:
        m_signedCorrection += static_cast<const XtGeCircArc2d&>(piece).isClockWise() ? -segment : segment;
        return true;
      case XtGe::kEllipArc2d:
        m_signedCorrection += static_cast<const XtGeEllipArc2d&>(piece).isClockWise() ? -segment : segment;
        return true;
      default:
        break;
    }
    if (m_closedCurve == nullptr) {
      m_signedCorrection += senseBySamples(piece) * segment;
      return true;
    }
    // A point a little inside the bulge from the piece's middle tells
    // whether the bulge belongs to the region.
    const XtGePoint2d chordMiddle = start + 0.5 * (end - start);
    const XtGePoint2d probe = middle + 0.1 * (chordMiddle - middle);
    if (classifyPointInCurve(probe, *m_closedCurve) == kPositionInside) {
      m_outwardCorrection += segment;
    } else {
      m_outwardCorrection -= segment;
    }
    return true;
  }

  const XtGeCurve2d* m_closedCurve;
  bool m_started = false;
  XtGePoint2d m_origin;
  XtGeVector2d m_last;
  double m_twicePolygon = 0.0;
  double m_signedCorrection = 0.0;
  double m_outwardCorrection = 0.0;
};

// The signed area of a region whose polygon part (with its sign) is given.
double signedRegionArea(double signedPolygon, const chainAreaSum& sum) {
  const double signedPart = signedPolygon + sum.signedCorrection();
  const double area = std::fabs(signedPart) + sum.outwardCorrection();
  return signedPart < 0.0 ? -area : area;
}

// The pieces of a closed curve summed; false when they cannot be measured.
bool sumClosedCurve(const XtGeCurve2d& curve, double& signedArea) {
  if (!curve.xtIsClosed(workTol)) return false;
  chainAreaSum sum(&curve);
  if (!forEachSimplePiece(curve, [&sum](const XtGeCurve2d& piece) { return sum.add(piece); }))
    return false;
  if (!sum.started()) return false;
  const double result = signedRegionArea(sum.polygonArea(), sum);
  if (!std::isfinite(result)) return false;
  signedArea = result;
  return true;
}

bool sumPieces(const curvePtrArray& pieces, chainAreaSum& sum) {
  for (const XtGeCurve2d* piece : pieces) {
    if (piece == nullptr) continue;
    if (!forEachSimplePiece(*piece, [&sum](const XtGeCurve2d& p) { return sum.add(p); }))
      return false;
  }
  return true;
}

}  // namespace

bool getCurveArea(const XtGeCurve2d& curve, double& area) {
  if (!curve.xtIsClosed(workTol)) return false;
  double signedArea = 0.0;
  if (sumClosedCurve(curve, signedArea)) {
    area = std::fabs(signedArea);
    return true;
  }
  // The curve's own area rule over its whole interval.
  XtGeInterval iv(XtGe::kIntervalTol);
  curve.getInterval(iv);
  double whole = 0.0;
  if (iv.isBounded() && curve.xtArea(iv.lowerBound(), iv.upperBound(), whole, workTol) &&
      std::isfinite(whole)) {
    area = whole;
    return true;
  }
  area = 0.0;
  return false;
}

bool getCurveSignedArea(const XtGeCurve2d& curve, double& signedArea) {
  return sumClosedCurve(curve, signedArea);
}

bool getCurveListArea(const XtGeCurve2d& closedCurve, const curvePtrArray& pieces, double& area) {
  chainAreaSum sum(&closedCurve);
  if (!sumPieces(pieces, sum)) return false;
  const double result = std::fabs(signedRegionArea(sum.polygonArea(), sum));
  if (!std::isfinite(result)) return false;
  area = result;
  return true;
}

bool getCurveListAreaByStrips(const XtGeCurve2d& closedCurve, const curvePtrArray& pieces,
                              double referenceY, double& area) {
  chainAreaSum sum(&closedCurve);
  if (!sumPieces(pieces, sum)) return false;
  std::vector<std::pair<XtGePoint2d, XtGePoint2d>> chords;
  std::vector<double> xs;
  for (const XtGeCurve2d* piece : pieces) {
    if (piece == nullptr) continue;
    forEachSimplePiece(*piece, [&](const XtGeCurve2d& p) {
      XtGePoint2d s;
      XtGePoint2d e;
      if (p.hasStartPoint(s) && p.hasEndPoint(e)) {
        chords.emplace_back(s, e);
        xs.push_back(s.x);
        xs.push_back(e.x);
      }
      return true;
    });
  }
  std::sort(xs.begin(), xs.end());
  const double same = workTol.equalPoint();
  std::vector<double> cuts;
  for (const double x : xs)
    if (cuts.empty() || x - cuts.back() > same) cuts.push_back(x);
  // The integral of (y - referenceY) dx along the chords, strip by strip:
  // a chord is straight over a strip, so its middle height times the width
  // is exact.
  double integral = 0.0;
  for (std::size_t j = 0; j + 1 < cuts.size(); ++j) {
    const double width = cuts[j + 1] - cuts[j];
    const double xm = 0.5 * (cuts[j] + cuts[j + 1]);
    for (const auto& [s, e] : chords) {
      const double dx = e.x - s.x;
      if (dx == 0.0 || xm < std::min(s.x, e.x) || xm > std::max(s.x, e.x)) continue;
      const double y = s.y + (xm - s.x) / dx * (e.y - s.y);
      integral += (dx > 0.0 ? width : -width) * (y - referenceY);
    }
  }
  // Counter-clockwise loops give a negative integral of y dx.
  const double result = std::fabs(signedRegionArea(-integral, sum));
  if (!std::isfinite(result)) return false;
  area = result;
  return true;
}

namespace {

// The signed area of the polygon (counter-clockwise positive), cut ear by
// ear; false when no ear is left to cut.
bool signedAreaByEars(std::vector<XtGePoint2d> polygon, double& signedArea) {
  double twice = 0.0;
  for (std::size_t k = 0; k < polygon.size(); ++k)
    twice += polygon[k].asVector().crossProduct(polygon[(k + 1) % polygon.size()].asVector());
  const double sense = twice < 0.0 ? -1.0 : 1.0;
  double sum = 0.0;
  std::vector<std::unique_ptr<XtGeCurve2d>> sides;
  std::vector<const XtGeCurve2d*> sidePointers;
  // Every round cuts one ear or gives up, so the polygon's size bounds it.
  while (polygon.size() > 3) {
    const std::size_t m = polygon.size();
    sides.clear();
    sidePointers.clear();
    for (std::size_t k = 0; k < m; ++k) {
      sides.push_back(std::make_unique<XtGeLineSeg2d>(polygon[k], polygon[(k + 1) % m]));
      sidePointers.push_back(sides.back().get());
    }
    const XtGeCompositeCurve2d outline(std::move(sides));
    sides.clear();
    std::size_t ear = m;
    for (std::size_t k = 0; k < m && ear == m; ++k) {
      const XtGePoint2d& prev = polygon[(k + m - 1) % m];
      const XtGePoint2d& next = polygon[(k + 1) % m];
      const double cross = (polygon[k] - prev).crossProduct(next - prev);
      // A vertex on the line of its neighbours adds nothing.
      if (std::fabs(cross) <= workTol.equalPoint() * prev.distanceTo(next)) {
        ear = k;
      } else if (cross * sense > 0.0) {
        const XtGeLineSeg2d diagonal(prev, next);
        if (segmentCrossesCurves(diagonal, std::span<const XtGeCurve2d* const>(sidePointers)) == 0 &&
            classifyPointInCurve(diagonal.midPoint(), outline) == kPositionInside) {
          sum += sense * triangleArea(prev, polygon[k], next, workTol);
          ear = k;
        }
      }
    }
    if (ear == m) return false;
    polygon.erase(polygon.begin() + static_cast<std::ptrdiff_t>(ear));
    sidePointers.clear();
  }
  if (polygon.size() == 3) sum += 0.5 * (polygon[1] - polygon[0]).crossProduct(polygon[2] - polygon[0]);
  signedArea = sum;
  return true;
}

}  // namespace

bool getCurveAreaByTriangles(const XtGeCurve2d& curve, double& area) {
  if (!curve.xtIsClosed(workTol)) return false;
  std::vector<XtGePoint2d> polygon;
  XtGePoint2d origin;
  double correction = 0.0;
  const double small = 10.0 * workTol.equalPoint();
  const bool known = forEachSimplePiece(curve, [&](const XtGeCurve2d& piece) {
    XtGePoint2d start;
    XtGePoint2d end;
    if ((piece.type() != XtGe::kLineSeg2d && piece.type() != XtGe::kCircArc2d) || !piece.hasStartPoint(start) ||
        !piece.hasEndPoint(end))
      return false;
    if (polygon.empty()) origin = start;
    // Measured from the first vertex, so that far coordinates keep their precision.
    polygon.push_back(XtGePoint2d() + (start - origin));
    if (piece.type() == XtGe::kCircArc2d) {
      const auto& arc = static_cast<const XtGeCircArc2d&>(piece);
      const XtGePoint2d middle = arc.xtEvalPoint(0.5 * (arc.startAng() + arc.endAng()));
      // An arc turning left bulges to the right of its chord.
      if (!(start.distanceTo(end) < small && start.distanceTo(middle) < small))
        correction += arc.isClockWise() ? -arcSegmentArea(arc) : arcSegmentArea(arc);
    }
    return true;
  });
  if (!known || polygon.empty()) return false;
  double polygonArea = 0.0;
  if (polygon.size() >= 3 && !signedAreaByEars(polygon, polygonArea)) return false;
  const double result = std::fabs(polygonArea + correction);
  if (!std::isfinite(result)) return false;
  area = result;
  return true;
}

double arcSectorArea(const XtGeCircArc2d& arc) {
  const double sweep = std::fabs(arc.endAng() - arc.startAng());
  return arc.radius() * (arc.radius() * sweep) * 0.5;
}

double arcSegmentArea(const XtGeCircArc2d& arc) {
  const double sweep = std::fabs(arc.endAng() - arc.startAng());
  const double triangle =
      0.5 * std::fabs((arc.startPoint() - arc.center()).crossProduct(arc.endPoint() - arc.center()));
  return sweep > XtGe::kPi ? arcSectorArea(arc) + triangle : arcSectorArea(arc) - triangle;
}

bool boundedCurveLength(const XtGeCurve2d& curve, double& length) {
  XtGeInterval iv(XtGe::kIntervalTol);
  curve.getInterval(iv);
  if (!iv.isBounded()) return false;
  length = curve.xtLength(iv.lowerBound(), iv.upperBound(), XtGeContext::gTol);
  return true;
}
