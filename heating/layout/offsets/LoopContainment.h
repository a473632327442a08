// Fast position of many points against one loop of straight sections: the
// acceptance test of the offset levels classifies thousands of samples
// against every loop of the level before.
//
// The answers are those of CLoop::classifyPoint for such a loop: on the loop
// when the point lies within the tolerance's point value of a section,
// otherwise inside or outside by the parity of the crossings of a ray along
// +X (counted with the half-open rule, so a vertex on the ray counts once
// and a section along it not at all, which is what turning the ray gives).
//
// The sections are sorted into horizontal bands, so a query looks only at
// the sections of its band. Building allocates once per loop; a query
// allocates nothing. Threads: built by one thread, then only read.
#pragma once

#include "heating/curves/CLoop.h"

#include <vector>

class LoopContainment {
 public:
  // Indexes the loop's sections. False, and the index unusable, when a
  // section is not a straight segment or a coordinate is not finite: the
  // caller then asks the loop itself.
  bool build(const CLoop& loop, const XtGeTol& tol);
  // CLoop::kInside, kOutside or kOnLoop (see above). Only after build
  // answered true.
  int classify(const XtGePoint2d& p) const;
  // Whether the segment a-b keeps more than `margin` away from every section
  // (so it lies wholly inside or wholly outside the loop). Only after build
  // answered true.
  bool isClearOf(const XtGePoint2d& a, const XtGePoint2d& b, double margin) const;
  // A point on the loop: the start of its first section.
  const XtGePoint2d& anchor() const { return segments_.front().a; }

 private:
  struct Segment {
    XtGePoint2d a;
    XtGePoint2d b;
  };
  int bandOf(double y) const;

  std::vector<Segment> segments_;
  // The sections of band k are bandItems_[bandStart_[k] .. bandStart_[k + 1]).
  std::vector<int> bandStart_;
  std::vector<int> bandItems_;
  double y0_ = 0.0;
  double bandHeight_ = 1.0;
  int bands_ = 0;
  double tol_ = 0.0;
};
