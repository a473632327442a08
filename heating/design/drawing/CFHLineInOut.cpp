#include "heating/design/drawing/CFHLineInOut.h"

#include "host/entities/lineList.h"

CFHLineInOut::CFHLineInOut(const resbuf* list)
    : CFHCurveInOut(list, [](XtGeLineSeg2d& segment, const resbuf* l) { return entReader2D::line(segment, l, nullptr); }) {}
