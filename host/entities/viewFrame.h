// The visible area of the host's current view, read from its system
// variables through the drawing interface (slot 6 "GetVarW", points turned
// into user coordinates by slot 18 "Wcs2Ucs"). Host thread only.
#pragma once

#include <span>

#include "platform/ge/XtGePoint3d.h"
#include "platform/ge/XtGeVector3d.h"

// The four corners of the view (counter-clockwise about the view direction,
// lower left first) and the view direction. Reads SCREENSIZE, TARGET,
// VIEWCTR, VIEWDIR, VIEWSIZE and VIEWTWIST. Answers 1, or 0 with the outputs
// unchanged when the interface or a variable is missing, or when the screen
// height, the view size or the length of the view direction is 0 or less or
// no finite number.
int getViewTransform(XtGePoint3d& corner0, XtGePoint3d& corner1, XtGePoint3d& corner2, XtGePoint3d& corner3,
                     XtGeVector3d& viewDirection);

// 1 when some point lies strictly inside the view's four corners (seen along
// the view direction), else 0; also 0 when the view cannot be read.
int anyPointInsideFrame(std::span<const XtGePoint3d> points);
