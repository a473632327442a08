// The pipe of a layout's graph as simple pieces in path order: from
// firstEdge through each edge's second node and the other edge there to
// lastEdge, every edge by its loop path (offsetEdgePathAlongLoop), each
// piece a line or an arc in the pipe's direction. These are the pieces the
// circuit path turns into the drawn segments; the checks of a layout step
// measure its pipe on them.
//
// The leads are the edges that bring the pipe from the pipe ends onto the
// first loop: firstEdge, lastEdge, and the piece of a lead bent where it
// leaves the zone (an edge between a node on no loop with two edges and
// the lead).
//
// Threads: reads the layout; the calling thread's.
#pragma once

#include "heating/layout/PathPiece.h"

#include <cstddef>
#include <vector>

struct CFHCircuitLayout;
struct COffsetEdge;

struct LayoutPathPiece {
  PathPiece geometry;
  const COffsetEdge* edge = nullptr;
};

// Whether the edge is one of the layout's leads (above).
bool isLayoutLead(const CFHCircuitLayout& layout, const COffsetEdge* edge);

// The pieces of the path, appended; with `leads` false the leads' pieces
// are left out. False when the graph is not one path from firstEdge to
// lastEdge, an edge's path fails or gives a piece that is neither a line nor
// an arc with finite coordinates, or the pieces would pass `maxPieces`.
bool appendLayoutPathPieces(const CFHCircuitLayout& layout, bool leads, std::size_t maxPieces,
                            std::vector<LayoutPathPiece>& pieces);
