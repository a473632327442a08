// What a rounded pipe bend keeps clear of: the walls of the zones a circuit
// runs through, each zone with its border width (the first offset of its
// pipe from the walls).
//
// The laid pipe keeps the border width from every wall; a bend that rounds
// one of its corners lies inside the turn, nearer the walls where the turn's
// inside faces a wall: at a reflex corner of the zone (the pipe's corner
// beside it is chamfered at the border width, and a bend of a radius above
// the border width cuts towards the wall's corner) and along a wall that
// bows into the zone. A bend keeps clear when, for every zone, it comes no
// nearer that zone's walls than the lesser of the zone's border width and
// what the corner it rounds keeps (its two straight pieces between the
// tangent points and the corner), less the tolerance: the bends of the
// leads and links, which cross the border on purpose, keep what their
// corners keep.
//
// The distances are measured at samples: kArcSamples along the bend and as
// many along each straight piece, each sample's exact distance to the walls'
// curves (lines and arcs).
//
// Ownership: the outlines are only pointed to; they must outlive the
// object. Threads: a const object may be read by any thread; it is filled
// by one.
#pragma once

#include "platform/ge/XtGePoint2d.h"

#include <cstddef>
#include <vector>

class CLoop;

class BendClearance {
 public:
  static constexpr int kArcSamples = 24;

  explicit BendClearance(double tolerance) : tolerance_(tolerance) {}

  // A zone's walls: its outline (not owned) and its border width. A loop
  // without curves or a border that is not above 0 adds nothing.
  void addZone(const CLoop& outline, double border);
  bool empty() const { return zones_.empty(); }

  // Whether the bend of the radius about `centre`, from tangent point t1
  // through `sweep` radians (signed, counter-clockwise positive) to t2,
  // keeps clear of the walls, for the corner t1 - corner - t2 it rounds.
  bool keeps(const XtGePoint2d& t1, const XtGePoint2d& corner, const XtGePoint2d& t2, const XtGePoint2d& centre,
             double sweep) const;

 private:
  struct Zone {
    const CLoop* outline;
    double border;
  };
  // The least distance from the zone's walls to the samples, stopping early
  // once it is below `enough`.
  static double nearest(const Zone& zone, const XtGePoint2d* samples, std::size_t count, double enough);

  double tolerance_;
  std::vector<Zone> zones_;
};
