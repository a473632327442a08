// Thinning runs of consecutive line segments in a curve list with the
// Douglas-Peucker method; other curves (arcs) stay as they are.
#pragma once

#include "geometry/curveList.h"
#include "platform/ge/XtGeTol.h"

#include <vector>

inline constexpr int kRunOfSegments = 22;     // a run of line segments
inline constexpr int kRunOfOtherCurves = 14;  // a run of any other curves

// A run of consecutive pieces of one kind. The run owns its pieces and
// deletes those still in it when it goes.
struct segmentRun {
  segmentRun() = default;
  explicit segmentRun(int runKind) : kind(runKind) {}
  segmentRun(segmentRun&& other) noexcept;
  segmentRun& operator=(segmentRun&& other) noexcept;
  segmentRun(const segmentRun&) = delete;
  segmentRun& operator=(const segmentRun&) = delete;
  ~segmentRun();

  int kind = kRunOfOtherCurves;
  curvePtrArray pieces;
};

// A vertex of a run of segments: its point and the pieces before and after
// it (null at the run's ends). The pieces are carried along for callers and
// not used when the run is rebuilt.
struct runVertex {
  XtGePoint2d point;
  const XtGeCurve2d* before = nullptr;
  const XtGeCurve2d* after = nullptr;
};

// Moves the curves of the list into runs, in order: line segments into runs
// of kind 22, other curves into runs of kind 14. A run of segments also ends
// where a segment does not start at the previous one's end (tol), so that
// thinning never bridges a gap. The list is emptied; null entries are dropped.
void splitIntoRuns(curvePtrArray& curves, std::vector<segmentRun>& runs, const XtGeTol& tol);

// The first piece's start point, then every piece's end point. False for a
// run of fewer than two pieces.
bool runToVertices(const segmentRun& run, std::vector<runVertex>& vertices);

// Douglas-Peucker thinning in place: keeps the first and the last vertex
// and, where some vertex lies farther than tol.equalPoint from the chord,
// the farthest one (the first of equal distances), then thins both halves.
// Works with its own bounded stack, so long runs do not recurse deeply.
void simplifyPolylineDP(std::vector<runVertex>& vertices, const XtGeTol& tol);

// The distance from p to the segment a-b, or to the middle of a and b when
// they are equal under tol.
double pointToChordDistance(const XtGePoint2d& p, const XtGePoint2d& a, const XtGePoint2d& b,
                            const XtGeTol& tol);

// Deletes the run's pieces and makes one line segment for each pair of
// consecutive vertices.
void rebuildRunFromVertices(segmentRun& run, const std::vector<runVertex>& vertices);

// Thins every run of two or more consecutive line segments of the list to
// within tol.equalPoint of its shape; arcs and the ends of every run stay
// exactly where they were. Lists of fewer than two curves stay as they are.
void simplifySegmentRuns(curvePtrArray& curves, const XtGeTol& tol);
