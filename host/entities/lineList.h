// The LINE entity: its list builder and reader.
//
// List groups after the entity header: (100 "AcDbLine"), (39 kept), 10 start,
// 11 end, (210 kept), then the properties' tail. Host thread only.
#pragma once

#include "host/entities/ltEntProps.h"
#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeMatrix2d.h"

namespace entBuilder2D {

// A new LINE list of the segment transformed by the matrix, carrying the
// thickness and extrusion of the previous list (may be null). Null for a
// segment with a coordinate that is not finite.
resbuf* line(const ltEntProps& props, const XtGeLineSeg2d& segment, const XtGeMatrix2d& matrix,
             const resbuf* previous);

}  // namespace entBuilder2D

namespace entReader2D {

// A LINE list (any letter case) with finite 10 and 11 points that are not
// equal within workTol: the segment from 10 to 11, and the common properties
// when `props` is given. False leaves both outputs unchanged.
bool line(XtGeLineSeg2d& segment, const resbuf* list, ltEntProps* props);

}  // namespace entReader2D
