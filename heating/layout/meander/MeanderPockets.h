// The narrow pockets of a laid meander, cut off.
//
// The meander's path walks along its first offset loop between its runs.
// Where a walk meets a run at a sharp angle (a wall slanted to the runs),
// runs along a run for a stretch (a wall parallel to the runs, as the notch
// wall of an L, U or T room) or goes into a sharp corner of the loop, the
// pipe comes nearer to itself than the spacing allows (MeanderPipeSpacing.h)
// in a pocket. The pocket is cut off by a straight connector across its
// mouth; the pipe inside it is not laid.
//
// The stretches of walk between two runs are taken one by one, together
// with the run leg before and the run leg after (when the walk meets a run
// there). A stretch whose samples are too near each other is cut at the
// first such pair, then looked at again from the connector on:
// - at a junction with a leg, the square cut is taken when it keeps the
//   spacing: X the first point of the walk, going back from the junction,
//   one spacing from the leg's line (or the walk's far end where it meets
//   the run before at a narrower middle gap, at least s/2 from the line), F
//   the foot of X on the leg, the connector X-F square to the run;
// - otherwise the connector that leaves out the least pipe: its ends at
//   most 6 s beyond the near pair on either side along the stretch, at
//   least a spacing apart, every s/8;
// a connector is taken only when it lies within the first loop's area and
// the pipe within 4 s of it along the path keeps the spacing. A pocket with
// no such connector stays as it is.
//
// A leg shorter than the spacing rule's neighbours (a run's stub between a
// turn and a slanted wall) that meets the walk at a corner sharper than a
// connector's least corner folds the pipe back over itself closer than the
// spacing rule looks: the fold is cut by a connector from the leg's far end
// to the walk, at least s/2 long, sound as above.
//
// Threads: the layout's design thread.
#pragma once

#include <unordered_set>

class MeanderPath;
struct COffsetEdge;

// Cuts the pockets of every stretch of walk that holds an edge of `near`
// (or has one of them as the leg before or after it); the number of
// connectors made. Without squareCuts every pocket gets the connector that
// leaves out the least pipe, at a junction with a leg too: the walk into a
// narrow tip beyond the last run stays up to the tip's mouth instead of
// going out with the run's leg.
int cutMeanderPockets(MeanderPath& path, const std::unordered_set<const COffsetEdge*>& near, bool squareCuts = true);

// Cuts the folds of short legs at the walks (above); the number of
// connectors made.
int cutMeanderFolds(MeanderPath& path);
