// The hairpins of a laid meander that come too near a walk elsewhere on the
// path, shortened.
//
// A hairpin is a leg down a run from the first offset loop, a turn across
// (pieces that neither walk nor run along a run; pieces of no length passed
// over) and a leg back up the neighbouring run. A walk along a wall parallel
// to the runs between two parts of the zone (the end wall of a U room's
// notch, the walls of a T room's stem) may pass a leg of a hairpin that
// comes down from the far side nearer than the spacing allows, where no
// junction can be cut (MeanderPockets.h). The hairpin is then shortened: its
// turn moves up its legs, every s/8, from the depth of its shallowest leg
// sample too near a walk to the deepest place where the legs left and the
// new turn, square to the runs, keep the spacing from the rest of the path
// and the turn lies within the first loop's area. A hairpin with no such
// place stays as it is, and each hairpin is tried once.
//
// The whole path is sampled once per round and the hairpins found in it are
// shortened from the last on the path to the first, so that the path's
// pieces before each stay as they are; a round that shortens nothing ends.
// Bounded by 256 rounds. Threads: the layout's design thread.
#pragma once

#include <cstdint>

class MeanderPath;

// Shortens the hairpins as above; the number shortened.
int shortenMeanderHairpins(MeanderPath& path);

// Takes out every hairpin with a leg that runs beside a walk (nearer than the
// spacing allows over two spacings of its length, the walk within 12 degrees
// of the leg: a wall along the runs, as an arm's side or a bowed wall): the
// path walks along the first loop (in the direction given, the chain's) from
// the top of its one leg to the top of the other instead; a hairpin whose
// legs do not both leave the first loop stays. The bare floor it leaves is
// for the hairpins of the detours (MeanderDetours.h), which may hang from
// either side. Rounds as above; the number taken out.
int dropMeanderHairpinsNearWalks(MeanderPath& path, std::uint8_t direction);
