// Small queries and edits of the offset graph: the neighbouring node along a
// loop, the unique incoming and outgoing edge of a node, taking an edge out
// of a node, and the inner loop's corner across from a node.
//
// Every walk is bounded by the counts of sections, nodes or edges it passes.
// Threads: one thread at a time, like the graph.
#pragma once

#include <cstdint>

#include "platform/ge/XtGeTol.h"

class COffsetLoop;
class COffsetSection;
struct COffsetEdge;
struct COffsetNode;

// The neighbour of the node along the loop in the direction (1 with the
// section order, 0 against it), or none. S is the section the node leaves
// along (its outgoing link in that direction); none when S is not in the
// loop. Backward: the nearest node before the node on S (by parameter),
// else the last node of the sections before S, going back cyclically until
// a section has one; after a full circuit S's last node. Forward mirrors it
// (after, first, next sections). Nodes at the node's own point (tol) are
// never the answer: they are passed over wherever they stand.
COffsetNode* nextNodeOnLoop(const COffsetLoop& loop, const COffsetNode& node, std::uint8_t direction,
                            const XtGeTol& tol);

// The node's only edge whose end b (a) is the node; none when it has none or
// several.
COffsetEdge* incomingEdgeIfUnique(const COffsetNode& node);
COffsetEdge* outgoingEdgeIfUnique(const COffsetNode& node);

// Takes the first occurrence of the edge out of the node's edge list; the
// others keep their order. Nothing when it is not there.
void removeEdgeFromNode(COffsetNode& node, const COffsetEdge* edge);

// The corner of the inner loop nearest to the corner at the node
// (nearestInnerCorner): the node's incoming and outgoing links along its
// owner loop (forward, workTol) meet at that corner; a node inside one
// section takes the corner at the section's end that lies farther along it
// from the node (its start on a tie). False, outputs untouched, without an
// owner loop, for links outside it, or an inner loop without corners.
bool nodeInnerCorner(const COffsetLoop& inner, const COffsetNode& node, COffsetSection*& innerPrevious,
                     COffsetSection*& innerNext);
