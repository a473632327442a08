// The order of the zones of a drawn circuit, which the read-back of a
// design rebuilds from the drawn supply and return (CFHCircuitReadBack.h):
// the circuit's path enters its zones in list order on its way out (the
// walk of a link goes into the next zone and comes back), so the order the
// water reaches them in along the supply, then along the return, is the
// list the design drew. The zones' numbers say nothing of it: the dialog
// numbers zones freely, also a joined zone below the zone it joined.
//
// A side's lead, the stretch from the manifold to the wall of the first
// zone, may pass through another zone of the circuit on its way (a
// corridor the distribution pipe crosses, joined to the circuit later): the
// first zone is the one at the circuit's connection point (where its
// distribution route meets its first zone, "_PT_X_CD_DINS1"), and the
// others are ordered by their crossings beyond the leads.
//
// Pure functions of the zones' as-drawn loops and the curves; the command's
// thread. Tolerances: workTol for crossings, manifoldConnectionTol for a
// connection point on a wall.
#pragma once

#include <vector>

class CFHZoneEntry;
class CFloorHeatingCurve;
class XtGePoint2d;

// A drawn side of a circuit as the order reads it: the curve, the parameter
// of its end at the manifold, and its lead: crossings whose parameter lies
// within `lead` of that end are passed over (negative: none is).
struct DrawnCircuitSide {
  const CFloorHeatingCurve* curve = nullptr;
  double manifoldEnd = 0.0;
  double lead = -1.0;
};

// The zones in the order the water reaches them: by their first crossing
// (of the working loop) along the supply from its manifold end, then the
// zones the supply does not reach (it may end before the link to them) by
// their first crossing along the return in its flow, towards its manifold
// end; crossings within a side's lead are passed over. Stable: zones that
// neither side crosses keep their order. A zone without a boundary is
// crossed by neither.
std::vector<CFHZoneEntry*> zonesInFlowOrder(std::vector<CFHZoneEntry*> zones, const DrawnCircuitSide& supply,
                                            const DrawnCircuitSide& returnSide);

// The zone whose as-drawn wall holds the connection point: of the zones
// within manifoldConnectionTol of it, the nearest; of zones equally near
// (within 100 x workTol: walls drawn on one line, a lead that passes
// through one to reach the other), the later in `flowOrdered`. Null when no
// zone is that near.
CFHZoneEntry* zoneAtConnection(const std::vector<CFHZoneEntry*>& flowOrdered, const XtGePoint2d& point);
