// What the layout checker (LayoutChecker.h) needs from the system's objects:
// heating curves as checker pieces, and the pipe of a circuit layout's graph
// walked from firstEdge to lastEdge.
//
// The adapters only read geometry and links; every verdict on the pipe is the
// checker's own.
#pragma once

#include "LayoutChecker.h"

#include "heating/curves/CFloorHeatingCurve.h"

#include <string>
#include <vector>

struct CFHCircuitLayout;

namespace layout_check {

// The line or arc as a piece running from the curve's start to its end.
// False for another kind of curve.
bool pieceOf(const CFloorHeatingCurve& curve, Piece& piece);

// The pieces of a chain of lines and arcs (others are left out).
std::vector<Piece> piecesOf(const std::vector<CFloorHeatingCurve*>& curves);

// The pipe of a layout's graph: from firstEdge through each edge's second
// node and the other edge there (COffsetNode::otherEdgeIfUnique) until
// lastEdge, each edge's pieces by offsetEdgePathAlongLoop. The pieces of
// edges with flag 4 (not drawn) are kept apart in notDrawn.
struct GraphPath {
  std::vector<Piece> pieces;
  std::vector<Piece> notDrawn;
  // A dead end, a revisited edge, an edge against the walk, a node on the
  // way without exactly two edges (the two end nodes: one), a failed edge
  // path, a first edge not starting at the start pipe end or a last edge not
  // ending at the end pipe end; empty when none.
  std::vector<std::string> faults;
  int edgesOnPath = 0;
  // Edges of the layout the walk did not pass.
  int edgesOffPath = 0;
  // pieces with the flag-4 pieces put back in path order.
  std::vector<Piece> all;
};

GraphPath walkLayoutGraph(const CFHCircuitLayout& layout);

}  // namespace layout_check
