#include "heating/design/drawing/CFHPolylineInOut.h"

#include "host/entities/lwPolylineList.h"

CFHPolylineInOut::CFHPolylineInOut(const resbuf* list)
    : CFHCurveInOut(list, [](XtGeCompositeCurve2d& composite, const resbuf* l) {
        // One vertex reads as a polyline of no length, which is no curve (as
        // a line of no length is none).
        return entReader2D::polyline(composite, l, nullptr, nullptr) != 0 && composite.totalLength() > 0.0;
      }) {}
