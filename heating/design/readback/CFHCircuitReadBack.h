// Rebuilding a circuit of a drawn design from its drawn supply and return
// pipes: the zones in flow order, the distribution route from the manifold to
// the first zone (into the pipe network), the first zone's pipe ends, the
// links of the further zones, and the circuit's values.
//
// The drawn pipes are those the output writes: each side one polyline that
// runs from the manifold outline through its zones (the supply begins at the
// manifold, the return ends there). A circuit whose pipes start inside their
// first zone (a zone round the manifold), or whose side was drawn as several
// polylines, cannot be rebuilt: the reader answers false and the edit command
// leaves it as drawn.
//
// Threads: the command's thread, before any design job (rules T1, T2 of
// CFHModel.h). Tolerances: workTol for points and crossings.
#pragma once

class CFHCircuit;
class CFHEntityInOut;
class CFloorHeatingPolyLine;

// The circuit reader, for a circuit whose zones the caller has given it
// (CFHCircuit::addZone), with its circuit label Lb (may be null), supply S and
// return R records. In order:
//  1. false without S, R or a zone;
//  2. S and R as polylines (a LINE record as a polyline of its segment);
//  3. a and b the supply's and return's points nearest the manifold
//     outline, an end of the side when it comes as near (a side that passes
//     the manifold again, a link through the hall, starts at its end);
//  4. the zones ordered (CircuitFlowOrder.h): first the zone whose wall
//     holds S's connection point "_PT_X_CD_DINS1" (where the circuit's
//     route meets it), else the first the water reaches along the supply
//     from a; then the others as the water reaches them, along the supply
//     and then the return, beyond the leads to the first zone; whatever
//     the zones' numbers, which the dialog may have changed, and whichever
//     way round the supply runs. Each zone's crossing record with the
//     supply, sorted;
//  5. false when the supply does not cross the first zone;
//  6. false when a lies inside the first zone (its pipes start in it); p0
//     and q0 where the supply's and the return's leads enter the
//     first zone: of each side's crossings of the zone's wall the one nearest
//     its manifold end along it (the first crossing, and the return's point
//     nearest it, for a side that does not cross the wall); while the network
//     holds no route, its pitch becomes the distance from a to the return;
//  7. each side trimmed to its lead, the stretch between the manifold and
//     the wall, with the corners the output rounded given back
//     (trimLeadAtWall, the first zone's bend radius, connectionDistance, and
//     working loop): the bend into the zone that the wall cuts becomes the
//     lead's straight run to the wall, every other rounded corner its
//     corner. The leads come back as they were laid, whatever the angle at
//     which they meet the wall, the length of their last piece or the turn
//     of a corner; a trim that fails fails;
//  8. one path: return, the line between the two sides' zone ends, supply;
//  9. the crossing records again with the path, sorted; false when the
//     first zone's is empty;
// 10. the route: the one the leads were laid along (leadCentreLine, which
//     finds it exactly from two offsets of one polyline of straight pieces,
//     whatever the angle at which it meets the wall and although a short
//     piece of it vanished from one lead); else the centre line of the
//     path's two runs from the manifold to the first crossing and back
//     (buildCircuitPolyline, the network's pitch) with its short middle
//     segments removed with d = RADD. Turned so that the drawn supply lies
//     on its right (the supply side of CFHCircuit::connectPipe); the circuit
//     connected along it with trimming at the first crossing (else along the
//     route as built); the route that connected is added to the network;
// 11. the first zone's pipe ends where the new supply and return meet its
//     working loop nearest the first and the last crossing; each further zone
//     linked to the one before it at its link point (see the .cpp), once more
//     at its reference point when that fails; the point that linked becomes
//     the zone's link point, so the design jobs link there again; a link that
//     fails twice fails;
// 12. the keys of S (circuit number, colour, connection points, limits,
//     temperatures, the first zone's results for every zone) and the
//     material: Lb's "_PT_ZONA_POTR_MATERIAL", else the first zone label's,
//     else S's material pair; the circuit keeps Lb.
// Every zone's crossing record is released at the end. On false every zone's
// circuit is cleared, and the circuit's pipes, its centre line and a route it
// added to the network are gone. Never throws.
bool readCircuitFields(CFHCircuit& circuit, const CFHEntityInOut* label, const CFHEntityInOut* supply,
                       const CFHEntityInOut* returnPipe);

// Removes the short chamfers that buildCircuitPolyline leaves at the corners
// of a route: a middle segment no longer than 1.8 d between two segments
// whose directions differ by pi/8 or more, which both come within 2 x workTol
// + d of the point where their lines meet (not at the work origin), is
// dropped and its neighbours meet at that point; a segment right after a
// dropped one is left as it is. Routes of fewer than three segments are left
// alone.
void removeShortMiddleSegments(CFloorHeatingPolyLine& route, double d);
