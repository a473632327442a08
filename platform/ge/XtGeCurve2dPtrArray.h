// Arrays handed to and answered by the curve members: curve pointers (the
// owner is named by each member), integers (ownership flags) and doubles
// (parameters).
#pragma once

#include "platform/ge/XtGeArray.h"

class XtGeCurve2d;

using XtGeCurve2dPtrArray = XtGeArray<XtGeCurve2d*>;
using XtGeIntArray = XtGeArray<int>;
using XtGeDoubleArray = XtGeArray<double>;
