#include "heating/curves/HeatingCurvePieces.h"

#include "heating/curves/ArcRules.h"

#include "geometry/Tolerances.h"

#include <cmath>

namespace {

const XtGeLineSeg2d& asSegment(const XtGeCurve2d& piece) { return static_cast<const XtGeLineSeg2d&>(piece); }
const XtGeCircArc2d& asArc(const XtGeCurve2d& piece) { return static_cast<const XtGeCircArc2d&>(piece); }

// The arc's crossings with a linear entity, in their order along it: 0, 1 or 2.
int arcHits(const XtGeCurve2d& arc, const XtGeLinearEnt2d& linear, const XtGeTol& tol, XtGePoint2d& first,
            XtGePoint2d& second) {
  int n = 0;
  return asArc(arc).intersectWith(linear, n, first, second, tol) ? n : 0;
}

}  // namespace

bool pieceIsOn(const XtGeCurve2d& piece, const XtGePoint2d& p) {
  switch (piece.type()) {
    case XtGe::kLineSeg2d: return asSegment(piece).isOn(p, workTolFine);
    case XtGe::kCircArc2d: return asArc(piece).isOn(p, workTol);
    default: return false;
  }
}

bool pieceHitsLine(const XtGeCurve2d& piece, const XtGeLine2d& line, XtGePoint2d& hit) {
  switch (piece.type()) {
    case XtGe::kLineSeg2d: return asSegment(piece).intersectWith(line, hit, workTolFine);
    case XtGe::kCircArc2d: {
      XtGePoint2d first;
      XtGePoint2d second;
      if (arcHits(piece, line, workTol, first, second) < 1) return false;
      hit = first;
      return true;
    }
    default: return false;
  }
}

bool pieceHitsRay(const XtGeCurve2d& piece, const XtGeRay2d& ray, XtGePoint2d& hit, const XtGeTol& tol) {
  switch (piece.type()) {
    case XtGe::kLineSeg2d: return asSegment(piece).intersectWith(ray, hit, tol);
    case XtGe::kCircArc2d: {
      XtGePoint2d first;
      XtGePoint2d second;
      const int n = arcHits(piece, ray, tol, first, second);
      if (n < 1) return false;
      XtGePoint2d rayStart;
      const bool secondNearer =
          n > 1 && ray.hasStartPoint(rayStart) && rayStart.distanceTo(second) < rayStart.distanceTo(first);
      hit = secondNearer ? second : first;
      return true;
    }
    default: return false;
  }
}

bool pieceNormalRay(const XtGeCurve2d& piece, const XtGePoint2d& p, int side, XtGeRay2d& ray) {
  const bool left = side > 0;
  switch (piece.type()) {
    case XtGe::kLineSeg2d: {
      const XtGeLineSeg2d& seg = asSegment(piece);
      const XtGeVector2d unit = unitSegmentDirection(seg.startPoint(), seg.endPoint());
      if (unit.isZeroLength(XtGeTol(0.0, 0.0))) return false;
      ray.set(p, left ? unit.perpVector() : -unit.perpVector());
      return true;
    }
    case XtGe::kCircArc2d: {
      const XtGeCircArc2d& arc = asArc(piece);
      const XtGeVector2d outward = p - arc.center();
      if (outward.isZeroLength(XtGeTol(0.0, 0.0)) || !outward.isFinite()) return false;
      const bool towardsCentre = arc.isClockWise() ? !left : left;
      ray.set(p, towardsCentre ? -outward : outward);
      return true;
    }
    default: return false;
  }
}

void setPieceEndPoints(XtGeCurve2d& piece, const XtGePoint2d& s, const XtGePoint2d& e) {
  switch (piece.type()) {
    case XtGe::kLineSeg2d: static_cast<XtGeLineSeg2d&>(piece).set(s, e); break;
    case XtGe::kCircArc2d: setArcEndPoints(static_cast<XtGeCircArc2d&>(piece), s, e); break;
    default: break;
  }
}

XtGeVector2d unitSegmentDirection(const XtGePoint2d& start, const XtGePoint2d& end) {
  const XtGeVector2d v = end - start;
  const double len = v.length();
  if (!std::isfinite(len) || len <= workTolFine.equalPoint() || len == 0.0) return XtGeVector2d::kIdentity;
  return v / len;
}
