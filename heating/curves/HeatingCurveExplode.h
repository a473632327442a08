// Breaking a heating curve into its simple pieces.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

// A polyline's line and arc pieces, in order, as new heating curves with the
// polyline's tag, record and root source (pieces of other types are passed
// over). A line or an arc is its own one piece: the answer holds a copy of it.
CFloorHeatingCurve::PtrVector explodeCurve(const CFloorHeatingCurve& curve);
