// The RAY entity: its list writer and reader.
//
// List groups after the entity header: (100 "AcDbRay"), 10 base point,
// 11 unit direction; then the properties' tail. Host thread only.
#pragma once

#include "host/entities/ltEntProps.h"
#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGeRay2d.h"

// A new RAY list of the ray transformed by the matrix: the base point is the
// ray's point at the upper bound of its parameter interval when it is
// bounded above (a reversed ray), else at the lower bound; the direction
// points into the ray, towards its other parameters, as a unit vector. Null
// for a zero direction or values that are not finite. The previous list (may
// be null) gives only the header's brace sections.
resbuf* writeRay2d(const ltEntProps& props, const XtGeRay2d& ray, const XtGeMatrix2d& matrix,
                   const resbuf* previous);

// A RAY list with finite 10 (base point) and 11 (direction, not zero). The
// common properties when `props` is given. False leaves both outputs
// unchanged.
bool readRay2d(XtGeRay2d& ray, const resbuf* list, ltEntProps* props);
