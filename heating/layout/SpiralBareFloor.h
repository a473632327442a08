// Hairpins to the floor a chosen double spiral leaves bare.
//
// The spiral's runs and detours follow the offset loops; where a level
// step, the centre or a lobe leaves a part of the zone between them, its
// loops may lie too far from any piece of the path for a detour along a
// loop to reach (the detours take loop stretches beside a path piece at
// about s, s long or more). Here the heated floor itself is looked at: the
// given loops are sampled every s/4, and at each sample the point and the
// points s/2 to either side of the loop that are heated floor (inside the
// zone, at least the first offset from its wall, and not in a part narrower
// than 1.1 s: some point 0.55 s farther from the nearest wall lies 0.55 s
// deeper) and lie 1.5 s or more from the pipe are bare. While bare points
// are left (at most kMostBareFloorHairpins hairpins, each bare point tried
// once without success): for a bare point Q, the straight path pieces
// nearest it (the leads left out) are tried, nearest first: a hairpin
// square to the piece T, its legs w apart (s, 0.75 s, then s/2) and centred
// on Q's foot on T (moved to fit on T), reaches from T towards Q as far as
// Q (then s/4 shorter at a time, not under 0.75 s); the first that keeps
// clear of the pipe and the wall (hairpinKeepsClear) is put into the path
// (spliceHairpin). Its pieces may carry the next hairpin on.
//
// Where no floor is bare nothing changes; a pipe that the hairpins made
// cross or meet itself (LayoutPipeClearance.h), or no longer one path, is
// taken back as it was.
//
// Threads: the layout's design thread.
#pragma once

#include <vector>

class COffsetLoop;
struct CFHCircuitLayout;

inline constexpr int kMostBareFloorHairpins = 256;

void layHairpinsToBareFloor(CFHCircuitLayout& layout, const std::vector<const COffsetLoop*>& loops);
