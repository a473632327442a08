// The boundary paths of a HATCH: the loop record a hatch copy holds, and
// the writer and reader of one path's groups, each the other's inverse.
//
// Path groups (angles in radians in lists; files hold degrees):
//   92 path flags (bit 1 external, bit 2 polyline, bit 8 text box, ...)
//   polyline form: 72 has-bulge, 73 closed, 93 vertex count, per vertex 10
//     and (optional on reading) 42 bulge: tan of a quarter of the signed
//     sweep of the piece the vertex starts;
//   edge form: 93 edge count, per edge 72 type and its groups:
//     1 line      10 start, 11 end
//     2 arc       10 centre, 40 radius, 50 start, 51 end, 73 counter-clockwise
//     3 elliptic  10 centre, 11 major axis (scaled to the major radius),
//                 40 minor/major ratio, 50 start, 51 end, 73 counter-clockwise
//     Arc angles are from the X axis; elliptical angles are the angles of the
//     end points from the major axis (not parameters). A clockwise edge
//     (73 = 0) holds complementary angles: its counter-clockwise reversal
//     runs from 2pi - (51) to 2pi - (50) (the writer writes 4pi - end and
//     4pi - start of the reversal, a turn more).
//   then 97 source count and that many 330 handles.
//
// Tolerances: closedness and repeated closing vertices use workTol. Host
// thread only; nothing throws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeCompositeCurve2d.h"

// One boundary loop of a hatch copy.
struct ltHatchLoop {
  XtGeCompositeCurve2d curve;
  std::int32_t flags = 0;               // 92
  std::vector<std::u16string> handles;  // 330: the loop's source objects
};

// The path flag that asks for the polyline form.
inline constexpr std::int32_t kHatchPathPolyline = 2;

// A new chain of the loop's path groups (owned by the caller), or null when
// the loop is not closed (workTol), holds a piece other than a line segment,
// circular or elliptical arc, or a value that is not finite.
// The polyline form is written when the flags ask for it, the loop has more
// than one piece (a full circle counts as the two halves it is written as)
// and no elliptical piece; `polylineForm` (may be null) receives the choice.
// The polyline form writes no closing vertex (73 = 1 marks it closed). An
// elliptical edge whose angles lie closer than 1e-9 is left out.
resbuf* writeHatchLoop(const ltHatchLoop& loop, bool* polylineForm = nullptr);

// Reads one path starting at `node` (its 92) into `loop`: answers the node
// after what was read (null at the end of the list), or `node` itself when
// the groups are not a path (a missing or misplaced group, an edge type
// other than 1 to 3, fewer vertices, edges or handles than counted, a
// negative count, a value that is not finite, a radius or ratio that is not
// positive); `loop` is then unchanged. A closed polyline path gets its
// closing piece unless its last vertex repeats the first. Counts never size
// an allocation.
const resbuf* readHatchBoundaryPath(ltHatchLoop& loop, const resbuf* node);
