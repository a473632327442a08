// The XLINE entity (an unbounded line): its list builder and reader.
//
// List groups after the entity header: (100 "AcDbXline"), 10 a point of the
// line, 11 its unit direction; then the properties' tail. Host thread only.
#pragma once

#include "host/entities/ltEntProps.h"
#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeMatrix2d.h"

namespace entBuilder2D {

// A new XLINE list of the line transformed by the matrix, through its base
// point along its direction of travel as a unit vector (the format asks for
// one). Null for a zero direction or values that are not finite. The
// previous list (may be null) gives only the header's brace sections.
resbuf* xline(const ltEntProps& props, const XtGeLine2d& line, const XtGeMatrix2d& matrix, const resbuf* previous);

}  // namespace entBuilder2D

namespace entReader2D {

// An XLINE list with finite 10 and 11 points, 11 not zero: the line through
// 10 along 11. The common properties when `props` is given. False leaves both
// outputs unchanged.
bool xline(XtGeLine2d& line, const resbuf* list, ltEntProps* props);

}  // namespace entReader2D
