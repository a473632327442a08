// Points spaced along offset loops, the test whether a loop is narrow
// somewhere, and the point reached along an offset-graph edge.
//
// Walks: `forward` walks the loop in its own direction (each section from
// its start to its end), false against it. Lengths are measured on the
// sections' geometry curves with the tolerance given (the callers pass
// workTolFine); its point value is also how near a sample must come to a
// vertex to be that vertex.
//
// Bounds: a walk takes at most (length walked) / step + 2 samples and visits
// every section at most once more than the loop has; a step that is not a
// positive finite number is refused.
//
// Threads: no state; the loop is only read.
#pragma once

#include "heating/layout/offsets/COffsetPoint.h"

#include "heating/curves/CLoop.h"

#include <vector>

struct COffsetEdge;
struct COffsetNode;

// One sample of a walk: its point, the position of the section it lies on
// and, at a vertex, the position of the section on the vertex's far side
// (-1 inside a section).
struct LoopSample {
  XtGePoint2d point;
  int section = -1;
  int otherSection = -1;
};

// The samples of a whole loop, into a buffer the caller reuses (emptied
// first): the start vertex (forward: the first section's start, backward:
// the last section's end), then a sample every `step` of walked length; a
// sample that reaches a vertex within the tolerance's point value is that
// vertex. The walk stops before a sample that would leave step + point value
// or less back to the start vertex, so the start vertex is never taken twice
// and the last stretch back to it is longer than step (when the loop is).
// False, nothing sampled, for a loop without sections or a bad step.
bool sampleLoopPositions(const CLoop& loop, bool forward, double step, std::vector<LoopSample>& samples,
                         const XtGeTol& tol);

// The same as offset points, each linked to its section (both sections at a
// vertex; the start vertex to the first and the last section).
bool sampleLoopPoints(const CLoop& loop, bool forward, double step, std::vector<COffsetPoint>& samples,
                      const XtGeTol& tol);

// The points every `step` along the loop from `from` to `to`: the walk leaves
// `from` along its outgoing link and ends on `to`'s incoming link (in the
// walking direction). Neither end is a sample (callers put `from` in front
// themselves); the samples lie at step, 2 x step, ... from `from` and stop
// short of `to` by more than the point value, so the last stretch to `to`
// is at most step + point value long. Points that coincide give no samples.
// False, nothing sampled, when either link is not a section of the loop or
// the step is bad; `samples` is emptied first in any case.
bool sampleLoopBetween(const CLoop& loop, const CLoopPoint& from, const CLoopPoint& to, bool forward, double step,
                       std::vector<COffsetPoint>& samples, const XtGeTol& tol);

// Whether the loop comes nearer to itself than half the spacing somewhere:
// samples every spacing / 4; for every fourth sample P (while five samples
// remain from it on) the distance to the loop's opposite side is taken, and
// any below spacing / 2 answers true. The opposite side of P: walking from P
// either way, the distance to P first grows; the far side begins at the
// first sample more than one spacing of walked length away whose distance
// has fallen below the largest so far. The far side runs between the places
// the two ways found (from the one place to the near zone on the other side
// when only one way found one); samples within one spacing of walked length
// from P never count, and a walk that comes back to P finds nothing. False
// when the spacing is below 4 x the tolerance's point value, and when the
// loop is longer than 20000 samples (the test is quadratic in them).
bool hasNarrowSpot(const CLoop& loop, double spacing, const XtGeTol& tol);

// The point reached from `node` (an end of the edge) by `length` along the
// edge, into `result` (links cleared). A straight connection (crossesOwners)
// moves along the segment from end a to end b from the node's parameter,
// forward towards b, clamped to the segment; an edge along a loop walks the
// node's owner loop (CLoop::walkFrom, workTol). False when the edge lacks an
// end, the node is not one of them, or a loop walk has no owner or fails.
bool pointAtLengthAlongEdge(const COffsetEdge& edge, const COffsetNode& node, double length, bool forward,
                            CLoopPoint& result);
// The same from any point of the edge's path (with its sections): a straight
// edge moves from the point's parameter on the segment, an edge along a loop
// walks the loop of its end a. False when the edge lacks an end or a loop
// walk has no owner or fails.
bool pointAtLengthAlongEdge(const COffsetEdge& edge, const CLoopPoint& from, double length, bool forward,
                            CLoopPoint& result);
