// Trimming of a raw offset: the candidates are split wherever they meet one
// another or a cutter, so that along each part the distance to the path
// stays on one side of the offset distance; then the parts nearer to the
// path than the offset distance are dropped.
#pragma once

#include "platform/ge/internal/GeOffsetJoints.h"

#include <vector>

namespace GeKernel {

// A part [t0, t1] of a candidate between two graph nodes.
struct OffsetEdge {
  int candidate = 0;
  double t0 = 0.0;
  double t1 = 0.0;
  int from = 0;
  int to = 0;
  bool kept = true;
};

struct OffsetGraph {
  // Node points; split points within the resolution of each other share a node.
  std::vector<XtGePoint2d> nodes;
  // Ordered by candidate, then along it.
  std::vector<OffsetEdge> edges;
};

// Splits every candidate at its meetings with the other candidates and the
// cutters (res: the resolution of offsetResolution). A meeting near a
// candidate's end counts as at that end when it lies within the distance
// its angle allows it to be off (res / sine of the angle, at most snap):
// glancing meetings are located only to about sqrt(res * radius).
void splitCandidates(const std::vector<OffsetPiece>& candidates,
                     const std::vector<OffsetPiece>& cutters, double res, double snap,
                     OffsetGraph& graph);

// Clears the kept flag of the edges whose middle lies nearer than
// minDistance to the path.
void dropNearEdges(const OffsetPath& path, const std::vector<OffsetPiece>& candidates,
                   double minDistance, OffsetGraph& graph);

}  // namespace GeKernel
