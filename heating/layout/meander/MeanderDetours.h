// The bare parts of a laid meander filled with hairpins.
//
// The runs of a meander are stacked from the two sides of the zone's box and
// joined along the first offset loop; the steps that make the pipe keep its
// spacing cut pockets and shorten hairpins. Beside a side wall that slants or
// bows into the room, in an arm of the zone (a T's stem, an L's arm beside
// the runs' ends), or where a pocket was cut, that may leave a wide part of
// the heated area farther than kBareReach s from the pipe (MeanderCoverage.h).
// Such a part gets a detour: the path leaves its way at two places A and B,
// where it crosses two lines one spacing apart (A on the one, B on the other,
// one right after the other along the path and at most kMaxReplaced s
// apart), for a hairpin: a leg from A into the bare part, a turn square to
// the legs, a leg back to B; the path between A and B is no longer laid.
// The legs run along the runs (either way) where such a hairpin is found,
// else across them. They stand where the pipe beside them keeps the rhythm
// of the runs (s from the nearest pieces along them) or, every s/4, wherever
// the hairpin reaches the bare part, leave the path at no sharper angle than
// 45 degrees, and go as deep as the hairpin keeps the spacing from the rest
// of the path (MeanderPipeSpacing.h; the full spacing even in the middle
// gap, whose runs a foot leaves at least s long on either side) and lies
// within the first loop's area. Of the hairpins found that reach the bare
// point farthest from the pipe, the one that leaves the fewest bare points
// is taken; then the pipe is read again. A bare point no hairpin reaches is
// let be.
//
// The path's leads are never left. A layout whose pipe covers its heated area
// is not touched.
//
// Bounds: at most kMaxDetours hairpins and kMaxTargets bare points looked at
// per layout. Threads: the layout's design thread.
#pragma once

#include <cstddef>
#include <limits>

class MeanderCoverage;
class MeanderPath;

// A point farther than this many spacings from the pipe is bare.
inline constexpr double kBareReach = 1.4;

struct MeanderFill {
  int laid = 0;            // hairpins laid
  std::size_t bare = 0;    // bare points left (wide parts only)
  double length = 0.0;     // the path's length when done
  double farthest = 0.0;   // the farthest from the pipe of those left in parts 1.25 s wide
  // The distance of the pipe's nearest pair too near each other (infinity
  // for none): left to the caller to tell.
  double nearest = std::numeric_limits<double>::infinity();
};

// Fills the bare parts of the path as above.
MeanderFill fillMeanderGaps(MeanderPath& path, const MeanderCoverage& coverage);
