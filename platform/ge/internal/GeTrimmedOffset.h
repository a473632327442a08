// Trimmed offsets of composite curves (XtGeCompositeCurve2d::getTrimmedOffset).
#pragma once

#include "platform/ge/XtGeCurve2d.h"

class XtGeCompositeCurve2d;

namespace GeKernel {

// The trimmed offsets of a composite at signed distance d (positive to the
// left of travel), appended to out as new curves owned by the caller;
// extType is an XtGe::OffsetCrvExtType. Answers whether something was
// appended.
bool trimmedOffsetOfComposite(const XtGeCompositeCurve2d& curve, double d,
                              XtGeCurve2dPtrArray& out, int extType, const XtGeTol& tol);

}  // namespace GeKernel
