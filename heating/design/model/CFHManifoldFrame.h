// The manifold's own coordinates: the frame the drawn design stores its
// points in, so that they stay right when the drawing's user coordinate
// system changes. A local point is a work point taken relative to the
// manifold's reference point (the pipe network's insertion point, in work
// coordinates) and turned by minus the user system's angle (ucsAngle of the
// drawing I/O object, the angle from the user X axis to the world X axis):
// so local coordinates are aligned with the world axes.
//
// The forms without an angle take the drawing I/O object's angle as last
// read (readUcs or updateUcs). Threads: the command's thread.
#pragma once

#include "platform/ge/XtGePoint2d.h"

class CFHPipeNetwork;

// (point - reference point) turned by -ucsAngle.
XtGePoint2d manifoldToLocal(const CFHPipeNetwork& network, const XtGePoint2d& point, double ucsAngle);
XtGePoint2d manifoldToLocal(const CFHPipeNetwork& network, const XtGePoint2d& point);
// The inverse: the local point turned by ucsAngle, plus the reference point.
XtGePoint2d manifoldToDrawing(const CFHPipeNetwork& network, const XtGePoint2d& point, double ucsAngle);
XtGePoint2d manifoldToDrawing(const CFHPipeNetwork& network, const XtGePoint2d& point);
