// Walks along the chain of edges of a layout's offset graph, the way the
// circuit path follows the pipe: from an edge through its second node to the
// other edge there (COffsetNode::otherEdgeIfUnique), from firstEdge on.
//
// Bound: every walk keeps the edges it has passed and stops at the first one
// it meets again, so it ends on any graph, a hand-made cycle included (at the
// latest after every edge of the graph once).
//
// Threads: reads the graph; one thread at a time, like the graph.
#pragma once

#include "heating/layout/offsets/COffsetPoint.h"

#include <unordered_set>

struct CFHCircuitLayout;
struct COffsetEdge;

using EdgeSet = std::unordered_set<const COffsetEdge*>;

// The edge after `edge` on the chain: the other edge of its second node;
// none for a missing edge or node, or a node without exactly one other edge.
COffsetEdge* nextEdgeOnChain(const COffsetEdge* edge);

// The point of the chain nearest to `point` and the edge that holds it: none
// when the layout has no first offset loop or no edge answers. The walk
// starts at the edge after firstEdge and stops on reaching lastEdge, an edge
// already passed (firstEdge counts as passed) or none, so neither end edge
// is examined. Each edge answers the nearest point of its path
// (closestPointOnEdgePath, tol); a later edge wins only when nearer by more
// than tol's equal point. `out` (links cleared first) receives the point
// with the sections it lies on.
COffsetEdge* nearestPointAlongEdgeChain(const CFHCircuitLayout& layout, const XtGePoint2d& point, COffsetPoint& out,
                                        const XtGeTol& tol);

// The place of the edge on the chain from firstEdge (firstEdge 0), -1 when
// the walk from firstEdge does not reach it.
int edgeChainPosition(const CFHCircuitLayout& layout, const COffsetEdge* edge);

// Passes over the chain from `from` towards `to` without taking `to`: every
// edge passed goes into `passed`. Stops at `to`, at a dead end or at an edge
// already in `passed`; true when `to` was reached (also when from is to).
bool passEdgesUntil(const COffsetEdge* from, const COffsetEdge* to, EdgeSet& passed);
