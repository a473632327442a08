#include "heating/curves/CFloorHeatingArc.h"

#include "heating/curves/ArcRules.h"
#include "heating/curves/CFHEntityRecord.h"
#include "heating/curves/CFHUnknownCurveKind.h"
#include "heating/curves/CFloorHeatingPolyLine.h"
#include "heating/curves/HeatingCurveIntersections.h"
#include "heating/curves/HeatingCurvePieces.h"

#include "geometry/Tolerances.h"

#include <cmath>

namespace {

const XtGeCircArc2d& circularArcOf(const CFHEntityRecord& record) {
  const XtGeCircArc2d* arc = record.arc();
  if (arc == nullptr) throw CFHUnknownCurveKind(record.kind());
  return *arc;
}

}  // namespace

CFloorHeatingArc::CFloorHeatingArc(std::uint32_t tag) : CFloorHeatingCurve(kArc, tag) { readEnds(); }

CFloorHeatingArc::CFloorHeatingArc(const XtGeCircArc2d& arc, const CFloorHeatingCurve* source, std::uint32_t tag)
    : CFloorHeatingCurve(kArc, tag, source), arc_(arc) {
  readEnds();
}

CFloorHeatingArc::CFloorHeatingArc(const CFHEntityRecord& record, std::uint32_t tag)
    : CFloorHeatingCurve(kArc, tag, nullptr, &record), arc_(circularArcOf(record)) {
  readEnds();
}

CFloorHeatingArc::~CFloorHeatingArc() = default;

void CFloorHeatingArc::readEnds() {
  start_ = arc_.startPoint();
  end_ = arc_.endPoint();
}

void CFloorHeatingArc::setArc(const XtGeCircArc2d& arc) {
  arc_ = arc;
  readEnds();
}

double CFloorHeatingArc::lengthBetween(const XtGePoint2d& from, const XtGePoint2d& to) const {
  return arc_.length(arc_.paramOf(from), arc_.paramOf(to));
}

XtGePoint2d CFloorHeatingArc::midPoint() const { return arc_.evalPoint((arc_.startAng() + arc_.endAng()) * 0.5); }

bool CFloorHeatingArc::intersectWithLine(const XtGeLine2d& line, XtGePoint2d& hit) const {
  return pieceHitsLine(arc_, line, hit);
}

bool CFloorHeatingArc::intersectWithRay(const XtGeRay2d& ray, XtGePoint2d& hit, const XtGeTol& tol) const {
  return pieceHitsRay(arc_, ray, hit, tol);
}

XtGeLine2d CFloorHeatingArc::perpLineAtMid() const {
  const XtGeVector2d chord = end_ - start_;
  if (chord.isZeroLength(workTolFine)) {
    // A closed arc has no chord; its chord's bisector would run through the
    // centre and the arc's middle.
    return XtGeLine2d(arc_.center(), midPoint() - arc_.center());
  }
  const XtGePoint2d chordMiddle((start_.x + end_.x) * 0.5, (start_.y + end_.y) * 0.5);
  return XtGeLine2d(chordMiddle, chord.perpVector());
}

CFloorHeatingCurve::Ptr CFloorHeatingArc::extendedCopyAt(const XtGePoint2d& p, double) const {
  XtGeCircArc2d moved = arc_;
  moved.translateBy(p - midPoint());
  auto copy = std::make_unique<CFloorHeatingArc>(moved, nullptr, tag());
  passOriginTo(*copy);
  return copy;
}

CFloorHeatingCurve::Ptr CFloorHeatingArc::offsetCopy(double distance) const {
  const double radius = arc_.isClockWise() ? arc_.radius() + distance : arc_.radius() - distance;
  if (!(radius > 0.0) || !std::isfinite(radius)) return nullptr;
  const XtGeCircArc2d offset(arc_.center(), radius, arc_.startAng(), arc_.endAng(), arc_.refVec(),
                             arc_.isClockWise());
  auto copy = std::make_unique<CFloorHeatingArc>(offset, nullptr, tag());
  passOriginTo(*copy);
  return copy;
}

XtGeVector2d CFloorHeatingArc::direction() const { return end_ - start_; }

XtGePoint2d CFloorHeatingArc::pointAtLength(double length) const {
  return arc_.evalPoint(arc_.paramAtLength(arc_.startAng(), length, true, XtGeContext::gTol));
}

bool CFloorHeatingArc::isOn(const XtGePoint2d& p) const { return pieceIsOn(arc_, p); }

XtGePoint2d CFloorHeatingArc::closestPointTo(const XtGePoint2d& p) const { return arc_.closestPointTo(p, workTol); }

void CFloorHeatingArc::setEndPoints(const XtGePoint2d& newStart, const XtGePoint2d& newEnd) {
  setArcEndPoints(arc_, newStart, newEnd);
  readEnds();
}

bool CFloorHeatingArc::intersectWithPolyline(const CFloorHeatingPolyLine& polyline, XtGePoint2dArray& hits,
                                             const XtGeTol& tol) const {
  return appendPieceCompositeHits(arc_, polyline.composite(), hits, tol) > 0;
}

bool CFloorHeatingArc::intersectWithPolylineAt(const CFloorHeatingPolyLine& polyline, XtGePoint2d& hit,
                                               const XtGeTol& tol) const {
  return pieceCompositeHit(arc_, polyline.composite(), hit, tol);
}

XtGeLine2d CFloorHeatingArc::tangentLineAt(double t) const {
  XtGePoint2d p;
  XtGeVector2d d1;
  XtGeVector2d d2;
  if (!arc_.xtEvalDerivs(t, p, d1, d2) || d1.isZeroLength(XtGeTol(0.0, 0.0))) return chordLine();
  return XtGeLine2d(p, d1);
}

XtGeLine2d CFloorHeatingArc::startLine() const { return tangentLineAt(arc_.startAng()); }

XtGeLine2d CFloorHeatingArc::endLine() const { return tangentLineAt(arc_.endAng()); }

bool CFloorHeatingArc::normalRay(XtGeRay2d& ray, const XtGePoint2d& p, int side) const {
  return pieceNormalRay(arc_, p, side, ray);
}

void CFloorHeatingArc::reverse() {
  reverseGeCurve(arc_);
  readEnds();
}

bool CFloorHeatingArc::sideTest(const XtGePoint2d& p, const XtGePoint2dArray*, bool* decidedByEndRay) const {
  if (decidedByEndRay != nullptr) *decidedByEndRay = false;
  const double t = arc_.paramOf(p, XtGeContext::gTol);
  XtGePoint2d nearest;
  XtGeVector2d tangent;
  XtGeVector2d second;
  if (!arc_.xtEvalDerivs(t, nearest, tangent, second)) return false;
  const XtGeVector2d toCurve = nearest - p;
  if (toCurve.length() <= workTol.equalPoint()) return true;
  return toCurve.normal(XtGeTol(0.0, 0.0)).crossProduct(tangent.normal(XtGeTol(0.0, 0.0))) >= 0.0;
}

void CFloorHeatingArc::translateBy(const XtGeVector2d& v) {
  arc_.translateBy(v);
  readEnds();
}

void CFloorHeatingArc::reverseParam() {
  arc_.reverseParam();
  readEnds();
}
