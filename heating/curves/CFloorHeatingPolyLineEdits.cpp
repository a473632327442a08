// Edits of heating polylines that the design model makes on pipe paths:
// joining a curve on, removing a doubled-back stretch, thinning segment runs
// and setting the polyline from a list of curves.
#include "heating/curves/CFloorHeatingPolyLine.h"

#include "heating/curves/CurveChains.h"
#include "heating/curves/HeatingCurveEnds.h"
#include "heating/curves/HeatingCurveOverlaps.h"

#include "geometry/Tolerances.h"
#include "geometry/segmentRuns.h"

namespace {

// Owned copies of the curve's pieces.
CurveChain pieceCopies(const CFloorHeatingCurve& curve) {
  CurveChain copies;
  curve.appendGeCurveCopies(copies.curves);
  return copies;
}

}  // namespace

bool CFloorHeatingPolyLine::joinCurve(const CFloorHeatingCurve& other) {
  const int kind = other.kind();
  if (kind != kLine && kind != kArc && kind != kPolyline) return false;
  bool reverseThis = false;
  bool reverseOther = false;
  if (end_.isEqualTo(other.endPoint(), workTol)) {
    reverseOther = true;
  } else if (start_.isEqualTo(other.startPoint(), workTol)) {
    reverseThis = true;
  } else if (start_.isEqualTo(other.endPoint(), workTol)) {
    reverseThis = true;
    reverseOther = true;
  } else if (!end_.isEqualTo(other.startPoint(), workTol)) {
    return false;
  }
  CurveChain joined = pieceCopies(*this);
  CurveChain added = pieceCopies(other);
  if (reverseThis) reverseGeCurveChain(joined.curves);
  if (reverseOther) reverseGeCurveChain(added.curves);
  joined.curves.append(added.curves);
  added.curves.removeAll();  // joined owns them now
  composite_.setCurveList(joined.release());
  readComposite();
  return true;
}

int CFloorHeatingPolyLine::trimSelfOverlap(const XtGeTol& tol) {
  // The vertex list holds the start of every piece, then the end.
  const int n = composite_.numCurves();
  int first = -1;
  for (int i = 0; i < n && first < 0; ++i)
    for (int j = i + 1; j < n; ++j)
      if (vertices_[i].isEqualTo(vertices_[j], tol)) {
        first = i;
        break;
      }
  if (first < 0) return 0;
  CurveChain pieces = pieceCopies(*this);
  XtGeCurve2dPtrArray& list = pieces.curves;
  // Each turn removes a piece, so the loop ends; piece `first` must exist
  // and one piece always stays.
  while (first < list.length() && list.length() > 1) {
    delete list[first];
    list.removeAt(first);
    if (first >= list.length() || !curveChainSelfOverlaps(list)) break;
  }
  composite_.setCurveList(pieces.release());
  readComposite();
  return 1;
}

void CFloorHeatingPolyLine::rebuildFromParts() {
  ownedCurveList parts;
  for (int i = 0; i < composite_.numCurves(); ++i)
    appendOwnedCurve(parts.list, std::unique_ptr<XtGeCurve2d>(composite_.curveAt(i)->copy()));
  simplifySegmentRuns(parts.list, XtGeContext::gTol);
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  pieces.reserve(static_cast<std::size_t>(parts.list.length()));
  for (XtGeCurve2d*& part : parts.list) pieces.emplace_back(std::exchange(part, nullptr));
  parts.list.removeAll();
  composite_.setCurveList(std::move(pieces));
  readComposite();
}

void CFloorHeatingPolyLine::setFromCurves(const std::vector<CFloorHeatingCurve*>& curves) {
  CurveChain pieces;
  for (const CFloorHeatingCurve* curve : curves)
    if (curve != nullptr) curve->appendGeCurveCopies(pieces.curves);
  start_ = XtGePoint2d();
  end_ = XtGePoint2d();
  composite_.setCurveList(pieces.release());
  readComposite();
}
