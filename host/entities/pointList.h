// The POINT entity: its list builder and reader.
//
// List groups after the entity header: (100 "AcDbPoint"), 10 location,
// (39 kept), (210 kept), (50 kept); then the properties' tail. Host thread
// only.
#pragma once

#include "host/entities/ltEntProps.h"
#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGePoint2d.h"

namespace entBuilder2D {

// A new POINT list of the point transformed by the matrix, carrying the
// thickness, extrusion and X-axis angle of the previous list (may be null).
// Null for a point that is not finite.
resbuf* point(const ltEntProps& props, const XtGePoint2d& point, const XtGeMatrix2d& matrix,
              const resbuf* previous);

}  // namespace entBuilder2D

namespace entReader2D {

// A POINT list whose first 10 is finite: that point, and the common
// properties when `props` is given. False leaves both outputs unchanged.
bool point(XtGePoint2d& point, const resbuf* list, ltEntProps* props);

}  // namespace entReader2D
