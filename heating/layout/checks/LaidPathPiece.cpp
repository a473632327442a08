#include "heating/layout/checks/LaidPathPiece.h"

#include "geometry/forEachSimplePiece.h"

#include "platform/ge/XtGeInterval.h"

bool appendLaidPieces(const std::vector<CFHCircuitSegment*>& segments, std::size_t maxPieces,
                      std::vector<LaidPathPiece>& pieces) {
  for (const CFHCircuitSegment* segment : segments) {
    if (segment == nullptr || segment->curve == nullptr) continue;
    const bool complete = forEachSimplePiece(segment->curve->geCurve(), [&](const XtGeCurve2d& curve) {
      if (pieces.size() >= maxPieces) return false;
      LaidPathPiece piece{PathPiece{}, segment->zonePosition, segment->part};
      if (!PathPiece::fromCurve(curve, piece.geometry)) {
        XtGeInterval interval;
        curve.getInterval(interval);
        piece.geometry =
            PathPiece::line(curve.xtEvalPoint(interval.lowerBound()), curve.xtEvalPoint(interval.upperBound()));
      }
      pieces.push_back(piece);
      return true;
    });
    if (!complete && pieces.size() >= maxPieces) return false;
  }
  return true;
}
