// The pipe pieces of an offset-graph edge, and the nearest point of its path.
//
// The path of an edge from node a to node b:
// - along its loop when crossesOwners is 0 and both nodes have the same
//   owner loop: from a along the loop to b, with the loop's section order
//   when the direction byte is 1 and against it when 0. a leaves along its
//   incoming link and b is reached along its outgoing link, each taken in
//   the walking direction (CLoopPoint::incomingLink/outgoingLink, workTol):
//   a node at a joint thus starts on the section that ends there. When a and
//   b lie on one such section and b is behind a, the way goes once round the
//   loop; a and b at one place (workTol) give an empty path.
// - otherwise one straight piece from a to b.
// Each piece runs from one vertex of the loop (or a node) to the next: a new
// CFloorHeatingLine, no source, tag kTagEdgePathPiece, owned by the caller's
// list. Pieces are made only between points that differ (workTol), so
// coincident vertices and a straight edge of no length give no piece.
// Parameters on the section curves are taken with the geometry library's
// global tolerance. A walk passes at most every section of the loop once
// more than the section it starts on.
//
// Threads: reads the graph and its loop; one thread at a time.
#pragma once

#include "heating/layout/COffsetPoint.h"
#include "heating/layout/LayoutSegmentTags.h"

#include "heating/curves/CFloorHeatingCurve.h"

#include <cstdint>
#include <vector>

struct COffsetEdge;

// Whether the edge's path is one straight piece (see above). A null edge or
// one with an end missing answers true.
bool isStraightEdge(const COffsetEdge& edge);

// Empties `pieces`, then fills it with the pieces of the edge's path from a
// to b. False only when the edge or one of its nodes is missing; true
// otherwise, also with the list empty when a's or b's link is not a section
// of the owner loop.
bool offsetEdgePathAlongLoop(const COffsetEdge* edge, CFloorHeatingCurve::PtrVector& pieces);

// The vertices of the same path, from a to b: the start of its first piece,
// then the end of each piece (none for a path without pieces); no curves
// are made. False only when the edge or one of its nodes is missing.
bool offsetEdgePathPoints(const COffsetEdge* edge, std::vector<XtGePoint2d>& points);

// The same walk between two points of the edge's path given with their
// sections (`from` before `to` along it). A point equal (workTol) to a node
// stands for that node, with the node's links.
bool offsetEdgePathBetweenPoints(const COffsetEdge* edge, const CLoopPoint& from, const CLoopPoint& to,
                                 CFloorHeatingCurve::PtrVector& pieces);

// The point of the edge's path nearest to `point`. `out`'s links are
// emptied first.
// - A straight edge answers a node: when the nearest point of the segment
//   a-b (workTolFine) lies at node a (else at node b) under `tol`, `out`
//   becomes that node's point with its links. When it lies at neither, the
//   answer is false and out's point is not written.
// - An edge along its loop answers the nearest point of its path pieces
//   (the first of equal distances), linked to the section it lies on, and
//   at a joint (tol) to the section beyond it as well. Only the path is
//   searched, never the rest of the sections it lies on. A path without
//   pieces (a and b at one place) answers a's point.
// False also for a missing edge or node and for links outside the loop.
bool closestPointOnEdgePath(const COffsetEdge* edge, const XtGePoint2d& point, COffsetPoint& out,
                            const XtGeTol& tol);
