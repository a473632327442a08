// The spacing rules the laid pipe is held to, named once: how near along
// the pipe two of its points may be before they are no longer judged (too
// near along the pipe), the margin of the spacing, where half a spacing is
// enough, when two pieces fold back over each other, and how clear of
// itself the pipe must keep (its clearance). The layout steps that lay and
// check the pipe and the test-side layout checker read them from here.
//
// Two rules of different measure stand side by side, on purpose:
//   the spacing rule (in spacings s): what a layout promises. Two points of
//     the pipe more than kNeighbourSpacings s apart along it lie at least
//     (1 - kSlack) s apart, or (kNarrowedSpacing - kSlack) s where the runs
//     stand half a spacing apart (the meander's middle gap and border bands,
//     the spiral's centre turn); the first and the last kEndSpacings s of
//     the pipe (beyond its first and before its last piece, for the
//     meander) are not held to each other: supply and return leave their
//     pipe ends at the ends' own pitch. Used by the meander's spacing search
//     and its edits (MeanderPipeSpacing, MeanderPathEdits, MeanderDetours),
//     the spiral's centre turn clearance (CentreTurnClearance) and the
//     layout checker (tests/heating/layout/LayoutChecker).
//   the clearance (in pipe outer diameters d): what the design refuses to
//     draw (warning 9005). No two points of the pipe come nearer than d
//     unless they lie within kClearanceNeighbourDiameters d of each other
//     along it and draw apart no slower than a corner of
//     kClearanceSharpestCornerDegrees allows (PathSpacingCheck.h); d is the
//     zone's pipe diameter, kDefaultPipeDiameterMetres where it names none.
//     Used by the layout's own check of its pipe (LayoutPipeClearance), the
//     check of the laid pipe before drawing (LaidPipeSoundness) and so by
//     the random-room judge's "unsound" rule (tests/heating/design/rooms).
// d is a few hundredths of s, so the clearance only catches crossings,
// overlaps and folds that the spacing rule, which a layout may break where
// a zone is too tight, leaves to it.
//
// A fold is judged three ways, each for its own step:
//   kFoldDegrees (10): two pieces sharing an end with a smaller inside angle
//     fold the pipe back onto itself (the laid path's crossing test,
//     EdgePathTests), and two sides of a spiral loop that run back against
//     each other within it around a short side are unfolded
//     (SpiralPreparation);
//   kClearanceSharpestCornerDegrees (5): the clearance's corner, looser
//     because within its neighbour reach it judges every pair of points by
//     distance, not only shared ends;
//   the meander's new pieces keep their own least corners with the pipe
//     they join: a pocket's connector 30 degrees (MeanderPockets), a
//     hairpin's leg 45 degrees (MeanderDetours); they are laid, not judged,
//     and stay wider than a fold by a margin.
//
// Values only. Threads: any.
#pragma once

namespace spacing_rules {

// ---- The spacing rule (in spacings s) ----
// Points no more than this many s apart along the pipe are neighbours: the
// same run, a turn, a hairpin's bend; they are not judged for their spacing.
inline constexpr double kNeighbourSpacings = 2.0;
// Nearer than (1 - kSlack) s is too near: kSlack s is the margin the
// layout checker judges with.
inline constexpr double kSlack = 0.01;
// Where the runs stand half a spacing apart, the least is this many s (less
// the margin).
inline constexpr double kNarrowedSpacing = 0.5;
// The pipe's head and tail, this many s long, are not held to each other.
inline constexpr double kEndSpacings = 1.0;

// ---- A fold ----
// The sharpest inside angle, in degrees, at which two pieces may leave a
// shared end (or two loop sides run back against each other).
inline constexpr double kFoldDegrees = 10.0;

// ---- The clearance (in pipe outer diameters d) ----
// The pipe's outer diameter where the zone names none: 17 mm, in metres
// (times the drawing unit factor).
inline constexpr double kDefaultPipeDiameterMetres = 0.017;
// Points within this many d along the pipe may come nearer than d while
// they draw apart (a corner, the turn from supply into return).
inline constexpr double kClearanceNeighbourDiameters = 8.0;
// The sharpest corner, in degrees, within that reach.
inline constexpr double kClearanceSharpestCornerDegrees = 5.0;

}  // namespace spacing_rules
