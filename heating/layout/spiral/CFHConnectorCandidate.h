// A detour candidate of the spiral: a free stretch A-B of a narrow loop
// section that a hairpin can reach from the path piece T, with the feet P_A
// and P_B of its ends on T.
//
// Fields in order: the record and item index of the stretch (the narrow
// loop section's record beside T and its section entry), the candidate
// piece (the line A -> B; not owned: the detour step keeps the pieces in a
// list of owning pointers that outlives its candidates), the offset (the
// distance from the piece's start to its closest point on T) and the
// position (from that closest point to T's start), then P_A, A, B, P_B.
// Copies copy every field.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

#include <cstdint>

struct CFHConnectorCandidate {
  CFHConnectorCandidate(const CFloorHeatingCurve* piece, const CFloorHeatingCurve& pathCurve, std::int32_t record,
                        std::int32_t item, const XtGePoint2d& pA, const XtGePoint2d& a, const XtGePoint2d& b,
                        const XtGePoint2d& pB)
      : record(record), item(item), piece(piece), pA(pA), a(a), b(b), pB(pB) {
    const XtGePoint2d foot = pathCurve.closestPointTo(piece->startPoint());
    offset = piece->startPoint().distanceTo(foot);
    position = foot.distanceTo(pathCurve.startPoint());
  }

  std::int32_t record;
  std::int32_t item;
  const CFloorHeatingCurve* piece;
  double offset = 0.0;
  double position = 0.0;
  XtGePoint2d pA;
  XtGePoint2d a;
  XtGePoint2d b;
  XtGePoint2d pB;
};
