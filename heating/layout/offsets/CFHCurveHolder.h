// The holder of one owned heating curve, kept by the layout in vectors of
// owning pointers and freed with deleteCurveHoldersAndClear
// (DeleteAndClear.h): deleting the holder deletes its curve once, through
// the curve's virtual destructor; `reset` replaces (and deletes) it.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

#include "geometry/smallRecords.h"

struct CFHCurveHolder : ownedObjectHolder<CFloorHeatingCurve> {
  using ownedObjectHolder::ownedObjectHolder;
};
