// Arrays of 2D points and vectors (the host's XtGePoint2dArray and
// XtGeVector2dArray).
#pragma once

#include "platform/ge/XtGeArray.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

using XtGePoint2dArray = XtGeArray<XtGePoint2d>;
using XtGeVector2dArray = XtGeArray<XtGeVector2d>;
