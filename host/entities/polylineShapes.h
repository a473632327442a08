// LWPOLYLINE lists of whole shapes: a rectangle, and a curve with one pair
// of widths for every segment. Both go through the LWPOLYLINE builder
// (lwPolylineList.h), whose rules they follow. Host thread only.
#pragma once

#include "host/entities/ltEntProps.h"
#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/XtGeMatrix2d.h"

// The rectangle of the corners (x1, y1) and (x2, y2) as one closed
// LWPOLYLINE: (x1, y1) to (x1, y2), (x2, y2), (x2, y1) and back, transformed
// by the matrix. Null when the builder gives none.
resbuf* writeRectangle(const ltEntProps& props, const XtGePoint2d& corner1, const XtGePoint2d& corner2,
                       const XtGeMatrix2d& matrix, const resbuf* previous);

// The curve as an LWPOLYLINE whose every segment runs from `startWidth` to
// `endWidth`, or has `constantWidth` throughout when both are 0. Null for an
// empty curve (or when the builder gives none).
resbuf* polylineWithWidths(const ltEntProps& props, const XtGeCurve2d& curve, const XtGeMatrix2d& matrix,
                           const resbuf* previous, double startWidth, double endWidth, double constantWidth);
