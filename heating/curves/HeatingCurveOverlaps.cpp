// The overlap tests of heating curves: the sampled collinear overlap that
// every kind but the line uses, the self-overlap of a polyline, and the tests
// built on them.
#include "heating/curves/HeatingCurveOverlaps.h"

#include "heating/curves/CFloorHeatingPolyLine.h"
#include "heating/curves/CyclicIndex.h"
#include "heating/curves/DrawingUnitFactor.h"
#include "heating/curves/HeatingCurveExplode.h"
#include "heating/curves/HeatingCurveIntersections.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeCompositeCurve2d.h"

#include <cmath>

namespace {

// How many samples the overlap test takes along a curve of this length: one
// every 0.0005 drawing unit factor, at least the two ends, at most
// kMaxOverlapSamples.
int overlapSampleCount(double length) {
  const double step = usableDrawingUnitFactor() * 0.0005;
  const double count = std::floor(length / step);
  if (!(count >= 2.0)) return 2;
  if (count >= CFloorHeatingCurve::kMaxOverlapSamples) return CFloorHeatingCurve::kMaxOverlapSamples;
  return static_cast<int>(count);
}

}  // namespace

bool CFloorHeatingCurve::collinearOverlaps(const CFloorHeatingCurve& other, PtrVector& pieces,
                                           const XtGeTol& tol) const {
  pieces.clear();
  const XtGeCurve2d& own = geCurve();
  const XtGeCurve2d& theirs = other.geCurve();
  XtGeInterval range;
  own.getInterval(range);
  if (!range.isBounded()) return false;
  const int n = overlapSampleCount(length());
  const double lower = range.lowerBound();
  const double step = (range.upperBound() - lower) / (n - 1);

  // Runs of consecutive samples on the other curve; a run of two or more
  // samples is a stretch.
  int run = 0;
  XtGePoint2d first;
  XtGePoint2d last;
  const auto closeRun = [&] {
    if (run > 1) {
      Ptr piece = extendedCopyAt(midPoint(), 0.0);
      piece->setEndPoints(first, last);
      pieces.push_back(std::move(piece));
    }
    run = 0;
  };
  for (int i = 0; i < n; ++i) {
    const XtGePoint2d p = own.evalPoint(i + 1 == n ? range.upperBound() : lower + step * i);
    if (theirs.isOn(p, tol)) {
      if (run == 0) first = p;
      last = p;
      ++run;
    } else {
      closeRun();
    }
  }
  closeRun();
  return !pieces.empty();
}

bool CFloorHeatingPolyLine::selfOverlaps(const XtGeTol& pointTol, const XtGeTol& testTol) const {
  const PtrVector pieces = explodeCurve(*this);
  const int n = static_cast<int>(pieces.size());
  PtrVector overlaps;
  XtGePoint2dArray points;
  for (int i = 0; i < n; ++i) {
    const CFloorHeatingCurve& a = *pieces[static_cast<std::size_t>(i)];
    for (int j = i + 1; j < n; ++j) {
      const CFloorHeatingCurve& b = *pieces[static_cast<std::size_t>(j)];
      // A stretch in common, unless it is a single one too short to count
      // (two pieces that merely meet at a point).
      if (a.collinearOverlaps(b, overlaps, testTol) &&
          !(overlaps.size() == 1 && overlaps.front()->length() <= pointTol.equalPoint()))
        return true;
      points.setLogicalLength(0);
      intersectCurvesToArray(a, b, points, testTol);
      switch (points.length()) {
        case 0: continue;
        case 1: {
          // Only neighbours may meet, and only at their joint.
          bool atJoint = false;
          if (isCyclicSuccessor(i, j, n))
            atJoint = points[0].isEqualTo(a.endPoint(), pointTol);
          else if (isCyclicSuccessor(j, i, n))
            atJoint = points[0].isEqualTo(b.endPoint(), pointTol);
          if (!atJoint) return true;
          continue;
        }
        case 2: {
          // Two pieces that close a loop meet at both their starts.
          const bool startsMeet =
              (a.startPoint().isEqualTo(points[0], pointTol) && b.startPoint().isEqualTo(points[1], pointTol)) ||
              (a.startPoint().isEqualTo(points[1], pointTol) && b.startPoint().isEqualTo(points[0], pointTol));
          if (n < 3 && startsMeet) continue;
          return true;
        }
        default: return true;
      }
    }
  }
  return false;
}

bool overlapsCollinear(const CFloorHeatingCurve& curve, const CFloorHeatingCurve& other, const XtGeTol& tol) {
  CFloorHeatingCurve::PtrVector pieces;
  return curve.collinearOverlaps(other, pieces, tol);
}

bool curveChainSelfOverlaps(const XtGeCurve2dPtrArray& curves) {
  const CFloorHeatingPolyLine chain(XtGeCompositeCurve2d(curves), 1);
  return chain.selfOverlaps(workTol, workTol);
}
