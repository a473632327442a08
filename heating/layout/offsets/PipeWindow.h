// The window a laid pipe piece takes from the narrow loop sections beside it:
// the strip 0.75 x spacing to either side of the piece's chord, reaching one
// spacing beyond its ends.
//
// windowAround builds it as a closed loop of four lines, which the exact
// tests (classification, crossings) take. PipeWindowFrame is the same strip
// in the chord's own frame: it answers cheaply for points and boxes that lie
// clearly inside or outside it, and leaves the band within its margin of the
// window's sides to the loop. A window is cut from many sections, few of them
// near it, so most answers come from the frame.
//
// Tolerances: the margin is the caller's (at least the tolerance the loop
// classifies with), widened by 1e-12 of the chord's magnitude (coordinates,
// length and spacing) for rounding; within twice the margin of a side the
// loop decides.
// Threads: values only.
#pragma once

#include <cstdint>
#include <memory>

#include "heating/layout/offsets/COffsetLoop.h"
#include "platform/ge/XtGeBoundBlock2d.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeTol.h"
#include "platform/ge/XtGeVector2d.h"

// The window of the chord a-b at spacing s; the lines carry the tag.
std::unique_ptr<COffsetLoop> windowAround(const XtGePoint2d& a, const XtGePoint2d& b, double s, std::uint32_t tag);

class PipeWindowFrame {
 public:
  // The window of the chord a-b at spacing s, its bounds widened by margin.
  PipeWindowFrame(const XtGePoint2d& a, const XtGePoint2d& b, double s, double margin);

  // The point's class against `window` (the loop windowAround made of the
  // same chord and spacing): CLoop::kOutside beyond the margin of the
  // window's sides, CLoop::kInside farther than twice the margin within
  // them, else window.classifyPoint(p, tol).
  int classify(const COffsetLoop& window, const XtGePoint2d& p, const XtGeTol& tol) const;

  // Whether the box lies wholly beyond one side of the widened window, so
  // that nothing in it meets the window. An empty box is never clear.
  bool keepsClearOf(const XtGeBoundBlock2d& box) const;

 private:
  XtGePoint2d origin_;  // the chord's start
  XtGeVector2d along_;  // unit, along the chord
  XtGeVector2d across_;
  double margin_ = 0.0;  // the caller's margin with the rounding
  // The window's bounds in the frame, margin included.
  double alongFrom_ = 0.0;
  double alongTo_ = 0.0;
  double acrossMax_ = 0.0;
};
