// What the zone side pass needs of the distribution pipes: the end points of
// their line segments. The design model's pipe network (heating/design,
// CFHPipeNetwork) answers it; the zone boundary is handed it when a
// distribution pipe starts inside the zone (CFHZoneBoundary::pipeNetwork), so
// that the curve model never reaches up into the design. Tests may hand in a
// fake.
//
// Ownership: the boundary only points at its source, which outlives it.
//
// Threads: design threads ask while the command's thread may change the
// pipes; a source copies the points out under its own lock.
#pragma once

#include "platform/ge/XtGePoint2dArray.h"

class CFHPipeSegmentSource {
 public:
  // Empties `points` and fills it with the start and end point of every line
  // segment of the pipes (arcs are passed over), each point once (workTol).
  // Answers `points`.
  virtual XtGePoint2dArray& segmentEndPoints(XtGePoint2dArray& points) const = 0;

 protected:
  // Never deleted through this interface.
  ~CFHPipeSegmentSource() = default;
};
