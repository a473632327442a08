// The entity header every list builder starts with, and the groups builders
// carry over from an entity's previous list.
//
// Lists are built with buildResbufList (host/ResbufBuilder.h); every answer
// is a new list owned by the caller (free it with freeResbufChain), null when
// it cannot be made. The previous list is only read. Points and vectors reach
// the builders by value (widenPointTo3d). Host thread only.
#pragma once

#include <array>
#include <string_view>

#include "host/entities/ltEntProps.h"
#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

namespace entBuilder2D {

// The header groups in this order: 0 type; 5 handle when set; the brace
// sections of the previous list's head (extension dictionary, reactors and
// any others) unchanged and in their order, the reactor section replaced by
// the properties' reactor chain when one is set (written first when the
// previous list had none); 100 "AcDbEntity"; 67 (as 1) and 410 (when a layout
// name is set) in paper space; 8; 6; 62; 420 when the true-colour flag is
// set; 440 when the transparency mode is not 0 (encodeTransparency); 60 when
// not 0; 370; 48. Null for an empty type (or when the heap ran out).
resbuf* entityHeader(const ltEntProps& props, std::u16string_view typeName, const resbuf* previous = nullptr);

// A single-node copy (successor cleared) of the first node with the code in
// `preferred` when that is given and holds one, else in `list`; null when
// neither holds the code.
resbuf* keptGroup(int code, const resbuf* list, const resbuf* preferred = nullptr);

// A copy of the properties' extra groups, which every builder appends last;
// null when there are none.
resbuf* tailCopy(const ltEntProps& props);

}  // namespace entBuilder2D

// A 2D point or vector as the three doubles of a list point (z = 0).
inline std::array<double, 3> widenPointTo3d(const XtGePoint2d& p) { return {p.x, p.y, 0.0}; }
inline std::array<double, 3> widenPointTo3d(const XtGeVector2d& v) { return {v.x, v.y, 0.0}; }
