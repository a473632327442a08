// Overrides the CAD program keeps in its own extended data ("ACAD"), such
// as the dimension-style overrides of a dimension:
//   (1001 "ACAD")(1000 "DSTYLE")(1002 "{")(1070 code)(value)...(1002 "}")
#pragma once

#include "platform/cadhost/resbuf.h"

// The (1070 code) node of the override `code` in the list's "ACAD" block
// (the name in any case); the override's value is the node after it. Nodes
// are taken in (code, value) pairs, so a value that equals `code` is never
// taken for a code. The search ends at the next application. Null when there
// is no such override.
const resbuf* findAcadOverride(const resbuf* list, int code);

// A new one-node list holding a copy of the override's value: a text for
// groups 1000 to 1003 and 1005, a point for 1010 to 1013, a real for 1040 to
// 1042, a 16-bit integer for 1070, a 32-bit one for 1071. Null for any other
// group, when there is no override, or when the heap is exhausted.
resbuf* acadOverrideValue(const resbuf* list, int code);
