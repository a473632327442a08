// The user-coordinate matrix of the entity layer: world to user coordinates
// in the plane, the identity until the layer's reader of the user system
// sets it. Builders that orient texts and leaders by the user system read
// it. Host thread only (one unguarded value, like the host's own UCS).
#pragma once

#include "platform/ge/XtGeMatrix2d.h"

const XtGeMatrix2d& ucsMatrix();
void setUcsMatrix(const XtGeMatrix2d& matrix);
