// The INSERT (block reference) list builders and reader, and the resolution
// of by-block properties. Angles are radians. Host thread only.
#pragma once

#include <string>
#include <string_view>

#include "host/entities/ltEntProps.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeScale3d.h"
#include "platform/ge/XtGeVector3d.h"

// The array of a multiple insert: column and row counts (70, 71; 1 each by
// default) and spacings (44, 45; 0 each by default).
struct insertCounts {
  double columns = 1.0;
  double rows = 1.0;
};
struct insertSpacing {
  double columns = 0.0;
  double rows = 0.0;
};

// The placement an item record keeps for its reference.
struct insertPlacement {
  XtGePoint2d insertion;
  double xScale = 1.0;
  double yScale = 1.0;
  double rotation = 0.0;
};

namespace entBuilder2D {

// Header "INSERT", (100 "AcDbBlockReference"), one 66: the previous list's
// when it has one (an insert with attributes keeps them), else the low byte
// of `attributesFollow`; 2, 10, 41, 42, 43, 50; with counts 70 and 71
// (truncated towards zero); with spacing 44 and 45; one 210: `normal` when
// given, else the previous list's when it has one; the extra groups. Null for
// an empty block name, counts outside 1..32767 or a value that is no finite
// number.
resbuf* insert(const ltEntProps& props, const XtGePoint2d& insertion, std::u16string_view blockName,
               const XtGeScale3d& scale, double rotation, const insertCounts* counts, const insertSpacing* spacing,
               const resbuf* previous, int attributesFollow, const XtGeVector3d* normal);

// Header "INSERT", (100 "AcDbBlockReference"), (66 kept), 2, 10, 41, 42, 50,
// (70, 71, 44, 45, 210 kept), the extra groups.
resbuf* insertFromRecord(const ltEntProps& props, std::u16string_view blockName, const insertPlacement& record,
                         const resbuf* previous);

}  // namespace entBuilder2D

namespace entReader2D {

// Reads an INSERT list: 2 and 10 required; 41, 42, 43 default 1, 50 default
// 0, counts and spacing as their defaults. A 210 with a negative z brings the
// reference into the drawing plane: x of the insertion negated, the rotation
// pi - rotation in [0, 2 pi), the y scale negated. False, with the outputs
// unchanged, for another type, a missing group or a value that is no finite
// number. Counts, spacing and props may be null.
bool insert(XtGePoint2d& insertion, std::u16string& blockName, XtGeScale3d& scale, double& rotation,
            insertCounts* counts, insertSpacing* spacing, const resbuf* list, ltEntProps* props);

}  // namespace entReader2D

// The by-block properties of an entity inside a block take the reference's:
// layer "0", linetype "BYBLOCK" (any case), colour 0 and lineweight -2; the
// visibility and the transparency always come from the reference.
void resolveByBlock(ltEntProps& entity, const ltEntProps& reference);
