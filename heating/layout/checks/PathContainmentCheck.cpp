#include "heating/layout/checks/PathContainmentCheck.h"

#include "heating/curves/CFloorHeatingCurve.h"
#include "heating/curves/CLoopElement.h"

#include "geometry/forEachSimplePiece.h"

#include "platform/ge/XtGeInterval.h"

#include <algorithm>

namespace {

bool boxesOverlap(const double (&a)[4], const double (&b)[4]) {
  return a[0] <= b[2] && b[0] <= a[2] && a[1] <= b[3] && b[1] <= a[3];
}

}  // namespace

bool PathContainmentCheck::setLoop(const CLoop& loop, const XtGeTol& tol) {
  loop_ = &loop;
  tol_ = tol;
  pieces_.clear();
  usable_ = true;
  for (int i = 0; i < loop.elementCount() && usable_; ++i) {
    const CLoopElement* element = loop.elementWithCurve(i);
    if (element == nullptr) continue;
    forEachSimplePiece(element->curve->geCurve(), [&](const XtGeCurve2d& curve) {
      if (pieces_.size() >= kMaxLoopPieces) return usable_ = false;
      LoopPiece piece;
      if (!PathPiece::fromCurve(curve, piece.geometry)) {
        XtGeInterval interval;
        curve.getInterval(interval);
        piece.geometry =
            PathPiece::line(curve.xtEvalPoint(interval.lowerBound()), curve.xtEvalPoint(interval.upperBound()));
      }
      piece.geometry.box(tol.equalPoint(), piece.box);
      pieces_.push_back(piece);
      return true;
    });
  }
  usable_ = usable_ && !pieces_.empty();
  return usable_;
}

int PathContainmentCheck::positionOf(const XtGePoint2d& p) const { return loop_->classifyPoint(p, tol_); }

bool PathContainmentCheck::leaves(const std::vector<LaidPathPiece>& pieces, std::uint32_t zone) const {
  const double tol = tol_.equalPoint();
  // The side the last piece ended on (kOnLoop: not known), and where.
  int side = CLoop::kOnLoop;
  XtGePoint2d sideAt;
  for (const LaidPathPiece& laid : pieces) {
    if (laid.zone != zone || laid.part != CFHCircuitSegment::Part::kRun) {
      side = CLoop::kOnLoop;
      continue;
    }
    const PathPiece& piece = laid.geometry;
    if (!usable_ || !piece.isFinite()) return true;
    const double length = piece.length();
    double box[4];
    piece.box(tol, box);
    // The places where the piece meets the loop, then its two ends.
    double at[kMaxMeetings + 2];
    int count = 0;
    bool crowded = false;
    for (const LoopPiece& wall : pieces_) {
      if (!boxesOverlap(box, wall.box)) continue;
      double meetings[4];
      const int n = meetingsAlong(piece, wall.geometry, tol, meetings);
      for (int i = 0; i < n; ++i) {
        if (count == kMaxMeetings) {
          crowded = true;
          break;
        }
        at[count++] = meetings[i];
      }
    }
    if (crowded) {
      // Too many meetings to follow: equal stretches instead.
      count = 0;
      for (int i = 1; i < kMaxMeetings; ++i) at[count++] = length * i / kMaxMeetings;
    }
    if (count == 0 && side != CLoop::kOnLoop && sideAt.distanceTo(piece.start) <= tol) {
      if (side == CLoop::kOutside) return true;
      sideAt = piece.end;
      continue;
    }
    at[count++] = 0.0;
    at[count++] = length;
    std::sort(at, at + count);
    side = CLoop::kOnLoop;
    for (int i = 1; i < count; ++i) {
      // A stretch no longer than the tolerance lies within it of its ends.
      if (at[i] - at[i - 1] <= tol) continue;
      side = positionOf(piece.at(0.5 * (at[i - 1] + at[i])));
      if (side == CLoop::kOutside) return true;
    }
    sideAt = piece.end;
  }
  return false;
}
