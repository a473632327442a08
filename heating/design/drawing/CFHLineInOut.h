// The record of a LINE: the segment from 10 to 11 (kind 0).
#pragma once

#include "heating/design/drawing/CFHCurveInOut.h"

#include "platform/ge/XtGeLineSeg2d.h"

class CFHLineInOut final : public CFHCurveInOut<XtGeLineSeg2d, CFHEntityInOut::kLine> {
 public:
  explicit CFHLineInOut(const resbuf* list);
  explicit CFHLineInOut(const XtGeLineSeg2d& segment) : CFHCurveInOut(segment) {}
};
