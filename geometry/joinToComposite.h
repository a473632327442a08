// Assembling a composite curve from ordered references to the pieces of a
// curve list.
#pragma once

#include "geometry/curveList.h"
#include "platform/ge/XtGeCompositeCurve2d.h"

#include <cstdint>
#include <memory>

// A piece reference: the low 32 bits index the curve list, the high 32 bits
// are 0 (the piece as it is) or 1 (the piece reversed); a reference with
// any other high word is not used.
using pieceRef = std::uint64_t;

constexpr pieceRef makePieceRef(std::uint32_t index, bool reversed) {
  return (static_cast<pieceRef>(reversed ? 1u : 0u) << 32) | index;
}

// A new composite (owned by the caller, in `out`) of copies of the
// referenced pieces in reference order, reversed where the reference says
// so; the composite owns the copies. Answers 1, or 0 with out empty when no
// reference names a piece of the list.
int joinToComposite(std::unique_ptr<XtGeCompositeCurve2d>& out, const curvePtrArray& curves,
                    const hvArray<pieceRef>& refs);
