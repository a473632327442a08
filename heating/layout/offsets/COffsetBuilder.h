// The inward offset levels of a zone boundary: level 0 at the first offset
// from the boundary, each further level one spacing further in (half a
// spacing per level for a curve whose band limit has not been passed). Each
// level is a list of closed COffsetLoops of straight sections, counter-
// clockwise; a level falls apart into several loops where the zone narrows.
//
// A level after the first tessellates only the part of its joined polygon
// that can shape loops inside the level before, and the whole polygon when
// the part's contours come near that level (OffsetPolygonReduction.h): the
// kept loops are the same, with fewer crossings for the tessellator.
//
// Input: a closed chain of heating curves in counter-clockwise order (each
// curve's end the next one's start), as the zone boundary prepares it. The
// builder first makes the chain straight (OffsetLevelSteps.h: arcs become
// short chords, polylines their pieces), so that arcs of any size offset
// soundly. Levels at a positive distance lie inside the zone.
//
// Refusals (no level at all): no curves, a first offset or spacing that is
// negative or not finite, and a clockwise chain (its levels would lie
// outside the zone). The build ends quietly, keeping the levels made so far,
// when a curve has no offset at a level, when the tessellation fails, when
// no loop of a level lies inside a loop of the level before (a loop of a
// level after the first whose mean width is below s/1000 counts as none: a
// sliver that a few micrometres more of the zone's width make out of a loop
// of no width, which would flip the layout's runs), after the first
// level when the spacing is below workTol's point value (so spacing 0 gives
// exactly one level), and after at most (extent of the boundary) / (s/2) + 2
// levels (every level lies at least half a spacing inside the one before),
// never more than kMaxOffsetLevels.
//
// Ownership: the builder points to the caller's curves and limits (not
// owned; they must outlive it). The levels belong to the caller, who frees
// them with deleteLoopListsAndClear.
//
// Tolerances: workTol and workTolFine (set by the command); fixedTolFine for
// the turn at a joint. Threads: buildLoops keeps no state; one builder may
// be used by one thread at a time, and builders on different threads share
// nothing (each level has its own tessellator).
#pragma once

#include "heating/layout/offsets/COffsetLoop.h"

#include <vector>

class COffsetBuilder {
 public:
  using Level = std::vector<COffsetLoop*>;

  // The boundary curves with the first offset and the spacing; no limits.
  COffsetBuilder(const std::vector<CFloorHeatingCurve*>& curves, double firstOffset, double spacing);

  // Keeps the band limits (one per curve) when they are given and have as
  // many entries as the curves; otherwise the builder has no limits.
  void setEdgeLimits(const std::vector<double>* limits);
  bool hasLimits() const { return limits_ != nullptr; }

  // The offset of curve i at level k: d = first offset; per level d grows by
  // s/2, and by s/2 again unless the builder has limits and d <= L[i]. So
  // without limits d = d0 + k x s.
  double levelDistance(int i, int k) const;

  // Frees what `levels` still holds (deleteLoopListsAndClear), then appends
  // one level after another until a stop condition holds (see above).
  void buildLoops(std::vector<Level*>& levels) const;

  // When set, the pieces of each level would be drawn for debugging; nothing
  // sets it, and the builder draws nothing.
  bool debugDrawing = false;

 private:
  // The distance one level further in than d, for a curve with limit L.
  double nextDistance(double d, double limit) const;

  const std::vector<CFloorHeatingCurve*>* curves_;
  double firstOffset_;
  double spacing_;
  const std::vector<double>* limits_ = nullptr;
};

// The most levels one build makes.
inline constexpr int kMaxOffsetLevels = 100000;
