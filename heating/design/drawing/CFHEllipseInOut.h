// The record of an ELLIPSE: its elliptical arc (kind 5). The factory makes
// none (ellipses are no heating curves); code that reads one makes it here.
#pragma once

#include "heating/design/drawing/CFHCurveInOut.h"

#include "platform/ge/XtGeEllipArc2d.h"

class CFHEllipseInOut final : public CFHCurveInOut<XtGeEllipArc2d, CFHEntityInOut::kEllipse> {
 public:
  explicit CFHEllipseInOut(const resbuf* list);
  explicit CFHEllipseInOut(const XtGeEllipArc2d& ellipse) : CFHCurveInOut(ellipse) {}
};
