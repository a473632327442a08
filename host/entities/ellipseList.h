// The ELLIPSE entity: its list builder and reader.
//
// List groups after the entity header: (100 "AcDbEllipse"), 10 centre,
// 11 major axis (scaled to the major radius, relative to the centre),
// (210 kept), 40 minor-to-major ratio, 41 start and 42 end parameter
// (radians); then the properties' tail. The minor axis is the major one
// turned by +90 degrees, or by -90 degrees under a 210 with negative z.
// Host thread only.
#pragma once

#include "host/entities/ltEntProps.h"
#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeMatrix2d.h"

// A new ELLIPSE list of the ellipse transformed by the matrix. When the
// previous list's extrusion has a negative z (kept), the ellipse is first
// mirrored about its major axis line so that the list reads back as the same
// point set. Written counter-clockwise with the start parameter in [0, 2pi)
// and the larger radius as the major one (the parameters then shift by
// -pi/2). Null when the matrix cannot transform it, for values that are not
// finite, a radius of zero, or a parameter span below 1e-9.
resbuf* writeEllipArc2d(const ltEntProps& props, const XtGeEllipArc2d& ellipse, const XtGeMatrix2d& matrix,
                        const resbuf* previous);

// An ELLIPSE list: finite 10, 11 (not of zero length) and 40 (a ratio in
// (0, 1]) required, 41 (default 0) and 42 (default 2pi) finite when given.
// The common properties when `props` is given. False leaves both outputs
// unchanged.
bool readEllipArc2d(XtGeEllipArc2d& ellipse, const resbuf* list, ltEntProps* props);
