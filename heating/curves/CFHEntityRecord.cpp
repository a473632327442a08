#include "heating/curves/CFHEntityRecord.h"

const XtGeLineSeg2d* CFHEntityRecord::lineSeg() const {
  return kind_ == kLine ? static_cast<const XtGeLineSeg2d*>(geometry()) : nullptr;
}

const XtGeCircArc2d* CFHEntityRecord::arc() const {
  return kind_ == kArc ? static_cast<const XtGeCircArc2d*>(geometry()) : nullptr;
}
