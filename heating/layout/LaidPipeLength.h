// How much pipe a circuit layout laid in its zone, and whether that is only
// a stub at its entry: the leads entering and turning back with no loop
// laid. The design command names a zone whose layout lays only a stub as a
// zone that laid nothing (warning 9002).
//
// The leads are the edges from the pipe ends to the first offset loop:
// firstEdge and lastEdge, each with the straight edge that continues it
// from its bend at the wall (a node on no loop with two edges), when it
// has one. They cross the zone's border only and heat nothing of it.
//
// Threads: reads the layout record and its zone boundary (whose offset
// cache guards itself); call it when no design of the zone runs.
#pragma once

struct CFHCircuitLayout;

// The length of the paths of every edge of the layout's graph, leads
// included (they run inside the zone from the pipe ends on its wall).
double laidPipeLength(const CFHCircuitLayout& layout);

// The same without the leads: the pipe laid beyond them.
double laidPipeLengthBeyondLeads(const CFHCircuitLayout& layout);

// Whether a loop of pipe fits the zone at its border width: the boundary
// offset inward by the first offset plus half the spacing leaves an area
// (some point lies that far from every wall, so that a loop's two sides
// can lie s apart). True when that cannot be told (no offset of the
// boundary at the first offset itself, or no boundary).
bool loopFitsZone(const CFHCircuitLayout& layout);

// Whether the layout laid pipe (a first edge) but no circuit: either no
// loop fits the zone (loopFitsZone), whatever the layout laid in the
// sliver inside its first offset, or the pipe beyond its leads is shorter
// than a quarter of the zone's heated area (the area inside the first
// offset from its boundary) divided by the spacing. False without a
// boundary, a positive finite spacing or a heated area.
bool laysOnlyStub(const CFHCircuitLayout& layout);
