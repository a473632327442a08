// What every heating curve tells the design model of the running command:
// each constructor, once the curve's fields are set, calls
// copyCurvePiecesLocked(this, tag), and the destructor calls
// copyCurvePiecesLockedFlag(this, tag) before it tears anything down. Both are
// safe on any thread and do nothing while no design model exists. Never call
// them (that is, never make or destroy a heating curve) while holding a lock
// of the model: the registry's lock is not recursive.
#pragma once

#include <cstdint>

#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeTol.h"

class CFHModel;
class CFloorHeatingCurve;

// The state word of the design model. The constants are mask values, not bit
// positions: "bit 1" is the lowest bit (value 1) and "bit 8" is value 8.
//
// A curve that the model's list of distribution-pipe curves holds was
// destroyed: the list now names a dead curve.
inline constexpr std::uint32_t kModelStateListedCurveDestroyed = 0x1u;
// The offset of a polyline failed with every extension type.
inline constexpr std::uint32_t kModelStatePolylineOffsetFailed = 0x8u;

// Records that `curve` with `tag` was made on the calling thread. An
// allocation failure drops the record (records are bookkeeping only).
void copyCurvePiecesLocked(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept;

// Records that `curve` with `tag` is being destroyed on the calling thread;
// raises kModelStateListedCurveDestroyed when the model's list of
// distribution-pipe curves holds it. The state bit is never lost, even when
// the record itself cannot be stored.
void copyCurvePiecesLockedFlag(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept;

// ORs `bits` into the state word of `model` under its state lock; nothing for
// a null model. The caller must keep the model alive.
void setStateBitsLocked(CFHModel* model, std::uint32_t bits);

// The same on the current design model, safe on any thread; nothing when no
// model exists. Heating curves use this, since they hold no model pointer.
void setCurrentModelStateBits(std::uint32_t bits);

// Takes the trimmed offsets (joints extended) of the source composite and of
// its copy at the distance and tolerance and walks their pieces, storing,
// drawing and changing nothing: called where a polyline's offset failed
// with every extension type, it answers how many pieces each gave, summed.
// The model may be null; neither composite is changed.
int compositeCurveTrimmedOffset(CFHModel* model, const XtGeCompositeCurve2d& source,
                                const XtGeCompositeCurve2d& copy, double distance, const XtGeTol& tolerance);
