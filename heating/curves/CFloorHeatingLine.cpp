#include "heating/curves/CFloorHeatingLine.h"

#include "heating/curves/CFHEntityRecord.h"
#include "heating/curves/CFHUnknownCurveKind.h"
#include "heating/curves/CFloorHeatingPolyLine.h"
#include "heating/curves/HeatingCurveIntersections.h"
#include "heating/curves/HeatingCurvePieces.h"

#include "geometry/Tolerances.h"

#include <cmath>
#include <utility>

namespace {

const XtGeLineSeg2d& lineSegmentOf(const CFHEntityRecord& record) {
  const XtGeLineSeg2d* segment = record.lineSeg();
  if (segment == nullptr) throw CFHUnknownCurveKind(record.kind());
  return *segment;
}

}  // namespace

CFloorHeatingLine::CFloorHeatingLine(const XtGePoint2d& start, const XtGePoint2d& end,
                                     const CFloorHeatingCurve* source, std::uint32_t tag)
    : CFloorHeatingCurve(kLine, tag, source, source != nullptr ? source->entityRecord() : nullptr),
      segment_(start, end) {
  start_ = start;
  end_ = end;
}

CFloorHeatingLine::CFloorHeatingLine(const XtGeLineSeg2d& segment, std::uint32_t tag)
    : CFloorHeatingCurve(kLine, tag), segment_(segment) {
  start_ = segment_.startPoint();
  end_ = segment_.endPoint();
}

CFloorHeatingLine::CFloorHeatingLine(const CFHEntityRecord& record, std::uint32_t tag)
    : CFloorHeatingCurve(kLine, tag, nullptr, &record), segment_(lineSegmentOf(record)) {
  start_ = segment_.startPoint();
  end_ = segment_.endPoint();
}

CFloorHeatingLine::~CFloorHeatingLine() = default;

std::unique_ptr<CFloorHeatingLine> CFloorHeatingLine::CFloorHeatingLineFromSeg(const XtGeLineSeg2d& segment,
                                                                                std::uint32_t tag) {
  return std::make_unique<CFloorHeatingLine>(segment, tag);
}

void CFloorHeatingLine::resetSegment() { segment_.set(start_, end_); }

double CFloorHeatingLine::lengthBetween(const XtGePoint2d& from, const XtGePoint2d& to) const {
  return from.distanceTo(to);
}

XtGePoint2d CFloorHeatingLine::midPoint() const {
  return {(start_.x + end_.x) * 0.5, (start_.y + end_.y) * 0.5};
}

bool CFloorHeatingLine::intersectWithLine(const XtGeLine2d& line, XtGePoint2d& hit) const {
  return pieceHitsLine(segment_, line, hit);
}

bool CFloorHeatingLine::intersectWithRay(const XtGeRay2d& ray, XtGePoint2d& hit, const XtGeTol& tol) const {
  return pieceHitsRay(segment_, ray, hit, tol);
}

XtGeLine2d CFloorHeatingLine::perpLineAtMid() const { return XtGeLine2d(midPoint(), direction().perpVector()); }

CFloorHeatingCurve::Ptr CFloorHeatingLine::extendedCopyAt(const XtGePoint2d& p, double extension) const {
  const XtGeVector2d shift = p - midPoint();
  XtGePoint2d s = start_ + shift;
  XtGePoint2d e = end_ + shift;
  const double len = start_.distanceTo(end_);
  if (extension != 0.0 && len > 0.0 && std::isfinite(len)) {
    const XtGeLineSeg2d moved(s, e);
    s = moved.evalPoint(-extension / len);
    e = moved.evalPoint((len + extension) / len);
  }
  auto copy = std::make_unique<CFloorHeatingLine>(s, e, nullptr, tag());
  passOriginTo(*copy);
  return copy;
}

CFloorHeatingCurve::Ptr CFloorHeatingLine::offsetCopy(double distance) const {
  const XtGeVector2d unit = direction();
  if (unit.isZeroLength(XtGeTol(0.0, 0.0)) || !std::isfinite(distance)) return nullptr;
  const XtGeVector2d shift = unit.perpVector() * distance;
  auto copy = std::make_unique<CFloorHeatingLine>(start_ + shift, end_ + shift, nullptr, tag());
  passOriginTo(*copy);
  return copy;
}

XtGeVector2d CFloorHeatingLine::direction() const { return unitSegmentDirection(start_, end_); }

XtGePoint2d CFloorHeatingLine::pointAtLength(double length) const {
  const double len = start_.distanceTo(end_);
  if (!(len > 0.0) || !std::isfinite(len)) return start_;
  return segment_.evalPoint(length / len);
}

bool CFloorHeatingLine::isOn(const XtGePoint2d& p) const { return pieceIsOn(segment_, p); }

XtGePoint2d CFloorHeatingLine::closestPointTo(const XtGePoint2d& p) const {
  return segment_.closestPointTo(p, workTolFine);
}

void CFloorHeatingLine::setEndPoints(const XtGePoint2d& newStart, const XtGePoint2d& newEnd) {
  start_ = newStart;
  end_ = newEnd;
  resetSegment();
}

void CFloorHeatingLine::setEndRaw(const XtGePoint2d& p) {
  end_ = p;
  resetSegment();
}

void CFloorHeatingLine::setStartRaw(const XtGePoint2d& p) {
  start_ = p;
  resetSegment();
}

bool CFloorHeatingLine::moveEndOnCurve(XtGePoint2d& movedEnd, const XtGePoint2d& p, bool& degenerate,
                                       const XtGeTol& tol) {
  if (!segment_.isOn(p, tol)) return false;
  movedEnd = p;
  resetSegment();
  degenerate = start_.isEqualTo(end_, tol);
  return true;
}

bool CFloorHeatingLine::setStartOnCurve(const XtGePoint2d& p, bool& degenerate, const XtGeTol& tol) {
  return moveEndOnCurve(start_, p, degenerate, tol);
}

bool CFloorHeatingLine::setEndOnCurve(const XtGePoint2d& p, bool& degenerate, const XtGeTol& tol) {
  return moveEndOnCurve(end_, p, degenerate, tol);
}

bool CFloorHeatingLine::intersectWithPolyline(const CFloorHeatingPolyLine& polyline, XtGePoint2dArray& hits,
                                              const XtGeTol& tol) const {
  return appendPieceCompositeHits(segment_, polyline.composite(), hits, tol) > 0;
}

bool CFloorHeatingLine::intersectWithPolylineAt(const CFloorHeatingPolyLine& polyline, XtGePoint2d& hit,
                                                const XtGeTol& tol) const {
  return pieceCompositeHit(segment_, polyline.composite(), hit, tol);
}

XtGeLine2d CFloorHeatingLine::startLine() const { return XtGeLine2d(start_, end_); }

XtGeLine2d CFloorHeatingLine::endLine() const { return XtGeLine2d(start_, end_); }

bool CFloorHeatingLine::normalRay(XtGeRay2d& ray, const XtGePoint2d& p, int side) const {
  return pieceNormalRay(segment_, p, side, ray);
}

void CFloorHeatingLine::reverse() {
  std::swap(start_, end_);
  resetSegment();
}

bool CFloorHeatingLine::sideTest(const XtGePoint2d& p, const XtGePoint2dArray*, bool* decidedByEndRay) const {
  if (decidedByEndRay != nullptr) *decidedByEndRay = false;
  return (end_ - start_).crossProduct(p - start_) >= 0.0;
}

void CFloorHeatingLine::translateBy(const XtGeVector2d& v) {
  start_ += v;
  end_ += v;
  resetSegment();
}

bool CFloorHeatingLine::collinearOverlaps(const CFloorHeatingCurve& other, PtrVector& pieces,
                                          const XtGeTol& tol) const {
  if (other.kind() == kArc || other.kind() == 5) {
    pieces.clear();
    return false;
  }
  if (other.kind() != kLine) return CFloorHeatingCurve::collinearOverlaps(other, pieces, workTolFine);
  pieces.clear();
  const XtGeLine2d own = chordLine();
  if (!own.isColinearTo(other.chordLine(), tol)) return false;
  double a = own.paramOf(other.startPoint());
  double b = own.paramOf(other.endPoint());
  if (a > b) std::swap(a, b);
  const XtGeInterval mine(own.paramOf(start_), own.paramOf(end_), XtGe::kIntervalTol);
  XtGeInterval common;
  if (!mine.intersectWith(XtGeInterval(a, b, XtGe::kIntervalTol), common)) return false;
  const XtGePoint2d from = own.evalPoint(common.lowerBound());
  const XtGePoint2d to = own.evalPoint(common.upperBound());
  if (from.distanceTo(to) < tol.equalPoint()) return false;
  pieces.push_back(std::make_unique<CFloorHeatingLine>(from, to, nullptr, tag()));
  return true;
}
