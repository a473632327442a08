// What the layout checker (LayoutChecker.h) needs from the system's objects:
// heating curves as checker pieces, and the pipe of a circuit layout's graph
// walked from firstEdge to lastEdge.
//
// The adapters only read geometry and links; every verdict on the pipe is the
// checker's own.
#pragma once

#include "LayoutChecker.h"

#include "heating/curves/CFloorHeatingCurve.h"

#include <memory>
#include <string>
#include <vector>

struct CFHCircuitLayout;

namespace layout_check {

// The line or arc as a piece running from the curve's start to its end.
// False for another kind of curve.
bool pieceOf(const CFloorHeatingCurve& curve, Piece& piece);

// The pieces of a chain of lines and arcs (others are left out).
std::vector<Piece> piecesOf(const std::vector<CFloorHeatingCurve*>& curves);
// The same of the geometry library's line segments and circular arcs in
// order, each piece turned to run on from the end of the one before.
std::vector<Piece> piecesAlong(const std::vector<std::unique_ptr<XtGeCurve2d>>& curves);

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

// The leads of the layout's pipe into the options: two pieces at an end
// where the lead is bent at the wall (its node has no loop and two edges),
// else one.
void setLeads(const CFHCircuitLayout& layout, Options& options);

// The places where the double spiral's constructions may come nearer than
// s, located from the layout's graph, into the options:
//   hairpin detours  legs 0.5 s apart (both samples beside the hairpin), and
//                    0.75 s from other pipe (a sample on a leg);
//   level steps      0.98 s (a sample on a straight edge between loops);
//   bands            s/2 beside a banded edge of the zone (a sample in its band);
//   the centre       0.75 s where the runs are joined round the innermost
//                    loops (both samples within s of their box): the turn
//                    round a loop of a round zone one spacing across;
//   the centre turn  s/2 within the stretch the spiral lays where the
//                    in-run becomes the out-run (both samples on the pieces
//                    of its edges flagged kEdgeCentreTurn): the hairpin
//                    round a narrow innermost loop;
//   the pipe ends    s/2 within s of the segment between the lead tops (both
//                    samples): a run that turns a corner of the first loop
//                    right after its lead comes back beside the other end.
void addSpiralAllowances(const CFHCircuitLayout& layout, const Zone& zone, Options& options);

}  // namespace layout_check
