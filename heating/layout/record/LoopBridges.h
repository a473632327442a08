// Bridges from an offset loop to the next inner loop, one spacing further
// in: while the spiral's path runs along a loop it must step over to the
// loop inside it. From node a the bridge walks a's loop corner by corner,
// finds the inner loop's corner opposite, and crosses where a section meets
// the prolongation of another by twice the spacing. It adds one node on a's
// loop, one on the inner loop and two edges (the first joined to node b, the
// current end of the path) to the layout, and answers the inner node.
//
// The plain bridge starts at a's incoming link (taken with the direction
// byte, workTol) and walks backward for direction 0, forward for 1; the
// bridge with clearance starts at a's outgoing link, always walks backward
// and keeps the crossing away from both path ends. Each stops when it comes
// back to its first section. Every failure (a missing node, owner or inner
// loop, nodes on different loops, a start outside a's loop, no crossing
// anywhere) answers node b and adds nothing.
//
// Edges: along a's loop between b and the outer node (crossesOwners 0), and
// straight between the outer and the inner node (crossesOwners 1); flags 0,
// crossesOwners from the owners (never forced). Nodes and edges go into the
// layout's lists in the order made; the layout owns them.
//
// Tolerances: intersections and coincidences with workTol. The temporary
// prolongation lines (tag 1) are freed on every path.
// Threads: works on one layout record, on its design thread.
#pragma once

#include <cstdint>

class COffsetLoop;
class COffsetSection;
struct CFHCircuitLayout;
struct COffsetNode;

// The corner of the inner loop nearest to the corner between `first` and
// `second` (the midpoint of first's end and second's start): the inner
// corners are (last, first section) and then (i-1, i) from i = 1; a later
// one wins only when strictly nearer. False, outputs untouched, for an
// inner loop without sections or corners without curves.
bool nearestInnerCorner(const COffsetLoop& inner, const COffsetSection& first, const COffsetSection& second,
                        COffsetSection*& innerPrevious, COffsetSection*& innerNext);

// The plain bridge. Per corner (the visited section V and the one reached R,
// in loop order) with its inner corner (IP, IN):
//   direction 0: IN's backward prolongation by 2 s meets R at X: node NX at
//     X on R, edge (NX, b, 1); node NI at IN's start on IN and IP, edge
//     (NI, NX, 1);
//   direction 1: V's forward prolongation meets IN at X: node at V's end on
//     V and R, edge (it, b, 0), node at X on IN (and IP at IN's start),
//     edge (inner, outer, 0); else IP's forward prolongation meets R at X,
//     not nearer to a than b is: node at X on R, edge (it, b, 0), node at
//     IP's end on IP and IN, edge (inner, outer, 0).
COffsetNode* bridgeToInnerLoop(COffsetLoop* inner, COffsetNode* a, COffsetNode* b, double spacing,
                               std::uint8_t direction, CFHCircuitLayout& layout);

// The bridge with clearance. Per corner walking backward, C the current
// section and P the one after it (direction 0) or before it (direction 1),
// so that both meet at the corner:
//   direction 0: C's forward prolongation meets IN at X, |Xa| >= 1.61 s and
//     |Xb| > 2 s: node at C's end on C and P, edge (b, it, 0), node at X on
//     IN (and IP at IN's start), edge (outer, inner, 0); else IP's forward
//     prolongation meets P at X and IP's end lies more than 2 s from b: node
//     at X on P, edge (b, it, 0), node at IP's end on IP and IN, edge
//     (outer, inner, 0);
//   direction 1: IN's backward prolongation meets P at X, |Xa| >= s - eq and
//     IN's start more than 2 s from b: X projected onto b's loop and walked
//     back along it by w = 2 s (C's length + s when that is no more), a node
//     there, edge (b, it, 1); node at IN's start on IN and IP, edge (outer,
//     inner, 1).
COffsetNode* bridgeToInnerLoopWithClearance(COffsetLoop* inner, COffsetNode* a, COffsetNode* b, double spacing,
                                            std::uint8_t direction, CFHCircuitLayout& layout);

// The bridges as above, passing over a corner where the pipe would turn
// sharper than kSharpestPipeCorner (PipeCorners.h) while another corner
// serves (the first one found is made when none does): where it leaves the
// outer loop (walked with the direction byte) and, unless innerWalk is -1,
// where it goes on along the inner loop, walked forward for innerWalk 1 and
// backward for 0. The spiral's own calls.
COffsetNode* bridgeToInnerLoop(COffsetLoop* inner, COffsetNode* a, COffsetNode* b, double spacing,
                               std::uint8_t direction, CFHCircuitLayout& layout, int innerWalk);
COffsetNode* bridgeToInnerLoopWithClearance(COffsetLoop* inner, COffsetNode* a, COffsetNode* b, double spacing,
                                            std::uint8_t direction, CFHCircuitLayout& layout, int innerWalk);
