// The LEADER builders and reader. Arrow blocks and annotation objects are
// named by handle texts; the arrow's overrides travel as "ACAD" DSTYLE data
// (dimStyleOverride.h). Host thread only.
#pragma once

#include <span>
#include <string_view>

#include "host/entities/ltEntProps.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

namespace entBuilder2D {

// Header "LEADER", (100 "AcDbLeader"), 3 style, 76 vertex count, the 10
// vertices; with an arrow block handle (71 1)(72 0)(74 0)(75 0) and the
// overrides 341 (the handle) and, for a size other than 0, 41; the extra
// groups. Null for fewer than 2 vertices or a value that is no finite number.
resbuf* leader(const ltEntProps& props, std::span<const XtGePoint2d> vertices, std::u16string_view arrowBlock,
               std::u16string_view styleName, double arrowSize);

// As leader, but after the vertices (71 1 with an arrow block, else 0),
// (72 0), (73 the annotation type with an annotation handle, else 3), (74 0),
// (75 0), (340 annotation handle) and, for a type other than 0, (213 offset
// of the last vertex from the annotation); then the arrow overrides. No
// extra groups.
resbuf* leaderAnnotated(const ltEntProps& props, std::span<const XtGePoint2d> vertices,
                        std::u16string_view arrowBlock, std::u16string_view styleName, double arrowSize,
                        int annotationType, std::u16string_view annotationHandle, const XtGeVector2d& offset);

// A leader styled by a dimension style's record: its 341 (arrow block), 40,
// 41 (when not 0), 147 and 77 become overrides; 71 is 1 when the record names
// an arrow block; 74 is 1 when the last segment runs towards negative x in
// user coordinates; 211 is the user X axis. No extra groups.
resbuf* leaderStyled(const ltEntProps& props, std::span<const XtGePoint2d> vertices, std::u16string_view styleName,
                     const resbuf* dimStyleRecord);

}  // namespace entBuilder2D

namespace entReader2D {

// Reads a LEADER list: 76 required; the 10 points after it, up to that
// count, become a composite of line segments (repeated points dropped).
// False, with the outputs unchanged, for another type, no 76, fewer than two
// distinct points or a value that is no finite number.
bool leader(XtGeCompositeCurve2d& vertices, const resbuf* list, ltEntProps* props);

}  // namespace entReader2D
