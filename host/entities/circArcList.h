// The CIRCLE and ARC entities: one builder and one reader for both.
//
// List groups after the entity header: (100 "AcDbCircle"), (39 kept),
// 10 centre, 40 radius, (210 (0, 0, 1)), and for an ARC (100 "AcDbArc"),
// 50 start angle, 51 end angle (radians, counter-clockwise, not reduced to
// [0, 2pi)); then the properties' tail. Host thread only.
#pragma once

#include "host/entities/ltEntProps.h"
#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeMatrix2d.h"

// A new CIRCLE (a full turn) or ARC list of the arc transformed by the
// matrix and made counter-clockwise; the angles are the reference vector's
// angle plus the arc's parameters. Carries the thickness of the previous
// list (may be null). Null when the matrix cannot transform the arc (not a
// similarity) and for values that are not finite or a radius of zero.
resbuf* writeCircArc2d(const ltEntProps& props, const XtGeCircArc2d& arc, const XtGeMatrix2d& matrix,
                       const resbuf* previous);

// An ARC or CIRCLE list: finite 10 and 40 (a radius above zero) required,
// 50 (default 0) and 51 (default 2pi) finite when given; a counter-clockwise
// arc with the X axis as reference. A 210 with negative z mirrors it about
// the Y axis (it then runs clockwise, with the end points the drawing
// shows). The common properties when `props` is given. False leaves both
// outputs unchanged.
bool readCircArc2d(XtGeCircArc2d& arc, const resbuf* list, ltEntProps* props);
