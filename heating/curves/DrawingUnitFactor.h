// The drawing unit factor of the process: the host's integer unit factor
// (drawing units per metre) as a double. Each heating command sets it at its
// start, before any design thread runs; while threads run it is only read.
//
// Lengths of the heating code that are given in metres or millimetres scale
// by it (sample steps of the overlap test, zone offsets, pipe pitches).
#pragma once

extern double drawingUnitFactor;

// The factor when it is a positive finite number, else 1.0: a host that gives
// no unit factor must not turn every scaled length into 0.
double usableDrawingUnitFactor();
