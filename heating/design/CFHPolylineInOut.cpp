#include "heating/design/CFHPolylineInOut.h"

#include "host/entities/lwPolylineList.h"

CFHPolylineInOut::CFHPolylineInOut(const resbuf* list)
    : CFHCurveInOut(list, [](XtGeCompositeCurve2d& composite, const resbuf* l) {
        return entReader2D::polyline(composite, l, nullptr, nullptr) != 0;
      }) {}
