// The design model's side of the heating-curve reports: the state word's
// bits and the setters, and the walk over a failed polyline offset. Every
// heating curve's constructor and destructor report to the installed
// heating-curve observer (copyCurvePiecesLocked, copyCurvePiecesLockedFlag in
// heating/curves/HeatingCurveObserver.h), which is the current design model;
// both are safe on any thread and do nothing while no design model exists.
// Never make or destroy a heating curve while holding a lock of the model:
// the registry's lock is not recursive.
#pragma once

#include "heating/curves/HeatingCurveObserver.h"

#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeTol.h"

#include <cstdint>

class CFHModel;

// The state word of the design model. The constants are mask values, not bit
// positions: "bit 1" is the lowest bit (value 1) and "bit 8" is value 8.
//
// A curve that the model's list of distribution-pipe curves holds was
// destroyed: the list now names a dead curve.
inline constexpr std::uint32_t kModelStateListedCurveDestroyed = 0x1u;
// The offset of a polyline failed with every extension type.
inline constexpr std::uint32_t kModelStatePolylineOffsetFailed = 0x8u;

// ORs `bits` into the state word of `model` under its state lock; nothing for
// a null model. The caller must keep the model alive.
void setStateBitsLocked(CFHModel* model, std::uint32_t bits);

// The same on the current design model, safe on any thread; nothing when no
// model exists.
void setCurrentModelStateBits(std::uint32_t bits);

// Takes the trimmed offsets (joints extended) of the source composite and of
// its copy at the distance and tolerance and walks their pieces, storing,
// drawing and changing nothing: called (by the model's curve observer) where
// a polyline's offset failed with every extension type, it answers how many pieces each gave, summed.
// The model may be null; neither composite is changed.
int compositeCurveTrimmedOffset(CFHModel* model, const XtGeCompositeCurve2d& source,
                                const XtGeCompositeCurve2d& copy, double distance, const XtGeTol& tolerance);
