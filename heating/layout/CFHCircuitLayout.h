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

  // Releases every content and frees the storage of all six vectors:
  // segments and pipe-end records (clearSegments), then edges, nodes and
  // sub-area records (each cleared, then deleted), then the levels. firstEdge
  // and lastEdge become null; the inputs and `outcome` stay.
  void clear();
  // Deletes every segment (with its curve), then every pipe-end record.
  void clearSegments();
  // Deletes the levels. A graph still present is deleted first (its nodes
  // link sections of those loops), and firstEdge and lastEdge become null.
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

  // ---- Layout steps ------------------------------------------------------------------

  // The meander (CFHCircuitLayoutMeander.cpp, MeanderRuns.h, MeanderChain.h):
  // straight runs across the zone, perpendicular to the base item, joined
  // along the first offset loop. True when a path from firstEdge to lastEdge
  // was built (also when a zone with one level goes to the spiral and that
  // succeeds). On false the graph is as it was, except that a missing base
  // item also drops the levels. Sets `outcome` in every case.
  bool layoutMeander();
  // The spiral: not built yet. Sets kSpiralNotBuilt and answers false.
  bool layoutSpiral();
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
  std::vector<CFHPipeEnd*> pipeEnds;        // pipe-end records made for the segments
  std::vector<CFHCircuitSegment*> segments;  // the laid pipe, in path order
  LayoutOutcome outcome = LayoutOutcome::kNotRun;

 private:
  // Deletes the edges, then the nodes; firstEdge and lastEdge become null.
  void deleteGraph();
};

// Clears every record of the vector, deletes it (null entries passed over)
// and empties the vector.
void deleteCircuitLayoutsAndClear(std::vector<CFHCircuitLayout*>& layouts);
