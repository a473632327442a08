// How near the centre turn of a spiral, and its level steps, come to the
// rest of its pipe.
//
// The turn is the stretch of the path the spiral lays at its centre, where
// the in-run becomes the out-run: the pieces of the edges flagged
// kEdgeCentreTurn. Two points of the pipe more than 2 s apart along it must
// lie at least s apart, except that within the turn itself (both points on
// it) the pipe may come down to s/2: the turn is a hairpin round what is left
// at the centre. The measure is the worst ratio of a distance to what it
// must be, for every point of the turn (sampled every s/8 and at its pieces'
// ends) against the exact nearest point of every other piece, that piece cut
// to the part of it more than 2 s along the path from the point. 1 or more:
// the turn keeps its clearance; 0: it meets the pipe.
//
// Bounds: a path of more than kMaxPieces pieces, or a turn of more than
// kMaxSamples samples, is not measured. Allocates its work lists per call,
// never per point.
//
// Threads: reads the layout; the calling thread's.
#pragma once

#include <cstddef>

struct CFHCircuitLayout;

inline constexpr std::size_t kTurnClearanceMaxPieces = 1u << 16;
inline constexpr std::size_t kTurnClearanceMaxSamples = 1u << 14;
// How far along the pipe, in s, a level step's neighbours reach.
inline constexpr double kLevelStepReach = 3.0;

struct TurnClearance {
  // The worst ratio as above. Negative when the graph is not one path from
  // firstEdge to lastEdge, an edge path fails, a bound is passed, or no
  // edge is flagged.
  double ratio = -1.0;
  // The length of the path (0 when it is not one path).
  double pathLength = 0.0;
};

TurnClearance centreTurnClearance(const CFHCircuitLayout& layout, double s);

// The same measure for the pieces of the level steps (the edges flagged
// kEdgeLevelStep), each held to s against every other piece, a step's too,
// cut to the part more than kLevelStepReach s along the path from the point
// (a step and the corner its run turns right after it lie within that): a
// small ratio is a step across the other run's loop right beside where
// that run's pipe goes on.
TurnClearance levelStepClearance(const CFHCircuitLayout& layout, double s);
