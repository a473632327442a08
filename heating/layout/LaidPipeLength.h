// How much pipe a circuit layout laid in its zone, and whether that is only
// a stub at its entry: the leads entering and turning back, with no loop
// laid. The design command names a zone whose layout lays only a stub as a
// zone that laid nothing (warning 9002).
//
// Threads: reads the layout record and its zone boundary (whose offset
// cache guards itself); call it when no design of the zone runs.
#pragma once

struct CFHCircuitLayout;

// The length of the paths of every edge of the layout's graph, leads
// included (they run inside the zone from the pipe ends on its wall).
double laidPipeLength(const CFHCircuitLayout& layout);

// Whether the layout laid pipe (a first edge) but less than a quarter of
// the zone's heated area (the area inside the first offset from its
// boundary) divided by the spacing. False without a boundary, a positive
// finite spacing or a heated area.
bool laysOnlyStub(const CFHCircuitLayout& layout);
