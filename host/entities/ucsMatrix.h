// The user-coordinate matrix of the entity layer: world to user coordinates
// in the plane, the identity until the layer's reader of the user system
// sets it. Builders that orient texts and leaders by the user system read
// it. Host thread only (one unguarded value, like the host's own UCS).
#pragma once

#include "platform/ge/XtGeMatrix2d.h"

const XtGeMatrix2d& ucsMatrix();
void setUcsMatrix(const XtGeMatrix2d& matrix);

class XtGeMatrix3d;

// Reads the drawing's user system ("UCSORG", "UCSXDIR" and "UCSYDIR"
// through the drawing interface's system variables, slot 6) and answers the
// matrices from world to user coordinates in the plane and in space (the
// identity when the host gives no system, or axes that span no plane); the
// plane's matrix also becomes ucsMatrix(). Host thread.
void getUcsTransform(XtGeMatrix2d& plane, XtGeMatrix3d& space);
