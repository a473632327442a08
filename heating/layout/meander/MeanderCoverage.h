// How well a laid meander's pipe covers its heated area: the area inside its
// first offset loop (the zone inside its first offset), and the points of it
// that lie farther than a reach from every piece of the pipe.
//
// The area is read along lines parallel to the runs, kRowsPerSpacing to a
// spacing across them: on each line the heated stretches (inside the loop,
// by the even-odd rule over its straight sections) less the stretches within
// the reach of a pipe piece (the line's cut through the piece's capsule,
// exact) leave the bare stretches. A line along the runs meets a leg's
// capsule only where the leg stands, so the reading costs about the pipe's
// piece count times the rows a capsule spans, not the area.
//
// Where the pipe leaves bare stretches, their points every s / kRowsPerSpacing
// (on the lattice of that step, so that the points do not depend on where
// the outline starts) are the bare points. A bare point counts only where
// the area is wide: when it lies kWide s / 2 or more inside the loop, or
// within kWide s / 2 of a point that does. A narrower part beyond the pipe
// (a tip past the last run that fits, a sliver beside a wall) holds no
// hairpin and is let be.
//
// Values only: the loop and the pipe are read when asked and not kept.
// Bounds: at most kMaxRows lines (fewer, farther apart, across a wide
// zone) and kMaxBarePoints bare points. Threads: any; nothing shared.
#pragma once

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

#include <cstddef>
#include <utility>
#include <vector>

class CLoop;

class MeanderCoverage {
 public:
  static constexpr int kRowsPerSpacing = 8;
  static constexpr double kWide = 1.0;
  static constexpr std::size_t kMaxRows = 20000;
  static constexpr std::size_t kMaxBarePoints = 20000;

  // A straight piece of the pipe.
  using Segment = std::pair<XtGePoint2d, XtGePoint2d>;

  struct BarePoint {
    XtGePoint2d at;
    double distance = 0.0;  // to the nearest piece of the pipe
    // Its place on the lattice (row, point along it): an order of the points
    // that does not depend on how the zone's outline was drawn.
    long row = 0;
    long column = 0;
  };

  // The heated area of the loop for the spacing, read along lines parallel
  // to runDirection (any length). Unusable for a loop of fewer than three
  // sections, a spacing that is not finite and positive, or no direction.
  MeanderCoverage(const CLoop& loop, const XtGeVector2d& runDirection, double s);

  bool usable() const { return usable_; }
  double s() const { return s_; }

  // The points of the heated area farther than `reach` from every segment,
  // with their distances, wide or not; empty when the pipe covers the area.
  std::vector<BarePoint> barePoints(const std::vector<Segment>& pipe, double reach) const;
  // Whether the point lies in a wide part of the area (the bare points that
  // count), or in a part at least `width` across.
  bool wide(const XtGePoint2d& p) const;
  bool wide(const XtGePoint2d& p, double width) const;
  // Whether any point of the heated area may lie farther than `reach` from
  // every segment (wide or not): the quick test before barePoints, false
  // only when none does.
  bool anyBare(const std::vector<Segment>& pipe, double reach) const;

  // The distance from p to the nearest loop section.
  double depth(const XtGePoint2d& p) const;

 private:
  struct Interval {
    double lo, hi;
  };
  // Intervals per row, row after row: those of row j from first[j] to
  // first[j + 1], sorted by lo.
  struct Rows {
    std::vector<Interval> items;
    std::vector<std::size_t> first;
  };
  // The bare intervals of row j (along-coordinates), into out.
  void bareOfRow(std::size_t j, const Rows& covered, std::vector<Interval>& out) const;
  // The covered intervals of every row (of every stride-th, the others
  // left empty).
  Rows coveredRows(const std::vector<Segment>& pipe, double reach, long stride = 1) const;
  // Whether p lies in a heated stretch of its nearest row.
  bool inside(const XtGePoint2d& p) const;

  XtGePoint2d toWorld(double along, double across) const {
    return XtGePoint2d(run_.x * along + across_.x * across, run_.y * along + across_.y * across);
  }

  bool usable_ = false;
  double s_ = 0.0;
  XtGeVector2d run_;
  XtGeVector2d across_;
  double rowStep_ = 0.0;
  double acrossFrom_ = 0.0;
  // The loop's sections in frame coordinates (along, across).
  std::vector<std::pair<XtGePoint2d, XtGePoint2d>> sections_;
  // The heated intervals of each row.
  Rows heated_;
  std::size_t rows_ = 0;
};
