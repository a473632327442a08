#include "heating/curves/CFHEntityRecord.h"

#include "platform/ge/XtGe.h"

namespace {

// The record's geometry when its kind and its type are the ones asked.
const XtGeCurve2d* geometryOf(const CFHEntityRecord& record, std::int32_t kind, int type) {
  const XtGeCurve2d* geometry = record.geometry();
  return record.kind() == kind && geometry != nullptr && geometry->type() == type ? geometry : nullptr;
}

}  // namespace

const XtGeLineSeg2d* CFHEntityRecord::lineSeg() const {
  return static_cast<const XtGeLineSeg2d*>(geometryOf(*this, kLine, XtGe::kLineSeg2d));
}

const XtGeCircArc2d* CFHEntityRecord::arc() const {
  return static_cast<const XtGeCircArc2d*>(geometryOf(*this, kArc, XtGe::kCircArc2d));
}
