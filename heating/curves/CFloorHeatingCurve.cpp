#include "heating/curves/CFloorHeatingCurve.h"

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/HeatingCurveObserver.h"

#include <limits>

CFloorHeatingCurve::CFloorHeatingCurve(int kind, std::uint32_t tag, const CFloorHeatingCurve* source,
                                       const CFHEntityRecord* record)
    : kind_(kind), source_(source), entityRecord_(record), tag_(tag) {
  copyCurvePiecesLocked(this, tag_);
}

CFloorHeatingCurve::~CFloorHeatingCurve() { copyCurvePiecesLockedFlag(this, tag_); }

void CFloorHeatingCurve::passOriginTo(CFloorHeatingCurve& copy) const {
  copy.source_ = rootSource();
  copy.entityRecord_ = entityRecord_;
}

CFloorHeatingCurve::Ptr CFloorHeatingCurve::movedCopy(int side, double distance, double extension) const {
  const XtGePoint2d m = midPoint();
  XtGeRay2d ray;
  if (!normalRay(ray, m, side)) return nullptr;
  const XtGeVector2d u = (ray.evalPoint(1.0) - m).normal(XtGeContext::gTol);
  return extendedCopyAt(m + u * distance, extension);
}

bool CFloorHeatingCurve::offsetCopies(double distance, PtrVector& copies) const {
  Ptr copy = offsetCopy(distance);
  if (!copy) return false;
  copies.push_back(std::move(copy));
  return true;
}

void CFloorHeatingCurve::moveEnd(const XtGeVector2d& a, const XtGeVector2d&, bool atStart) {
  if (atStart)
    setEndPoints(start_ + a, end_);
  else
    setEndPoints(start_, end_ + a);
}

bool CFloorHeatingCurve::setStartOnCurve(const XtGePoint2d&, bool&, const XtGeTol&) { return false; }

bool CFloorHeatingCurve::setEndOnCurve(const XtGePoint2d&, bool&, const XtGeTol&) { return false; }

XtGeLine2d CFloorHeatingCurve::chordLine() const { return XtGeLine2d(start_, end_); }

double CFloorHeatingCurve::distanceToCurve(const CFloorHeatingCurve& other) const {
  return geCurve().distanceTo(other.geCurve(), XtGeContext::gTol);
}

double CFloorHeatingCurve::distanceAlongMidNormal(const CFloorHeatingCurve& other) const {
  const XtGeLine2d normal = perpLineAtMid();
  XtGePoint2d own;
  XtGePoint2d theirs;
  if (!intersectWithLine(normal, own) || !other.intersectWithLine(normal, theirs))
    return std::numeric_limits<double>::infinity();
  return own.distanceTo(theirs);
}

double CFloorHeatingCurve::connectorAlongMidNormal(const CFloorHeatingCurve& other, Ptr& connector,
                                                   bool& leftSide, XtGePoint2d& otherHit, bool& ok) const {
  const XtGeLine2d normal = perpLineAtMid();
  XtGePoint2d own;
  XtGePoint2d theirs;
  ok = intersectWithLine(normal, own) && normal.intersectWith(other.chordLine(), theirs, XtGeContext::gTol);
  if (!ok) return std::numeric_limits<double>::infinity();
  otherHit = theirs;
  leftSide = (end_ - start_).crossProduct(theirs - start_) >= 0.0;
  connector = std::make_unique<CFloorHeatingLine>(own, theirs, nullptr, tag_);
  return own.distanceTo(theirs);
}

double CFloorHeatingCurve::distanceTo(const XtGePoint2d& p) const { return geCurve().distanceTo(p, XtGeContext::gTol); }

double CFloorHeatingCurve::length() const { return geCurve().length(XtGeContext::gTol); }

void CFloorHeatingCurve::reverseParam() { reverse(); }

bool CFloorHeatingCurve::selfOverlaps(const XtGeTol&, const XtGeTol&) const { return false; }

void CFloorHeatingCurve::appendGeCurveCopies(XtGeCurve2dPtrArray& copies) const {
  std::unique_ptr<XtGeCurve2d> copy(geCurve().copy());
  copies.append(copy.get());
  copy.release();  // the array's owner has it now
}
