// Trimmed offset of a run of segments and circular arcs (composites are
// flattened), the work behind XtGeCurve2d::getTrimmedOffset of composite
// curves:
// - every piece is moved by d to the left of travel (arcs that would shrink
//   to nothing are left out); gaps between pieces are bridged by segments,
//   pieces not longer than the resolution dropped;
// - the gap that opens at a convex joint is closed by a fillet, an arc of
//   radius |d| about the joint's vertex;
// - the result is cut wherever it meets itself or the curves at distance
//   |d| from the input, and every part nearer to the input than |d| (less
//   the resolution, at most |d| / 2) is dropped. The rest bounds the points
//   at least |d| away on the offset side exactly;
// - it is linked into chains that do not cross; a closed input keeps the
//   loops that bound the offset region consistently with the input's
//   orientation (outer loops and holes), an open input the open chains and
//   the loops that are not cut-offs of crossings;
// - chamfers are the chords of what is left of the fillets. Extensions
//   (segments along themselves, arcs along their end tangents, to where
//   they meet) take the fillets' place on an open input; on a closed one
//   the kites between them and the fillets are merged into the region
//   (GeOffsetKites.h). An extension meeting nowhere or farther than
//   1000 |d| from its joint makes the whole offset fail, so that the
//   caller can try another kind.
// Results keep the input's direction. Deterministic; no state outside the
// call; every loop is bounded by the number of pieces and meetings.
#pragma once

#include "platform/ge/internal/GeOffsetPath.h"

#include <vector>

namespace GeKernel {

enum class OffsetStatus {
  kDone,         // results may still be empty: the offset vanished
  kEmpty,        // no geometry to offset
  kUnsupported,  // a piece that is neither a segment nor a circular arc, a bad
                 // extension type or a distance that is not finite
  kNoExtension,  // extension asked for where the offsets meet nowhere near
};

// The offset of the run of curves (in order, each starting where the one
// before ends). |d| not above the resolution gives the run itself.
OffsetStatus offsetOfPieces(const XtGeCurve2d* const* curves, int count, double d, int extType,
                            const XtGeTol& tol, std::vector<OffsetResult>& results);

}  // namespace GeKernel
