// Whether a meander run passes through a border zone: the strip loop of a
// boundary edge that carries a band value.
#pragma once

#include <vector>

class CFloorHeatingCurve;
class COffsetLoop;

// True when COffsetLoop::intersectionPoints (workTol) reports at least one
// point of the run for any band loop: a run inside a strip crosses its ends,
// a run along a strip's side or through its corner touches it, and each
// counts. False for an empty list; null loops are passed over.
bool runCrossesBand(const std::vector<COffsetLoop*>& bandLoops, const CFloorHeatingCurve& run);
