// The straight runs of a meander: the zone's bounding rectangle in the frame
// of the base edge (curvesOrientedBox), the border bands the runs cross at
// half spacing (meanderBandLoops), and the runs themselves, stacked from both
// sides of the rectangle towards its middle (placeMeanderRuns).
//
// Frame: origin at the base curve's start point, x axis along its unit
// direction, y axis that direction turned by +90 degrees. Line 1 and line 2
// are the rectangle's sides across the base (parallel to y); with the
// orientation set, line 1 is the side of the larger x, otherwise the sides
// swap. The runs are parallel copies of them; n points from line 1 to line 2.
//
// Ownership: every line and loop made here belongs to the caller (unique
// pointers). Threads: pure functions of their inputs; any thread.
// Tolerances: the band test uses workTol (runCrossesBand); the placement
// rules compare distances with a margin of 1e-9 s, so that the thresholds of
// exact inputs (L = 700 with s = 200) hold in any unit.
#pragma once

#include "heating/layout/LayoutSegmentTags.h"

#include "heating/curves/CFloorHeatingLine.h"

#include <cstdint>
#include <memory>
#include <vector>

class CLoop;
class CLoopElement;
class COffsetLoop;

// The most runs one meander places; a zone that would need more is refused.
inline constexpr std::size_t kMaxMeanderRuns = 100000;

// The rectangle of the loop's item curves in the frame of the base item:
// each item's start and end points, and for an item that is still an arc its
// extreme points along the frame's axes. line1 and line2 receive the two
// sides across the base (start on the base side, end on the far side), no
// source, tag kTagMeanderSide. False, outputs untouched, when baseItem or its
// curve is missing, the base has no direction, or the loop has no curve.
bool curvesOrientedBox(const CLoop& loop, const CLoopElement* baseItem, std::unique_ptr<CFloorHeatingLine>& line1,
                       std::unique_ptr<CFloorHeatingLine>& line2, bool orientation);

// Whether an edge at the angle a (counter-clockwise from the base direction,
// in [0, 2 pi)) runs across the base closely enough to carry a border band in
// a meander: pi/4 < a < 3 pi/4 or 5 pi/4 < a < 7 pi/4, each bound excluded
// (within 1e-9 rad, so that an edge drawn at exactly 3 pi/4 makes no band).
// The offset levels of a meander take their band limits by the same rule.
bool isMeanderBandAngle(double a);

// A border band of a meander: the points within `width` of the boundary
// item from a to b (its chord for an arc).
struct MeanderBandEdge {
  XtGePoint2d a;
  XtGePoint2d b;
  double width = 0.0;
};

// The band loops of a meander, owned, with a plain view for runCrossesBand,
// and the bands as edges with their widths.
struct MeanderBands {
  std::vector<std::unique_ptr<COffsetLoop>> owned;
  std::vector<COffsetLoop*> loops;
  std::vector<MeanderBandEdge> edges;
};

// A wall beside a jog of the zone's outline (a side shorter than the
// zone-bound tolerance between two longer walls): the runs stand at their
// spacings from the outline's extreme, the first loop at d0 from each wall,
// so that beside the wall on the jog's inner side the first run comes
// nearer the first loop by the jog. A point within `reach` of the wall
// (d0 + s + the jog) may lie `least` (s less the jog) from another.
struct MeanderJogWall {
  XtGePoint2d a;
  XtGePoint2d b;
  double reach = 0.0;
  double least = 0.0;
};

// The walls beside the loop's jogs (straight items shorter than `shortest`
// whose neighbours are not), both neighbours of each, for a first offset d0
// and spacing s.
std::vector<MeanderJogWall> meanderJogWalls(const CLoop& loop, double d0, double s, double shortest);

// One strip loop (COffsetLoop(line, band value)) per item of the loop whose
// band value is above 0 and whose direction lies at a band angle to the
// base's: over the item's curve, or its chord for an item that is still an
// arc. Items without a curve or of no length make none.
MeanderBands meanderBandLoops(const CLoop& loop, const CFloorHeatingCurve& base);

// The runs between the two sides: distances d (from line 1) and d' (from
// line 2) start at d0; pairs from line 1 and line 2 in turn, each pair a run
// at d + s and its partner at d + 2 s (d + s/2 when the run crosses a band),
// while d + d' + 2.75 s <= L; then the tail rules of the leftover (nothing
// below 1.45 s, one run from each side from 2.5 s, in between one run kept
// only with a band partner). n is line 1's direction turned by +90 degrees,
// negated when the orientation is false. The runs come sorted by their
// distance from line 1, nearest first (ties keep their order), each a copy of
// its side line moved along n. False, nothing made, when the spacing is not
// finite and positive, d0 is not finite, or more than kMaxMeanderRuns runs
// would be needed.
//
// The middle gap, when asked for: where the runs stacked from the two sides
// meet, between the last run from line 1 (or d0 from it) and the last run
// from line 2 (or d0 from it), as distances from line 1 along n. It is the
// one place between runs that may be narrower than s (down to s/2), beside
// the half spacings of the bands.
struct MeanderMiddleGap {
  double from = 0.0;
  double to = 0.0;
};
bool placeMeanderRuns(const CFloorHeatingLine& line1, const CFloorHeatingLine& line2, bool orientation, double d0,
                      double s, const std::vector<COffsetLoop*>& bands,
                      std::vector<std::unique_ptr<CFloorHeatingLine>>& runs, MeanderMiddleGap* gap = nullptr);
