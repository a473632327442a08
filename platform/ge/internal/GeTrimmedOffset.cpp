#include "platform/ge/internal/GeTrimmedOffset.h"

namespace GeKernel {

// Composites have no offset yet: nothing is appended.
bool trimmedOffsetOfComposite(const XtGeCompositeCurve2d&, double, XtGeCurve2dPtrArray&, int,
                              const XtGeTol&) {
  return false;
}

}  // namespace GeKernel
