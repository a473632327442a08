#include "heating/design/CFHEntityInOut.h"

#include "platform/ge/XtGe.h"

bool CFHEntityInOut::setGeometry(std::unique_ptr<XtGeCurve2d> geometry) {
  if (!geometry) return false;
  std::uint32_t kind = 0;
  switch (geometry->type()) {
    case XtGe::kLineSeg2d: kind = kLine; break;
    case XtGe::kCompositeCrv2d: kind = kPolyline; break;
    case XtGe::kCircArc2d: kind = kArc; break;
    default: return false;
  }
  kind_ = kind;
  geometry_ = std::move(geometry);
  return true;
}

const XtGeLineSeg2d* CFHEntityInOut::lineSeg() const {
  return geometry_ && kind_ == kLine ? static_cast<const XtGeLineSeg2d*>(geometry_.get()) : nullptr;
}

const XtGeCircArc2d* CFHEntityInOut::arc() const {
  return geometry_ && kind_ == kArc ? static_cast<const XtGeCircArc2d*>(geometry_.get()) : nullptr;
}
