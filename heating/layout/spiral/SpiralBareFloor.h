// Hairpins to the floor a chosen double spiral leaves bare.
//
// The spiral's runs and detours follow the offset loops; where a level
// step, the centre or a lobe leaves a part of the zone between them, its
// loops may lie too far from any piece of the path for a detour along a
// loop to reach (the detours take loop stretches beside a path piece at
// about s, s long or more), and the loops of levels set apart may be gone.
// Here the heated floor itself is looked at: the zone's box in cells s
// wide, a cell whose middle has the pipe within 1.45 s - s/sqrt(2) left
// out (no point of it lies farther), the others sampled every s/4. A
// sample is bare when it lies 1.45 s or more from the pipe (the rule is
// 1.5 s; the samples miss the farthest point by a little) and is heated
// floor: inside the zone, at least the first offset from its wall, and not
// in a part narrower than 1.1 s (some disc 0.55 s across that holds it lies
// 0.55 s deep in the heated area). While bare points are left (at most
// kMostBareFloorHairpins hairpins and kMostBareFloorTries bare points tried;
// a point no hairpin reaches goes with the points within s/2 of it): for a
// bare point Q, the straight path pieces nearest it (the
// leads left out) are tried, nearest first: a hairpin square to the piece
// T, its legs w apart (s, 0.75 s, then s/2) and centred on Q's foot on T
// (moved to fit on T), reaches from T towards Q as far as Q (then s/4
// shorter at a time, not under 0.75 s); the first that keeps clear of the
// pipe and the wall (hairpinKeepsClear: s from the pipe, a little less,
// then, per width, 0.75 s where none keeps s) is put into the path
// (spliceHairpin), and the bare points it reaches go. Its pieces may carry
// the next hairpin on.
//
// Where no floor is bare nothing changes; a pipe that the hairpins made
// cross or meet itself (LayoutPipeClearance.h), or no longer one path, is
// taken back as it was.
//
// Threads: the layout's design thread.
#pragma once

struct CFHCircuitLayout;

inline constexpr int kMostBareFloorHairpins = 256;
inline constexpr int kMostBareFloorTries = 1024;

void layHairpinsToBareFloor(CFHCircuitLayout& layout);
