// The host's own name of the tolerance class; the same class as XtGeTol.
#pragma once

#include "platform/ge/XtGeTol.h"

using IcGeTol = XtGeTol;
