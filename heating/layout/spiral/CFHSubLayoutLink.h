// The link of one sub-area of a spiral to the main path: where the main
// in-run leaves its loop towards the sub-area (entry) and where it comes
// back (exit), one spacing further along that loop.
//
// The entry and exit lie on the main in-run end's loop L, between the in-run
// end and one sub-area spacing s' short of the out-run end (in direction d).
// Each section of the sub-area's first loop gives a probe of 1.5 s' beyond
// the section (back from its start when d, on from its end when !d); of
// their farthest meetings with L (from the out-run end) the one farthest
// along L from the in-run end, still short of that limit, is X. The entry is
// s' back from X; when the corner of L behind X is nearer than s', the entry
// is that corner and X moves on by the rest. The exit is X. An exit short
// of a square corner of L (a turn of 45 degrees or more) whose lead-out (the
// exit to the lobe's nearest point) comes nearer than s' to L's section
// beyond that corner moves back along L with the entry until it keeps s'.
// An entry not at such a corner (a bend of a few degrees, as a round wall's
// polygon has, counts as none) that lies nearer than s' to the lead-out
// (slanted where the lobe's corner is acute) moves further back along L,
// never past the in-run end, until it lies s' from it. Last, for such an
// entry too, where the lead-in (from the entry parallel to the lead-out)
// slants back towards the run that comes along L to the entry and, beyond
// the first 2 s' of pipe round the entry, comes nearer than s' to it, the
// entry and the exit move back along L together (s'/8 at a time, never
// past the in-run end, at most 2 s') to the first place where it keeps s';
// none: they stay.
//
// Ownership: the link points to the sub-area record, which the main
// record's subAreas list owns. Threads: the main record's design thread.
#pragma once

#include "platform/ge/XtGePoint2d.h"

#include <vector>

struct CFHCircuitLayout;
struct COffsetEdge;
struct COffsetNode;

struct CFHSubLayoutLink {
  // Places the link (see above). A link that cannot be placed (no owner loop
  // of inEnd, no first loop of the sub-area, no probe meeting in the allowed
  // stretch, a walk that fails) is not usable.
  CFHSubLayoutLink(const COffsetNode& inEnd, const COffsetNode& outEnd, CFHCircuitLayout* subLayout, bool d);

  // Lays the sub-area: gives it two new pipe-end records (flag 0) at the
  // entry and the exit, kept in its own pipeEnds, and runs its spiral. False
  // when the link is not usable, the spiral fails or leaves no path from
  // firstEdge to lastEdge. Otherwise `first` is the node of its firstEdge at
  // the entry and `last` the node of its lastEdge at the exit, all its edges
  // and nodes move into the given lists (the sub-area's lists are emptied,
  // nothing deleted) and its firstEdge and lastEdge become null. Its loops
  // stay its own: the caller hands them over (handOverLoopsTo).
  bool runSpiral(COffsetNode*& first, COffsetNode*& last, std::vector<COffsetNode*>& nodes,
                 std::vector<COffsetEdge*>& edges);

  XtGePoint2d entryPoint;
  XtGePoint2d exitPoint;
  CFHCircuitLayout* subLayout = nullptr;
  bool usable = false;
};
