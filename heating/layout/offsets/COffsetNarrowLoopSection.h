// A narrow part of an offset loop, set apart by the offset graph so that the
// spiral can lay a hairpin through it: the part's sections (owned, as any
// offset loop's), the pipe spacing of the layout that uses it, and for every
// section the parameter intervals of its curve that are still free for pipe.
//
// The free-interval records start empty; the offset graph fills them (one per
// section, in section order) and the pipe windows narrow them.
#pragma once

#include "heating/layout/offsets/COffsetLoop.h"

#include "platform/ge/XtGeInterval.h"

#include <vector>

// The still free stretches of one section of a narrow loop section.
struct COffsetFreeIntervals {
  // Parameter intervals of the section's curve (tolerance 1e-12).
  std::vector<XtGeInterval> intervals;
  // False once the whole section is taken.
  bool active = true;
  // The section the record belongs to (owned by the narrow loop section).
  COffsetSection* section = nullptr;
};

class COffsetNarrowLoopSection : public COffsetLoop {
 public:
  COffsetNarrowLoopSection() = default;

  double spacing = 0.0;
  std::vector<COffsetFreeIntervals> freeIntervals;
};
