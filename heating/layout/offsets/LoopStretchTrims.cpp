// The trims of a loop stretch: both ends pulled back, the start pulled on
// along a direction, and the corners cut against a curve.
#include "heating/layout/offsets/LoopStretch.h"

#include "heating/curves/HeatingCurveIntersections.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeContext.h"
#include "platform/ge/XtGeLine2d.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

const XtGeCurve2d& curveOf(const CFHLoopStretch& stretch, int i) { return stretch.sections[i]->curve->geCurve(); }

// Moves the piece's start bound (atStart) or end bound `length` along the
// curve into the piece.
void moveBoundInward(CFHLoopStretch& stretch, int i, bool atStart, double length) {
  XtGeInterval& range = stretch.intervals[i];
  const XtGeCurve2d& curve = curveOf(stretch, i);
  // Forward the start bound is the lower one; backward the upper one.
  const bool lower = atStart == stretch.forward;
  if (lower)
    range.set(curve.paramAtLength(range.lowerBound(), length, true, XtGeContext::gTol), range.upperBound());
  else
    range.set(range.lowerBound(), curve.paramAtLength(range.upperBound(), length, false, XtGeContext::gTol));
}

void setStart(CFHLoopStretch& stretch, int i, const XtGePoint2d& p) {
  stretch.start.clearLinks();
  stretch.start.point = p;
  stretch.start.addLink(stretch.sections[i]);
}

// The piece's bound on one side set to the parameter of the point.
void setBoundAt(CFHLoopStretch& stretch, int i, bool atStart, const XtGePoint2d& p) {
  XtGeInterval& range = stretch.intervals[i];
  const double t = curveOf(stretch, i).paramOf(p, workTolFine);
  if (atStart == stretch.forward)
    range.set(t, range.upperBound());
  else
    range.set(range.lowerBound(), t);
}

// Whether the neighbour of the middle turns away on the side of the
// stretch's end point `endPoint`: its chord is not colinear with the line
// through the end point along `along`, and `joint` (its end at the middle)
// lies across that line from `cutting` (a point of the cutting curve).
bool sideTurns(const CFloorHeatingCurve& neighbour, const XtGePoint2d& endPoint, const XtGeVector2d& along,
               const XtGePoint2d& joint, const XtGePoint2d& cutting) {
  const XtGeLine2d line(endPoint, along);
  if (neighbour.chordLine().isColinearTo(line, workTol)) return false;
  const double jointSide = along.crossProduct(joint - endPoint);
  const double cuttingSide = along.crossProduct(cutting - endPoint);
  return jointSide * cuttingSide < 0.0;
}

}  // namespace

bool trimPolylineEnds(CFHLoopStretch& stretch, double distance, const XtGeTol& tol) {
  if (!std::isfinite(distance)) return false;
  const double e = distance - tol.equalPoint();
  const int n = stretch.pieceCount();
  if (n == 0 || !(e > 0.0)) return true;
  moveBoundInward(stretch, 0, true, e);
  moveBoundInward(stretch, n - 1, false, e);
  return true;
}

bool trimPolylineStartAlong(CFHLoopStretch& stretch, const XtGeVector2d& direction, double distance,
                            const XtGeTol& tol) {
  const double directionLength = direction.length();
  if (!(distance > 0.0) || !std::isfinite(distance) || !(directionLength > 0.0) || !std::isfinite(directionLength))
    return false;
  if (stretch.owner == nullptr) return false;
  const XtGeVector2d unit = direction / directionLength;
  const int n = stretch.pieceCount();
  int i = 0;
  for (CLoopPoint projected; i < n; ++i)
    if (!stretch.isEmptyPiece(i) && stretch.owner->closestPoint(stretch.pieceStartPoint(i), projected, workTol))
      break;
  double remaining = distance;
  for (; i < n; ++i) {
    if (stretch.isEmptyPiece(i)) continue;
    const XtGePoint2d from = stretch.pieceStartPoint(i);
    const XtGePoint2d to = stretch.pieceEndPoint(i);
    const XtGeVector2d chord = to - from;
    const double chordLength = chord.length();
    const double length = stretch.pieceLength(i);
    double cut = remaining;
    double gain = length;
    const double theta =
        chordLength > 0.0 ? std::acos(std::clamp(unit.dotProduct(chord / chordLength), -1.0, 1.0)) : std::numeric_limits<double>::quiet_NaN();
    if (std::isfinite(theta)) {
      const double c = std::fabs(std::cos(theta));
      if (c < 1e-12) {
        stretch.emptyPiece(i);
        setStart(stretch, i, to);
        continue;
      }
      if (theta >= std::numbers::pi / 32 && theta <= 31 * std::numbers::pi / 32) {
        cut = remaining / c;
        gain = length * c;
      }
    }
    if (cut < length - tol.equalPoint()) {
      moveBoundInward(stretch, i, true, cut);
      setStart(stretch, i, stretch.pieceStartPoint(i));
      return true;
    }
    stretch.emptyPiece(i);
    setStart(stretch, i, to);
    if (cut <= length + tol.equalPoint()) return true;
    remaining -= gain;
  }
  return false;
}

bool trimPolylineCorner(CFHLoopStretch& stretch, const CFloorHeatingCurve& cuttingCurve, double limit,
                        const XtGeTol& tol) {
  const int n = stretch.pieceCount();
  if (n != 3 && n != 4) return false;
  constexpr double kShortInterval = 0.01;
  auto collapse = [&](int i) {
    XtGeInterval& range = stretch.intervals[i];
    if (range.length() < kShortInterval) range.set(range.upperBound(), range.upperBound());
  };
  collapse(0);
  if (n == 4) collapse(3);
  const int middle = n == 4 && stretch.pieceLength(2) > stretch.pieceLength(1) ? 2 : 1;
  const XtGeVector2d along = cuttingCurve.endPoint() - cuttingCurve.startPoint();
  const XtGePoint2d cutting = cuttingCurve.midPoint();
  const CFloorHeatingCurve& middleCurve = *stretch.sections[middle]->curve;
  XtGePoint2d meeting;
  const bool meets = intersectCurves(middleCurve, cuttingCurve, meeting, workTol);

  // The joints of the middle with its neighbours, which the walk passed.
  const CFloorHeatingCurve& before = *stretch.sections[middle - 1]->curve;
  const CFloorHeatingCurve& after = *stretch.sections[middle + 1]->curve;
  const XtGePoint2d& jointBefore = stretch.forward ? before.endPoint() : before.startPoint();
  const XtGePoint2d& jointAfter = stretch.forward ? after.startPoint() : after.endPoint();
  if (sideTurns(before, stretch.start.point, along, jointBefore, cutting)) {
    for (int i = 0; i < middle; ++i) stretch.emptyPiece(i);
    if (meets) setBoundAt(stretch, middle, true, meeting);
  }
  if (sideTurns(after, stretch.end.point, along, jointAfter, cutting)) {
    for (int i = middle + 1; i < n; ++i) stretch.emptyPiece(i);
    if (meets) setBoundAt(stretch, middle, false, meeting);
  }
  return stretch.pieceLength(middle) > limit - 2.0 * tol.equalPoint();
}
