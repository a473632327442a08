// The hairpin detours of the spiral to the pieces of offset loops its two
// runs pass by, and the ray tests that move a detour's ends away from the
// laid pipe.
//
// Coverage: the path is followed from firstEdge to lastEdge and the window
// of every path piece (0.75 s to either side, s beyond its ends) is cut from
// every narrow loop section; a narrow loop section with nothing free left
// goes. Then three blocks of the path are visited: the closing edge, the
// edges from the out-run end out to lastEdge, and the edges from the in-run
// end out to firstEdge (each edge's pieces in path order). For a path piece
// T, from a reference point R that starts at T's start:
//   - the sections of each narrow loop section that run beside T (at about
//     s, parallelSectionsOf) are its items, each with the stretch of T it
//     faces; the records are sorted by key (sortByKeyThenMax). From the
//     second pass on, each item's stretch of T is cut to R ... T's end and
//     its facing interval follows; items left under s/2 go;
//   - per item, the next free stretch A-B of its section (the end nearer
//     T's start first) and the feet P_A, P_B of A and B on T. A stretch
//     whose feet coincide, or whose P_A lies behind R, is passed over. The
//     connectors P_A -> A, A -> B, B -> P_B must keep 0.75 s from the laid
//     pipe (the pipe beside the foot on T left out) and 0.75 x the first
//     offset from the boundary; a candidate that fails moves R on by s;
//   - of the candidates within 2.6 s of the first along T, the one farthest
//     from T (of those as far, the first along T) is laid: its ends may move
//     out by the ray tests, and where its lines come nearer than s to the
//     laid pipe they are drawn back towards T to the first that keeps s
//     (each by multiples of s/16, the least in all first, the legs no
//     shorter than 0.75 s; none: as they are), then the edges
//     K1 -> A -> B -> K2 replace the
//     piece of T between K1 and K2 (the loop's points at P_A and P_B; P_A
//     and P_B themselves on a straight edge), the window of A-B is cut from
//     its narrow loop section and R becomes K2.
// A pass that neither moves R on nor frees anything less ends the piece,
// and a piece has at most |T| / s + 2 (facing length) / s + 2 passes. A
// split of firstEdge leaves firstEdge naming the new first part.
//
// Ownership: the narrow list stays the caller's; new nodes and edges go into
// the layout's lists. Threads: the layout's design thread.
#pragma once

#include "heating/layout/checks/EdgePathTests.h"

#include <vector>

class COffsetNarrowLoopSection;
struct CFHCircuitLayout;
struct COffsetEdge;
struct COffsetNode;

// The detours (above). `closing` may be null.
void layDetours(CFHCircuitLayout& layout, std::vector<COffsetNarrowLoopSection*>& narrows, COffsetNode* inEnd,
                COffsetNode* outEnd, COffsetEdge* closing);

// The curves of the boundary's working loop (none without a boundary).
std::vector<const CFloorHeatingCurve*> boundaryItems(const CFHCircuitLayout& layout);
// How near the wall a detour may come: the first offset less half a
// hundredth of the spacing (the layout checks allow twice as much).
double detourWallClearance(const CFHCircuitLayout& layout);

// Whether the three lines of a hairpin P_A -> A, A -> B, B -> P_B keep
// 0.75 s from the laid pipe (the pipe within 0.75 s of P_A and of P_B left
// out: the legs leave it there) and the larger of 0.75 x the first offset
// and detourWallClearance from the boundary items. `spacings`: the
// clearance from the pipe in spacings instead of 0.75.
bool hairpinKeepsClear(const CFHCircuitLayout& layout, const EdgePathIndex& paths,
                       const std::vector<const CFloorHeatingCurve*>& items, const XtGePoint2d& pA,
                       const XtGePoint2d& a, const XtGePoint2d& b, const XtGePoint2d& pB, double spacings = 0.75);

// The hairpin put into the path: the stretch of the edge's path between
// P_A and P_B (P_A first along it) gives way to the edges K1 -> A -> B ->
// K2, K1 and K2 the points of P_A and P_B on the edge's loop (P_A and P_B
// themselves on a straight edge); the part of the edge before K1 keeps its
// flags and, when the edge was firstEdge, becomes firstEdge. Answers K2.
XtGePoint2d spliceHairpin(CFHCircuitLayout& layout, COffsetEdge& edge, const XtGePoint2d& pA, const XtGePoint2d& a,
                          const XtGePoint2d& b, const XtGePoint2d& pB);

// The ray test of one end of a detour: P on the path piece T, Q the
// detour's end. The ray from Q away from P finds the nearest piece of the
// laid pipe farther than s + workTol's point value and nearer than 2.231 s
// (workTolFine), else farther than 0.75 s and nearer than 2.231 s
// (heatingTolCoarse). At a hit h away, Q' = Q + (h - s) along P -> Q: the
// line P -> Q' must keep 0.75 s from the pipe (the pipe beside its foot on T
// left out) and 0.5 s from the boundary items; then Q becomes Q' and the
// answer is true. False, Q unchanged, when P and Q coincide, no hit
// qualifies or a test fails.
//
// `wallClearance`, when greater than 0.5 s, is the boundary clearance
// instead (the spiral's detours keep the first offset from the wall).
bool castRayPairToPaths(const XtGePoint2d& p, XtGePoint2d& q, const EdgePathIndex& paths,
                        const CFloorHeatingCurve& pathPiece, const std::vector<const CFloorHeatingCurve*>& boundaryItems,
                        double s, double wallClearance = 0.0);

// Both ends at once: rays from A away from P_A and from B away from P_B,
// each to its nearest piece farther than 0.75 s, however far (workTolFine,
// else heatingTolCoarse); A' and B' are s short of the hits. The lines
// P_A -> A', A' -> B', B' -> P_B must each keep 0.75 s from the pipe (the
// first and last with their feet on T left out) and 0.5 s from the
// boundary items; then A and B become A' and B' and the answer is true.
// False, nothing changed, otherwise.
// `wallClearance` as for the single end.
bool castRaysToPaths(const XtGePoint2d& pA, XtGePoint2d& a, const XtGePoint2d& pB, XtGePoint2d& b,
                     const EdgePathIndex& paths, const CFloorHeatingCurve& pathPiece,
                     const std::vector<const CFloorHeatingCurve*>& boundaryItems, double s,
                     double wallClearance = 0.0);
