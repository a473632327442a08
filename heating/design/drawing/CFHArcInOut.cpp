#include "heating/design/drawing/CFHArcInOut.h"

#include "host/entities/circArcList.h"

CFHArcInOut::CFHArcInOut(const resbuf* list)
    : CFHCurveInOut(list, [](XtGeCircArc2d& arc, const resbuf* l) { return readCircArc2d(arc, l, nullptr); }) {}
