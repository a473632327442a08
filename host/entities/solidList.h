// The SOLID entity (a filled triangle or quadrilateral): its list builder
// and reader.
//
// List groups after the entity header: (100 "AcDbTrace"), 10, 11, 12, 13 the
// corners written crosswise, so that 10-11-13-12 is the outline order (a
// triangle repeats its third corner); then the properties' tail. Host
// thread only.
#pragma once

#include "host/entities/ltEntProps.h"
#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeMatrix2d.h"

namespace entBuilder2D {

// A new SOLID list of the outline transformed by the matrix: it must be
// closed within workTol and made of three or four line segments, whose start
// points are the corners in order. Null otherwise. The previous list (may be
// null) gives only the header's brace sections.
resbuf* solid(const ltEntProps& props, const XtGeCompositeCurve2d& outline, const XtGeMatrix2d& matrix,
              const resbuf* previous = nullptr);

}  // namespace entBuilder2D

namespace entReader2D {

// A SOLID list with finite 10, 11 and 12 (13 optional, finite when given,
// else the 12 point): the outline 10, 11, 13, 12 without the points equal
// (workTol) to an earlier one, as a closed composite whose first segment
// runs from the last point to the first. Fewer than three distinct points
// are refused. The common properties when `props` is given. False leaves
// both outputs unchanged.
bool solid(XtGeCompositeCurve2d& outline, const resbuf* list, ltEntProps* props);

}  // namespace entReader2D
