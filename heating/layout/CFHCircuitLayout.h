// The work record of the layout of one heating circuit inside one zone.
//
// The zone design makes it on the design thread with the three distances,
// fills the inputs (boundary, pipe ends, base item, modes), builds the offset
// levels into it and runs one layout step (meander, spiral or single run).
// The step leaves the pipe as an offset graph of nodes and edges from
// firstEdge (leaving the start pipe end) to lastEdge (reaching the end pipe
// end), sets `outcome`, and the circuit path turns the graph into segments.
//
// Ownership: the record owns everything in its vectors: the levels with their
// loops, the edges, the nodes, the sub-area records, the pipe-end records and
// the segments (each segment owns its curve). boundary, the four pipe ends
// and baseItem are inputs it only points to. Edges are deleted before nodes
// (an edge unlinks itself while its nodes live), and the graph before the
// levels, because nodes link sections of the level loops. The destructor runs
// clear(); clear() may also be called any time to reuse the record.
// handedOverLoops holds loops that left the levels but may still carry nodes
// of the graph: the loops of a split level that no sub-area took, and the
// loops of a sub-area whose graph was threaded into this record's
// (handOverLoopsTo). They are freed with the levels, after the graph.
//
// Threads: a record belongs to the design thread that builds it; no lock
// guards it. The dialog reads a zone's layout only while no design of that
// zone runs.
//
// No base class and no virtual functions: a plain record.
#pragma once

#include "heating/layout/LayoutOutcome.h"

#include "platform/ge/XtGePoint2d.h"

#include <cstdint>
#include <vector>

class CFHBoundLoopItem;
class CFHZoneBoundary;
class CFloorHeatingCurve;
class XtGeTol;
struct CFHMeanderPoint;
class CLoopElement;
class CLoopPoint;
class COffsetLoop;
class COffsetSection;
class CurveChain;
struct CFHCircuitSegment;
struct CFHPipeEnd;
struct COffsetPoint;
struct COffsetPointQuad;
struct CFHPipeStyle;
struct COffsetEdge;
struct COffsetNode;
namespace GDI {
class canvas;
}

struct CFHCircuitLayout {
  // One offset level: its loops, outermost level first in `levels`.
  using Level = std::vector<COffsetLoop*>;

  // Layout types.
  static constexpr std::uint32_t kMeander = 0;
  static constexpr std::uint32_t kSpiral = 1;

  // The distances; every pointer null, every vector empty, value 0, layout
  // type spiral, connection mode 0, no orientation given.
  CFHCircuitLayout(double firstOffset, double spacing, double runDistance);
  ~CFHCircuitLayout();
  CFHCircuitLayout(const CFHCircuitLayout&) = delete;
  CFHCircuitLayout& operator=(const CFHCircuitLayout&) = delete;

  // ---- Releasing contents --------------------------------------------------------

  // Releases every content and frees the storage of all seven vectors:
  // segments and pipe-end records (clearSegments), then edges, nodes and
  // sub-area records (each cleared, then deleted), then the levels and the
  // handed-over loops. firstEdge and lastEdge become null; the inputs and
  // `outcome` stay.
  void clear();
  // Deletes every segment (with its curve), then every pipe-end record.
  void clearSegments();
  // Deletes the levels and the handed-over loops. A graph still present is
  // deleted first (its nodes link sections of those loops), and firstEdge
  // and lastEdge become null.
  void clearOffsetLoops();

  // ---- Small queries and steps ----------------------------------------------------

  // The first loop of level 0; null when there is no level 0, or it is
  // missing or empty.
  COffsetLoop* firstOffsetLoop() const;
  // Sets drawn and side to 1 on every segment.
  void markAllSegments();
  // The layout step that lays nothing (display types other than 0 and 1, or
  // no known circuit shape): sets the outcome to kLevelsOnly and succeeds.
  bool skipJoin();

  // ---- Appenders of the offset graph (LayoutGraphAppenders.cpp) -------------------
  //
  // Each makes one node and one edge over it and `from` (from -> new) or `to`
  // (new -> to) with the direction byte, puts the node into `nodes` and then
  // the edge into `edges`, and answers the node. The edge registers itself in
  // both nodes' edge lists; an edge whose other end is null gets only the new
  // node. crossesOwners forces a straight edge; without it the edge is
  // straight exactly when the two nodes have different owners.

  // A node at the point with the links (sections through addSection, other
  // elements as plain links; an empty list and a null loop make a free node).
  COffsetNode* appendNodeOnLoop(COffsetNode* from, const XtGePoint2d& point, const std::vector<CLoopElement*>& links,
                                COffsetLoop* loop, std::uint8_t direction, bool crossesOwners);
  // A node at the loop point with its links.
  COffsetNode* appendNodeOnLoopAt(COffsetNode* from, const CLoopPoint& loopPoint, COffsetLoop* loop,
                                  std::uint8_t direction);
  // A node at the point on one section (no link when it is null).
  COffsetNode* appendNodeOnSection(COffsetNode* from, const XtGePoint2d& point, COffsetSection* section,
                                   COffsetLoop* loop, std::uint8_t direction);
  COffsetNode* prependNodeOnLoop(COffsetNode* to, const XtGePoint2d& point, const std::vector<CLoopElement*>& links,
                                 COffsetLoop* loop, std::uint8_t direction);
  COffsetNode* prependNodeOnLoopAt(COffsetNode* to, const CLoopPoint& loopPoint, COffsetLoop* loop,
                                   std::uint8_t direction);
  COffsetNode* prependNodeOnSection(COffsetNode* to, const XtGePoint2d& point, COffsetSection* section,
                                    COffsetLoop* loop, std::uint8_t direction);

  // ---- Small edits and lookups of the graph and the levels (CFHCircuitLayout.cpp) ----

  // Takes an end node off the path: when the node has exactly one edge and
  // that edge's other end is present and it is neither firstEdge nor
  // lastEdge, the edge leaves the other node's edge list and `edges`, the
  // node leaves its sections and `nodes`, both are deleted and the other node
  // is answered. Any other node (null included) stays and is answered.
  COffsetNode* removeDanglingNode(COffsetNode* node);
  // The first level (in level order) that holds the loop, with its position
  // written into `index`; null, index untouched, when no level holds it.
  Level* findLevelOfLoop(const COffsetLoop* loop, int& index) const;

  // ---- The spiral's path steps --------------------------------------------------------
  //
  // The double spiral grows two paths: the in-run from the start pipe end
  // (extended by appending: each new edge runs from the old end to the new
  // node) and the out-run towards the end pipe end (built from its far end
  // inward by prepending: each new edge runs from the new node to the old
  // end). Each step below answers the new end of the run it extends and
  // leaves the run as it was when it cannot act. `d` is the in-run's walking
  // direction along its loops (true, or byte 1: with the section order); the
  // out-run walks against it. New nodes and edges go into `nodes` and
  // `edges` in the order made; an edge whose nodes lie on one loop runs along
  // it, any other is straight. Missing loops, nodes or edges and levels out
  // of range answer false, the end unchanged, or nothing; nothing throws.

  // Where a run steps two levels inward (LevelStepPoints.cpp): a point P1 on
  // the run end's own loop where it leaves, the crossing P2 with loopB (the
  // other run's loop) and the point P3 on loopC (the run's next loop) where it
  // goes on. The room is the way along the own loop from the run end to its
  // next node in direction d, less 0.99 s; when that way is shorter than
  // 0.99 s, d is turned (and stays turned for the caller), and when the other
  // way is no longer either, d turns back and no candidate is sought.
  // Candidates come from probes of 4 s before the start and beyond the end
  // of loopC's sections (all of them for a loop of at most six sections,
  // else those not shorter than 0.9 s and those beside loopC's longest):
  // each probe's hit X on the own loop no more than 3 s from P3 (a longer
  // line runs along the loops, not across), its nearest crossing with loopB
  // and the section's end on loopC, when the line P3 -> X crosses loopB at
  // most once (or only on one section), misses avoidLoop, meets loopC fewer
  // than three times, does not meet the own loop against d and holds X
  // (points 0.1 s, vectors 0.01 s). Of the candidates within the room the
  // one farthest along the own loop wins; one within 0.1 s of it wins with a
  // shorter P1 -> P3. Without a candidate, the step goes straight across at
  // the room's end: P1 the room along the own loop from the run end (less
  // 0.99 s x (own length / loopC's length - 1) when the own loop is the
  // longer, so that lines converging on a round zone's centre keep the
  // margin on loopC too), P3 loopC's closest point to P1 and P2 the crossing
  // of P3 -> P1 with loopB farthest from P3, when that line is at most 3 s
  // long and passes the candidates' tests. Failing that: P1 is s back
  // (against d) from the end of the last path piece of the run end's
  // outgoing edge (incoming when none), P3 loopC's closest point to P1 and
  // P2 the crossing of P1 -> P3 with loopB farthest from P3. False, outputs
  // untouched, without a next node on the own loop or when the fallback
  // misses a point. The outputs' links are cleared before they are written.
  bool findLevelStepPoints(const COffsetNode& runEnd, const COffsetLoop* loopB, const COffsetLoop* loopC,
                           const COffsetLoop* avoidLoop, bool& d, COffsetPoint& p1, COffsetPoint& p2,
                           COffsetPoint& p3) const;
  // A run end extended to a new node at the loop point (SpiralPathSteps.cpp):
  // appended with the direction (the in-run), or prepended (the out-run)
  // with the direction turned, so that both walk the same way along the
  // finished pipe.
  COffsetNode* extendRunEndAt(COffsetNode* end, const CLoopPoint& at, COffsetLoop* loop, std::uint8_t direction,
                              bool prepend);
  // The out-run steps two levels inward (SpiralPathSteps.cpp): with the
  // level-step points of its end, new nodes at P1 (the end's loop), P2
  // (loopB) and P3 (loopC) are prepended in that order, their edges with !d
  // as d stands after the search. Answers the node at P3, or the end when no
  // points were found.
  COffsetNode* stepPathAcrossLoops(COffsetNode* end, COffsetLoop* loopB, COffsetLoop* loopC,
                                   const COffsetLoop* avoidLoop, bool& d);
  // The in-run's step: the same nodes appended, their edges with d.
  COffsetNode* stepPathAcrossLoopsOut(COffsetNode* end, COffsetLoop* loopB, COffsetLoop* loopC,
                                      const COffsetLoop* avoidLoop, bool& d);
  // Steps the in-run from its end A over to B's loop and on to loop X
  // (SpiralPathSteps.cpp): M is A's next node along A's loop in direction
  // d; the last path piece of M's unique incoming (else outgoing) edge,
  // moved sideways by s (shiftedCurveHit with the flag d, heatingTolCoarse),
  // meets A's loop at P. N1 is a new node at P (A itself when P is A's
  // point), N2 P's projection onto B's loop (else the moved last piece of
  // B's unique outgoing, else incoming, edge met with B's loop), N3 N2's
  // projection onto X; edges (A, N1), (N1, N2), (N2, N3) with d. Answers the
  // last node made (A when none); B is not changed.
  COffsetNode* joinPathToNeighbour(COffsetLoop* x, COffsetNode* a, COffsetNode* b, std::uint8_t direction);
  // Joins the two run ends at the centre (SpiralEndJoins.cpp). `which`
  // picks the end that moves: false A (N on loop L, extended by appending
  // with d), true B (extended by prepending with !d); O on loop K is the
  // other end. With a next node of N along L in direction d: P2 is s along K
  // from O against d, and P1 the meeting nearest N of L with the normal ray
  // (side -1) at P2 of P2's section taken in the direction of O's unique
  // outgoing edge. Otherwise (or when that fails): P2 is half K's length
  // along K from O with d, and P1 the best projection of P2 onto L from N in
  // direction d. The moving end is extended to P1 on L and then to P2 on K,
  // and its reference receives the node at P2. False, nothing added, when a
  // point is missing (P2 at O's point included).
  bool joinPathEnds(COffsetNode*& a, COffsetNode*& b, bool which, std::uint8_t direction);
  // Joins the two ends (both on loop L) by a zigzag inside the four-sided
  // innermost loop Q (SpiralEndJoins.cpp); `which` picks the moving end as
  // joinPathEnds does. f tells whether the way from the moving end N1 to the
  // other end N2 against L's section order is the shorter one. The stretch
  // of L from N1 to N2 walked with f gives the side G the zigzag runs
  // along (polylinePieceForJoin) and the line U-V through G's piece; the
  // stretch of Q between the projections of G's ends (walked with !f) is
  // corner-trimmed against U-V at the spacing. Then, step by step, the Q
  // stretch's start is pulled on by s along G's direction twice (R1, R2), U
  // and V become the points of the line U-V nearest R1 and R2, and the
  // moving end is extended through U on L, R1 and R2 on Q and V on L (edge
  // directions f, !f, !f, f appending; !f, f, f, !f prepending) unless U and
  // V coincide. The zigzag ends at the first trim or projection that fails,
  // and after at most (the Q stretch's length) / s + 2 steps. When the ends
  // then meet, the moving end's dangling node is removed. A final edge
  // (A, B) with the direction f xor which closes the join, and A's reference
  // receives B. False, nothing added, for a loop of other than four
  // sections, ends not on one loop, or a stretch or trim that cannot be made.
  bool joinEndsInFourSidedLoop(COffsetNode*& a, COffsetNode*& b, COffsetLoop* loop, bool which);
  // Whether the centre can turn by parallel runs (SpiralCentreTurn.cpp):
  // innerEnd and outerEnd are the run ends on the deeper and the outer of two
  // neighbouring levels. False without owner loops or when the inner loop
  // is not four-sided; true at once when the outer loop is not four-sided.
  // Two four-sided loops are tried only when the inner loop is elongated
  // (4 x its second-shortest side <= its third-shortest) and neither loop's
  // two shortest sides meet. pointsA, pointsB and records are the caller's
  // work lists (emptied when the turn is tried): the samples of the inner
  // and the outer loop and the rungs across them. The graph is not changed.
  bool tryCentreTurn(const COffsetNode& innerEnd, const COffsetNode& outerEnd, bool d,
                     std::vector<COffsetPoint>& pointsA, std::vector<COffsetPoint>& pointsB,
                     std::vector<COffsetPointQuad>& records) const;

  // ---- Sub-areas (SubAreaSplit.cpp) ------------------------------------------------------

  // Hands the levels from k on to sub-area records. With level k missing or
  // empty the record only drops its levels from k on. Otherwise each loop of
  // level k starts a new record (this record's first offset and spacing, run
  // distance = spacing, orientation given as `orientation`) and gathers, from
  // each deeper level in turn, the loops not yet taken that lie inside that
  // first loop (acceptLoopInLevel, h = s, workTolFine) until a level gives
  // none; a loop goes to the first record that takes it. The records go into
  // subAreas and own the loops they took; this record keeps its levels 0 to
  // k - 1 and puts the loops nobody took into handedOverLoops.
  void splitLevelsIntoSubAreas(int k, std::uint8_t orientation);
  // Moves this record's level loops and its handedOverLoops into the owner's
  // handedOverLoops and frees the emptied levels: for a sub-area whose graph
  // was moved into the owner's lists, whose nodes still lie on these loops.
  void handOverLoopsTo(CFHCircuitLayout& owner);

  // ---- Layout steps ------------------------------------------------------------------

  // The meander (CFHCircuitLayoutMeander.cpp, MeanderRuns.h, MeanderChain.h):
  // straight runs across the zone, perpendicular to the base item, joined
  // along the first offset loop. True when a path from firstEdge to lastEdge
  // was built (also when a zone with one level goes to the spiral and that
  // succeeds). On false the graph is as it was, except that a missing base
  // item also drops the levels. Sets `outcome` in every case.
  bool layoutMeander();
  // The double spiral (CFHCircuitLayoutSpiral.cpp, SpiralRun.h): the pipe
  // runs in along every second offset loop and back along those between,
  // supply beside return; lobes of a level that falls apart get spirals of
  // their own (sub-areas), and pieces of loops the spiral passes by are
  // reached by hairpin detours. A sound layout that lays much less pipe
  // than the zone's area wants is laid again in the other ways (the other
  // turn, the runs one or two levels further out) and the sound one that
  // lays the most stays. A graph left by an earlier call is emptied
  // first. True with kLaid, kRegionsLeftOut (a region or a lobe of the zone
  // is not covered) or kPathsCross (the second attempt still crosses: the
  // graph is kept). False, no graph, with kNoLevel (no first offset loop,
  // also after the preparation), kNoBoundary (a pipe end missing, or the
  // boundary when the orientation is not given), kNoPipeEndProjection or
  // kNoSpiralPath (the second attempt is not one path from firstEdge to
  // lastEdge); the levels stay as prepared.
  bool layoutSpiral();
  // Lays the sub-areas of subAreas (SpiralSubAreas.cpp, CFHSubLayoutLink.h):
  // a link per sub-area on the in-run end's loop L, the usable ones sorted
  // by their entries along L from inEnd in direction d; each sub-area's
  // spiral is run and threaded in (edge inEnd -> its first node along L,
  // then inEnd = its last node) and hands its loops over to this record.
  // Then the edge inEnd -> outEnd along L, and inEnd = outEnd. Every
  // sub-area record is deleted (with its loops when it was not threaded, but
  // for loops a node of the path lies on). `leftOut` is set when a sub-area
  // was not threaded or left part of its lobe out, or inEnd has no loop.
  void layoutSubAreas(COffsetNode*& inEnd, COffsetNode*& outEnd, bool d, bool& leftOut);
  // The crossings of one meander run (RunCrossings.cpp): with the working
  // boundary loop (kMeanderBoundary), the first offset loop
  // (kMeanderFirstLoop) and every loop of level 1 (kMeanderInnerLoop), each
  // projected onto its loop, ordered by distance from the cross line, largest
  // first, neighbours equal under crossingRecordsEqual merged. `records` is
  // emptied first. a, g, b: the fine layout, working and coarse tolerances.
  // True when more than two records remain.
  bool collectRunCrossings(const CFloorHeatingCurve& run, std::vector<CFHMeanderPoint>& records,
                           const CFloorHeatingCurve& crossLine, const XtGeTol& a, const XtGeTol& g,
                           const XtGeTol& b) const;

  // ---- The single run (CFHCircuitLayoutConnectionRun.cpp) -------------------------

  // The layout step of connection mode 1: a supply ring on the first loop of
  // level 0 (L1) and a return ring on the first loop of level 1 (L2), joined
  // by an undrawn jump. With dir the orientation of the working loop (from
  // the end pipe end to the start pipe end, workTol) and P1, P2 the start and
  // end pipe ends' points brought onto L1 (pulled 0.5 s apart along L1, P1
  // with dir and P2 against it, when they coincide):
  //   start -> P1                 straight, flag 1 (firstEdge)
  //   P1 -> N  along L1 with dir  flag 1; N = runDistance from P2 against dir
  //   -> M                        straight, flag 4 (the jump, not drawn);
  //                               M = runDistance from Q against dir, Q = P2
  //                               brought onto L2
  //   -> Q  along L2 against dir  flag 2
  //   Q -> P2                     straight, flag 2
  //   -> end                      straight, flag 2 (lastEdge)
  // So the supply runs from P1 round L1 to runDistance short of P2, and the
  // return from runDistance beside Q back round L2 to Q. A failed walk or a
  // failed projection onto L2 leaves out only what depends on it (each
  // later edge starts at the end node of the last edge made) and the step
  // still ends with the end edge and true. False, nothing added, when a
  // loop, a pipe end or the boundary is missing or a pipe end does not
  // project onto L1. Sets `outcome`.
  bool layoutConnectionRun();

  // ---- Segment curves (CFHCircuitLayoutSegmentCurves.cpp) --------------------------

  // Chains copies of the geometry curves of the drawn segments of the side
  // (in list order) end to end (workTol) into as few runs as it can: each
  // chain starts with the first curve left and takes, pass by pass over the
  // curves left, every curve whose start meets its end, whose end meets its
  // start, or, reversed, whose start meets its start or whose end meets its
  // end (tried in this order); a pass that places nothing closes the run.
  // `runs` is emptied first; each run owns its curves. False, `runs` empty,
  // when the side has no drawn segment.
  bool chainSegmentCurves(std::vector<CurveChain>& runs, int side) const;
  // Side 1 (supply) into list1, then side 0 (return) into list2; true only
  // when both succeed. Side 0 is not chained when side 1 fails.
  bool chainSegmentCurvesBothSides(std::vector<CurveChain>& list1, std::vector<CurveChain>& list2) const;
  // Adds the curve of every drawn segment, in order, to the preview canvas
  // with the style of its side (side 0 `returnStyle`, any other `supply`):
  // its colour (with overrideColour, `colour` as the index with the high 32
  // bits all set), pen width, linetype in code page 1250 and scale. passOn is
  // handed on unchanged; `reserved` is not used.
  void drawSegments(GDI::canvas& canvas, const CFHPipeStyle& supply, const CFHPipeStyle& returnStyle,
                    std::int64_t passOn, std::int32_t reserved, std::uint32_t colour, bool overrideColour) const;

  // ---- Fields, in this order ----------------------------------------------------------

  CFHZoneBoundary* boundary = nullptr;  // the zone boundary (its working loop gives the outline)
  CFHPipeEnd* startEnd = nullptr;       // where the circuit enters the zone
  CFHPipeEnd* endEnd = nullptr;         // where it leaves
  CFHPipeEnd* exitEnd1 = nullptr;       // exits toward the next zone (read by the circuit path)
  CFHPipeEnd* exitEnd2 = nullptr;
  double firstOffset;  // distance of level 0 (and of the first meander run) from the boundary
  double spacing;      // pipe spacing s
  // Connection mode 1: the length of the run along the loops; otherwise the
  // distance between the pipe ends.
  double runDistance;
  double value = 0.0;                  // the zone design's layout value
  std::uint32_t layoutType = kSpiral;  // kMeander or kSpiral
  std::uint32_t connectionMode = 0;    // the zone's display type; 1 selects the single run
  CFHBoundLoopItem* baseItem = nullptr;  // the meander base edge; null when none
  std::uint8_t orientationGiven = 0;     // when 0 the steps work the orientation out
  std::uint8_t orientation = 0;          // read only when orientationGiven is set
  std::uint8_t pipesThroughZone = 0;     // the distribution pipes run through the zone
  std::vector<Level*> levels;            // level 0 outermost
  std::vector<COffsetEdge*> edges;       // every edge of the graph
  std::vector<COffsetNode*> nodes;       // every node of the graph
  COffsetEdge* firstEdge = nullptr;      // leaves the start pipe end; the circuit path starts here
  COffsetEdge* lastEdge = nullptr;       // reaches the end pipe end
  std::vector<CFHCircuitLayout*> subAreas;  // the spiral's sub-area layouts, each a full record
  std::vector<COffsetLoop*> handedOverLoops;  // loops out of the levels that nodes may still lie on
  std::vector<CFHPipeEnd*> pipeEnds;        // pipe-end records made for the segments
  std::vector<CFHCircuitSegment*> segments;  // the laid pipe, in path order
  LayoutOutcome outcome = LayoutOutcome::kNotRun;
  // The pipe's outer diameter (drawing units): a layout step that checks
  // its pipe against itself keeps it this clear; 0 when the zone gives
  // none (LayoutPipeClearance.h then takes 17 mm).
  double pipeDiameter = 0.0;

 private:
  // Deletes the edges, then the nodes; firstEdge and lastEdge become null.
  void deleteGraph();
};

// Clears every record of the vector, deletes it (null entries passed over)
// and empties the vector.
void deleteCircuitLayoutsAndClear(std::vector<CFHCircuitLayout*>& layouts);
