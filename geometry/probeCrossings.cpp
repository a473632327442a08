#include "geometry/probeCrossings.h"

#include "geometry/forEachSimplePiece.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <algorithm>
#include <cmath>

namespace {

int sideOf(double value) { return value < 0.0 ? -1 : 1; }

// Pieces of kinds without a closed form are followed through this many
// points; such pieces do not occur in the drawings the module reads.
constexpr int kSamplesOfOtherKinds = 64;

}  // namespace

probeCrossings::probeCrossings(const XtGePoint2d& origin, const XtGeVector2d& direction,
                               double skip)
    : m_origin(origin), m_dir(direction), m_skip(skip) {
  const double len = m_dir.length();
  if (len > 0.0 && std::isfinite(len)) m_dir /= len;
}

void probeCrossings::beginStretch(int side, const XtGePoint2d& at) {
  if (!m_started) {
    m_started = true;
    m_firstSide = side;
    m_firstPoint = at;
    m_lastSide = side;
    return;
  }
  if (side != m_lastSide && beyondOrigin(at)) ++m_changes;
  m_lastSide = side;
}

int probeCrossings::crossings() const {
  int n = m_changes;
  if (m_started && m_lastSide != m_firstSide && beyondOrigin(m_firstPoint)) ++n;
  return n;
}

void probeCrossings::addSegment(const XtGePoint2d& start, const XtGePoint2d& end) {
  const double vs = sideValue(start);
  const double ve = sideValue(end);
  if ((vs < 0.0 && ve > 0.0) || (vs > 0.0 && ve < 0.0)) {
    const double f = vs / (vs - ve);
    beginStretch(sideOf(vs), start);
    beginStretch(sideOf(ve), start + (end - start) * f);
  } else {
    // At most one end on the line: the other end tells the side; both on
    // the line: the segment lies along it and counts to the left.
    beginStretch(sideOf(vs + ve), start);
  }
}

void probeCrossings::addHarmonic(const XtGePoint2d& centre, const XtGeVector2d& a,
                                 const XtGeVector2d& b, double t0, double t1) {
  // Side value along the piece: v(t) = h + alpha cos t + beta sin t.
  const double h = sideValue(centre);
  const double alpha = m_dir.crossProduct(a);
  const double beta = m_dir.crossProduct(b);
  auto value = [&](double t) { return h + alpha * std::cos(t) + beta * std::sin(t); };
  auto pointAt = [&](double t) { return centre + a * std::cos(t) + b * std::sin(t); };

  double cuts[4];
  int numCuts = 0;
  cuts[numCuts++] = t0;
  const double amplitude = std::hypot(alpha, beta);
  if (amplitude > 0.0 && std::fabs(h) <= amplitude) {
    const double base = std::atan2(beta, alpha);
    const double delta = std::acos(std::clamp(-h / amplitude, -1.0, 1.0));
    double zeros[2] = {base - delta, base + delta};
    for (double& z : zeros) {
      // Into (t0, t0 + 2 pi]; a sweep never exceeds one turn, so each root
      // of the turn occurs at most once inside the piece.
      z = t0 + std::fmod(z - t0, XtGe::kTwoPi);
      if (z <= t0) z += XtGe::kTwoPi;
    }
    if (zeros[1] < zeros[0]) std::swap(zeros[0], zeros[1]);
    for (double z : zeros)
      if (z > t0 && z < t1) cuts[numCuts++] = z;
  }
  cuts[numCuts] = t1;
  for (int k = 0; k < numCuts; ++k) {
    const double mid = 0.5 * (cuts[k] + cuts[k + 1]);
    beginStretch(sideOf(value(mid)), pointAt(cuts[k]));
  }
}

void probeCrossings::addSampled(const XtGeCurve2d& curve) {
  XtGePoint2dArray points;
  curve.getSamplePoints(kSamplesOfOtherKinds, points);
  for (int i = 0; i + 1 < points.length(); ++i) addSegment(points[i], points[i + 1]);
}

void probeCrossings::addCurve(const XtGeCurve2d& curve) {
  forEachSimplePiece(curve, [this](const XtGeCurve2d& piece) {
    switch (piece.type()) {
      case XtGe::kLineSeg2d: {
        const auto& seg = static_cast<const XtGeLineSeg2d&>(piece);
        addSegment(seg.startPoint(), seg.endPoint());
        break;
      }
      case XtGe::kCircArc2d: {
        const auto& arc = static_cast<const XtGeCircArc2d&>(piece);
        const XtGeVector2d r = arc.refVec().normal(XtGeTol(0.0, 0.0)) * arc.radius();
        const XtGeVector2d n = arc.isClockWise() ? -r.perpVector() : r.perpVector();
        addHarmonic(arc.center(), r, n, arc.startAng(), arc.endAng());
        break;
      }
      case XtGe::kEllipArc2d: {
        const auto& ell = static_cast<const XtGeEllipArc2d&>(piece);
        addHarmonic(ell.center(), ell.majorAxis() * ell.majorRadius(),
                    ell.minorAxis() * ell.minorRadius(), ell.startAng(), ell.endAng());
        break;
      }
      default: {
        // Unbounded pieces (lines, rays) are left out.
        XtGeInterval iv;
        piece.getInterval(iv);
        if (iv.isBounded()) addSampled(piece);
        break;
      }
    }
    return true;
  });
}

void probeCrossings::addOpenCurve(const XtGeCurve2d& curve, double snap) {
  XtGePoint2d start;
  XtGePoint2d end;
  const bool ends = curve.hasStartPoint(start) && curve.hasEndPoint(end);
  auto endSide = [&](const XtGePoint2d& p) {
    const double v = sideValue(p);
    return std::fabs(v) <= snap ? 1 : sideOf(v);
  };
  if (ends) beginStretch(endSide(start), start);
  addCurve(curve);
  if (ends) beginStretch(endSide(end), end);
}
