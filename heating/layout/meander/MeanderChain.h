// The chain of a meander: its runs' crossings of the first offset loop
// joined into one closed path along that loop, turning inside through the
// level-1 loop between the two runs of each pair, and the splice that opens
// the closed chain at the two pipe ends.
//
// The chain (chainMeanderRuns) reads the runs and, per run, its crossing
// records as CFHCircuitLayout::collectRunCrossings leaves them (farthest from
// the cross line first). The runs are visited from the last to the first and
// each run's records from the last to the first: the first kMeanderFirstLoop
// record met becomes the start node X0, every later one a loop entry. The
// entries are taken in order of their length along the first loop from X0
// (walking forward when the orientation is set), each joined from the node
// before by an edge along the loop (direction = orientation). After the entry
// of an even run whose next record is a level-1 crossing, and whose next
// entry lies on the neighbouring run, the path turns inside: down run i to its
// depth limit, across to run i', back out along run i' (edges direction !o,
// straight). A closing edge joins the last node to X0.
//
// Ownership: every node (X0 too) and edge goes into the layout's vectors.
// Bounds: each entry is passed at most once (a turn always moves on past the
// entry it started from); the splice walk passes each edge at most once.
// Tolerances: heatingTolCoarse gives the depth margin eqB; lengths along the
// loop use the geometry library's global tolerance; the splice's on-tests
// those of the pieces (CFloorHeatingCurve::isOn).
// Threads: works on one layout record, on its design thread.
#pragma once

#include "heating/layout/meander/CFHMeanderPoint.h"

#include <vector>

class CFloorHeatingCurve;
class COffsetLoop;
struct CFHCircuitLayout;
struct COffsetEdge;
struct COffsetNode;

struct MeanderChain {
  COffsetNode* x0 = nullptr;
  // The edge that closes the chain at X0: the splice walk starts on it.
  COffsetEdge* closing = nullptr;
  // The node the chain ends at (the closing edge's other node).
  COffsetNode* last = nullptr;
  // Turns made inside.
  int turns = 0;
  // Of those, turns made where the neighbouring run has left the first loop
  // and crosses no level-1 loop (see chainMeanderRuns).
  int turnsPastExit = 0;
};

// Steps of the chain as above. False, layout untouched, when the records hold
// fewer than two kMeanderFirstLoop crossings (or runs and records differ in
// number).
// With ownDepth, an even run whose neighbour crosses no level-1 loop below
// its entry still turns: down to its own deepest level-1 crossing, when the
// neighbour lies inside the first loop at that depth (for a zone too narrow
// across the runs for the inner level to reach the neighbour).
// A turn whose depth lies beyond where the neighbour leaves the first loop
// below its entry, the neighbour crossing no level-1 loop at all (a short
// run in a narrow tip, its depth limit taken from a crossing of the boundary
// beyond its exit), comes back up the neighbour through that exit, which the
// chain also walks by: it is counted in turnsPastExit, and with
// keepNeighbourIn not made (the chain follows the loop there).
bool chainMeanderRuns(CFHCircuitLayout& layout, const std::vector<const CFloorHeatingCurve*>& runs,
                      const std::vector<std::vector<CFHMeanderPoint>>& records, const CFloorHeatingCurve& crossLine,
                      COffsetLoop& firstLoop, bool orientation, MeanderChain& chain, bool ownDepth = false,
                      bool keepNeighbourIn = false);

// Opens the closed chain at the pipe ends: with P1 = firstEdge's second node
// and P2 = lastEdge's first node, walks the chain from its closing edge
// through X0 to its last node and takes E1 (E2), the first edge whose path
// holds P1 (P2), else the one whose path comes nearest. E1 then starts at P1
// and E2 ends at P2; one edge holding both (P2 before P1 along it) ends at P2,
// and a new edge runs from P1 to its former end. False, graph unchanged, when
// the walk breaks off or one edge holds P1 before P2 (the pipe would lie
// twice between them).
bool spliceMeanderPipeEnds(CFHCircuitLayout& layout, const MeanderChain& chain, bool orientation);

// The pipe ends' points P1 (start) and P2 on the first loop, P1 a short
// way ahead of P2 along the chain (orientation), moved apart along the loop
// where the loop comes back near them: beside an acute corner of the loop
// (a slanted or bowed wall meeting the pipe ends' wall, a narrow tip) the
// loop from s to 12 s beyond one point (at most half way round) may pass
// within s of the other, and the supply and the return would lie nearer
// than s there. The other point moves away from the gap s/8 at a time, up
// to 4 s, until the loop keeps s from it (less the spacing slack). When both
// points lie in a narrow tip of the loop, the two walks from them part
// slowly along the tip's two sides and neither point alone is near the other
// walk: then the end's point (else the start's) moves out of the tip, up to
// 4 s, until the two walks keep s beyond their first s; it stays where it
// was if they never do. Both stay where they are elsewhere. No point moves
// so far that the lead to it from its pipe end (e1 for P1, e2 for P2)
// crosses the other lead (leadsCross, LeadLandings.h): out of a narrow tip
// whose apex both pipe ends lie beyond, the end's lead to a point far up
// the tip's side would; the start's point moves instead.
void keepMeanderLeadNodesApart(const CLoop& loop, const XtGePoint2d& e1, const XtGePoint2d& e2, CLoopPoint& p1,
                               CLoopPoint& p2, bool orientation, double s);

// Whether the layout's graph leads from firstEdge to lastEdge through nodes of
// exactly two edges, each edge leaving the node the one before reached.
bool isSinglePath(const CFHCircuitLayout& layout);
