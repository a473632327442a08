#include "heating/design/model/HeatingCurveRegistration.h"

#include "heating/design/model/CFHModel.h"

#include <memory>

void setStateBitsLocked(CFHModel* model, std::uint32_t bits) {
  if (model != nullptr) model->setStateBits(bits);
}

void setCurrentModelStateBits(std::uint32_t bits) { CFHModel::setCurrentStateBits(bits); }

int compositeCurveTrimmedOffset(CFHModel* /*model*/, const XtGeCompositeCurve2d& source,
                                const XtGeCompositeCurve2d& copy, double distance, const XtGeTol& tolerance) {
  int pieces = 0;
  for (const XtGeCompositeCurve2d* composite : {&source, &copy}) {
    XtGeCurve2dPtrArray offsets;
    composite->getTrimmedOffset(distance, offsets, XtGe::kExtend, tolerance);
    for (XtGeCurve2d* piece : offsets) {
      const std::unique_ptr<XtGeCurve2d> owned(piece);
      if (owned) ++pieces;
    }
  }
  return pieces;
}
