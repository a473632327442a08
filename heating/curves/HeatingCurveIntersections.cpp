#include "heating/curves/HeatingCurveIntersections.h"

#include "heating/curves/CFHUnknownCurveKind.h"
#include "heating/curves/CFloorHeatingPolyLine.h"
#include "heating/curves/HeatingCurvePieces.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeCompositeCurve2d.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

using HitPoints = std::array<XtGePoint2d, 2>;

// The intersection points of two simple pieces: 0, 1 or 2 (2 only where an arc
// takes part), ordered as the geometry library orders them.
int pieceHitPoints(const XtGeCurve2d& a, const XtGeCurve2d& b, const XtGeTol& tol, HitPoints& hits) {
  const bool aArc = a.type() == XtGe::kCircArc2d;
  const bool bArc = b.type() == XtGe::kCircArc2d;
  if (!isSimpleHeatingPiece(a) || !isSimpleHeatingPiece(b)) return 0;
  if (!aArc && !bArc) {
    return static_cast<const XtGeLineSeg2d&>(a).intersectWith(static_cast<const XtGeLineSeg2d&>(b), hits[0], tol)
               ? 1
               : 0;
  }
  int n = 0;
  bool met = false;
  if (aArc && bArc) {
    met = static_cast<const XtGeCircArc2d&>(a).intersectWith(static_cast<const XtGeCircArc2d&>(b), n, hits[0],
                                                             hits[1], tol);
  } else {
    const auto& arc = static_cast<const XtGeCircArc2d&>(aArc ? a : b);
    const auto& seg = static_cast<const XtGeLineSeg2d&>(aArc ? b : a);
    met = arc.intersectWith(seg, n, hits[0], hits[1], tol);
  }
  return met ? std::min(n, 2) : 0;
}

enum class KindClass { line, arc, polyline };

KindClass kindClassOf(const CFloorHeatingCurve& curve) {
  switch (curve.kind()) {
    case CFloorHeatingCurve::kLine: return KindClass::line;
    case CFloorHeatingCurve::kPolyline: return KindClass::polyline;
    case CFloorHeatingCurve::kArc:
    case 4: return KindClass::arc;
    default: throw CFHUnknownCurveKind(curve.kind());
  }
}

// The curve as a polyline, or as a simple piece; a curve whose geometry does
// not fit its kind is as unknown as an unknown kind.
const CFloorHeatingPolyLine& asPolyline(const CFloorHeatingCurve& curve) {
  const auto* polyline = dynamic_cast<const CFloorHeatingPolyLine*>(&curve);
  if (polyline == nullptr) throw CFHUnknownCurveKind(curve.kind());
  return *polyline;
}

const XtGeCurve2d& asSimplePiece(const CFloorHeatingCurve& curve) {
  const XtGeCurve2d& piece = curve.geCurve();
  if (!isSimpleHeatingPiece(piece)) throw CFHUnknownCurveKind(curve.kind());
  return piece;
}

}  // namespace

bool addPointIfNew(XtGePoint2dArray& points, const XtGePoint2d& p, const XtGeTol& tol) {
  if (points.find(p, tol) >= 0) return false;
  points.append(p);
  return true;
}

bool firstPieceHit(const XtGeCurve2d& a, const XtGeCurve2d& b, XtGePoint2d& hit, const XtGeTol& tol) {
  HitPoints hits;
  if (pieceHitPoints(a, b, tol, hits) < 1) return false;
  hit = hits[0];
  return true;
}

int appendPieceHits(const XtGeCurve2d& a, const XtGeCurve2d& b, XtGePoint2dArray& points, const XtGeTol& tol) {
  HitPoints hits;
  const int n = pieceHitPoints(a, b, tol, hits);
  int added = 0;
  for (int i = 0; i < n; ++i) added += addPointIfNew(points, hits[static_cast<std::size_t>(i)], workTol) ? 1 : 0;
  return added;
}

int appendPieceCompositeHits(const XtGeCurve2d& piece, const XtGeCompositeCurve2d& composite,
                             XtGePoint2dArray& points, const XtGeTol& tol) {
  int added = 0;
  for (int i = 0; i < composite.numCurves(); ++i) added += appendPieceHits(piece, *composite.curveAt(i), points, tol);
  return added;
}

bool pieceCompositeHit(const XtGeCurve2d& piece, const XtGeCompositeCurve2d& composite, XtGePoint2d& hit,
                       const XtGeTol& tol) {
  if (piece.type() == XtGe::kLineSeg2d) {
    bool met = false;
    for (int i = 0; i < composite.numCurves(); ++i) met = firstPieceHit(piece, *composite.curveAt(i), hit, tol) || met;
    return met;
  }
  if (piece.type() != XtGe::kCircArc2d) return false;
  XtGeInterval range;
  piece.getInterval(range);
  const XtGePoint2d middle = piece.evalPoint((range.lowerBound() + range.upperBound()) * 0.5);
  double nearest = std::numeric_limits<double>::infinity();
  for (int i = 0; i < composite.numCurves(); ++i) {
    HitPoints hits;
    const int n = pieceHitPoints(piece, *composite.curveAt(i), tol, hits);
    for (int k = 0; k < n; ++k) {
      const XtGePoint2d& p = hits[static_cast<std::size_t>(k)];
      const double d = p.distanceTo(middle);
      if (d < nearest) {
        nearest = d;
        hit = p;
      }
    }
  }
  return nearest < std::numeric_limits<double>::infinity();
}

namespace {

// Where either curve is a polyline, onPolyline(other curve, polyline)
// answers; else onPieces(geometry of a, geometry of b).
template <typename OnPolyline, typename OnPieces>
bool byKindPair(const CFloorHeatingCurve& a, const CFloorHeatingCurve& b, OnPolyline onPolyline,
                OnPieces onPieces) {
  const KindClass ka = kindClassOf(a);
  const KindClass kb = kindClassOf(b);
  if (ka == KindClass::polyline) return onPolyline(b, asPolyline(a));
  if (kb == KindClass::polyline) return onPolyline(a, asPolyline(b));
  return onPieces(asSimplePiece(a), asSimplePiece(b));
}

}  // namespace

bool intersectCurves(const CFloorHeatingCurve& a, const CFloorHeatingCurve& b, XtGePoint2d& hit,
                     const XtGeTol& tol) {
  return byKindPair(
      a, b,
      [&](const CFloorHeatingCurve& curve, const CFloorHeatingPolyLine& polyline) {
        return curve.intersectWithPolylineAt(polyline, hit, tol);
      },
      [&](const XtGeCurve2d& pa, const XtGeCurve2d& pb) { return firstPieceHit(pa, pb, hit, tol); });
}

bool intersectCurvesToArray(const CFloorHeatingCurve& a, const CFloorHeatingCurve& b, XtGePoint2dArray& points,
                            const XtGeTol& tol) {
  return byKindPair(
      a, b,
      [&](const CFloorHeatingCurve& curve, const CFloorHeatingPolyLine& polyline) {
        return curve.intersectWithPolyline(polyline, points, tol);
      },
      [&](const XtGeCurve2d& pa, const XtGeCurve2d& pb) { return appendPieceHits(pa, pb, points, tol) > 0; });
}
