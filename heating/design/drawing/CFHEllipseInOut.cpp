#include "heating/design/drawing/CFHEllipseInOut.h"

#include "host/entities/ellipseList.h"

CFHEllipseInOut::CFHEllipseInOut(const resbuf* list)
    : CFHCurveInOut(list, [](XtGeEllipArc2d& ellipse, const resbuf* l) { return readEllipArc2d(ellipse, l, nullptr); }) {}
