// The stretches of narrow loop sections still free for pipe. Every section of
// a COffsetNarrowLoopSection has a record of the parameter intervals of its
// curve that no pipe has taken yet; a pipe laid beside them takes a window:
// the strip 0.75 x spacing to either side of the pipe's chord, reaching one
// spacing beyond its ends. The spiral's detours ask for the next free
// stretch of a record and cut the window of every detour they lay.
//
// Records: resetFreeIntervals makes one per section, in section order.
// Intervals are in the curve's own parameter (a line runs from 0 to 1) with
// the tolerance 1e-12; lengths are along the curve (workTolFine). A record
// whose section is wholly taken becomes inactive; its intervals no longer
// count.
//
// Tolerances: points are classified against a window with the `tol` given;
// the minimum length of a kept piece allows 3 x workTol's point value less.
// Bounds: a window test samples a section at most kMaxWindowSamples times.
// Threads: a narrow loop section belongs to one design thread.
#pragma once

#include "heating/layout/offsets/COffsetNarrowLoopSection.h"
#include "platform/ge/XtGeLineSeg2d.h"

// The most points at which one section is sampled against a window.
inline constexpr int kMaxWindowSamples = 100000;

// Replaces the records by one active record per section, in section order,
// and stores the spacing: a section at least spacing - 0.5 x workTol's point
// value long is free over its whole parameter interval; a shorter one (or
// one without a bounded curve) gets an inactive record without intervals.
void resetFreeIntervals(COffsetNarrowLoopSection& narrow, double spacing);

// Whether any record is still active.
bool hasActiveSection(const COffsetNarrowLoopSection& narrow);

// Takes the cut out of every free interval of the record; a piece left over
// stays only when it is at least minimumLength - 3 x workTol's point value
// long on the record's curve. A cut that is not bounded and finite, or a
// record without a section curve, changes nothing.
void subtractInterval(COffsetFreeIntervals& record, const XtGeInterval& cut, double minimumLength);

// Cuts the window around the chord of the curve over the interval from every
// active record (minimum length the narrow section's spacing). Per record,
// the start and end of its curve are classified against the window:
//   both inside, or inside and on      the record becomes inactive;
//   on and outside                     the curve is sampled (every 0.001 of
//                                      the usable unit factor, at most
//                                      kMaxWindowSamples) and cut as below
//                                      only when an inner sample is inside;
//   outside and outside                between the first two crossings;
//   outside and inside (inside and     from the first crossing to the end
//   outside)                           (from the start to the first one);
//   on and on                          nothing.
// Crossings are taken in the order of their parameter on the record's curve;
// one at an end that lies on the window does not count. A chord of no
// length (workTol), an interval that is not bounded and finite, or a spacing
// that is not positive cuts nothing.
void cutWindow(COffsetNarrowLoopSection& narrow, const CFloorHeatingCurve& curve, const XtGeInterval& interval,
               const XtGeTol& tol);

// The window of a pipe segment lying on the section at the index: the
// segment's parameters on the section's curve (ascending) give the window
// (workTol). Then lines from the segment's two ends to their closest points
// on `curve` (the path piece the detour leaves) are laid over every section:
// where both meet its curve, the stretch between the two meeting points is
// cut as well. Nothing for an index out of range.
void cutWindowAlongSegment(COffsetNarrowLoopSection& narrow, const CFloorHeatingCurve& curve, int sectionIndex,
                           const XtGeLineSeg2d& segment, const XtGeTol& tol);

// A free stretch: its parameter interval on the record's curve and its two
// end points in walking order.
struct FreeStretch {
  XtGeInterval interval{0.0, 0.0, 1e-12};
  XtGePoint2d first;
  XtGePoint2d second;
};

// The next free stretch of the record at the index within the interval:
// the record's free intervals are taken from the last backwards (forward
// false) or from the first forwards, each intersected with the interval;
// the first overlap at least half a spacing long along the curve gives the
// stretch. Backwards it starts at the overlap's upper bound and reaches one
// spacing back along the curve, not below the overlap's lower bound;
// forwards it starts at the lower bound and reaches one spacing on. False,
// stretch untouched, for an index out of range, an inactive record or no
// such overlap.
bool nextFreeStretch(const COffsetNarrowLoopSection& narrow, int recordIndex, const XtGeInterval& interval,
                     bool forward, FreeStretch& stretch);
