// The sections of a loop that run beside a piece of laid pipe: for each, the
// stretch of the piece it faces. The spiral's detours use it to find the
// uncovered pieces of loops (narrow loop sections among them) that lie
// across from a path piece.
//
// Ownership: the record only points to the piece and the loop, which must
// outlive it. Threads: no state; the piece and the loop are only read.
#pragma once

#include "platform/ge/XtGeInterval.h"
#include "platform/ge/XtGeTol.h"

#include <vector>

class CFloorHeatingCurve;
class COffsetLoop;

struct ParallelSections {
  // One section beside the piece.
  struct Entry {
    int section = -1;       // its position in the loop
    bool against = false;   // it runs against the piece (else alongside)
    double distance = 0.0;  // from the piece's shortened copy (see parallelSectionsOf)
    XtGeInterval interval;  // the parameters of the piece that face it
  };

  const CFloorHeatingCurve* piece = nullptr;
  const COffsetLoop* loop = nullptr;
  double distance = 0.0;
  // The parameter on the piece of the piece's start projected onto the loop
  // and back: where along the piece the loop first lies across.
  double key = 0.0;
  std::vector<Entry> entries;
};

// Fills `out` (emptied first) for the piece A against the loop at about the
// distance d. The piece's copy shortened by d at both ends stands for it
// (its midpoint when A is not longer than 2 d; A's direction stays the
// direction of the tests). A section counts when it runs alongside A or
// against it within pi/4, faces the copy (isPerpendicularFoot from the
// copy's start or end to the section with A's direction, else from the
// section's start or end to the copy with the section's direction, the foot
// away from the point by more than workTol), and lies at least 0.5 d from
// the copy; far sections across the loop are entries too. Its entry's
// interval is the first run of A's points, taken every 0.01 drawing unit
// factor along A (at most 100,000 steps), whose projections lie on the
// section; a run of no length gives no entry. Entries follow the loop's
// order, except that when the first runs against A they are sorted stably
// by their interval's lower bound. True when there is an entry. `tol` is
// that of the perpendicular tests.
bool parallelSectionsOf(ParallelSections& out, const CFloorHeatingCurve& a, const COffsetLoop& loop, double d,
                        const XtGeTol& tol);
