#include "platform/ge/XtGePoint3d.h"

#include "platform/ge/XtGeMatrix3d.h"

XtGePoint3d& XtGePoint3d::transformBy(const XtGeMatrix3d& m) { return *this = m * *this; }
