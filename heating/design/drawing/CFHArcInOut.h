// The record of an ARC: its circular arc (kind 3).
#pragma once

#include "heating/design/drawing/CFHCurveInOut.h"

#include "platform/ge/XtGeCircArc2d.h"

class CFHArcInOut final : public CFHCurveInOut<XtGeCircArc2d, CFHEntityInOut::kArc> {
 public:
  explicit CFHArcInOut(const resbuf* list);
  explicit CFHArcInOut(const XtGeCircArc2d& arc) : CFHCurveInOut(arc) {}
};
