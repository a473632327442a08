// The record of an LWPOLYLINE: its composite curve of line and arc pieces,
// bulges kept, widths left out (kind 1); not valid when the polyline has no
// length (a single vertex).
#pragma once

#include "heating/design/drawing/CFHCurveInOut.h"

#include "platform/ge/XtGeCompositeCurve2d.h"

class CFHPolylineInOut final : public CFHCurveInOut<XtGeCompositeCurve2d, CFHEntityInOut::kPolyline> {
 public:
  explicit CFHPolylineInOut(const resbuf* list);
  explicit CFHPolylineInOut(const XtGeCompositeCurve2d& composite) : CFHCurveInOut(composite) {}
};
