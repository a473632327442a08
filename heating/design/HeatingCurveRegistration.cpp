#include "heating/design/HeatingCurveRegistration.h"

#include "heating/design/CFHModel.h"

void copyCurvePiecesLocked(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept {
  CFHModel::recordCurveConstruction(curve, tag);
}

void copyCurvePiecesLockedFlag(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept {
  CFHModel::recordCurveDestruction(curve, tag);
}

void setStateBitsLocked(CFHModel* model, std::uint32_t bits) {
  if (model != nullptr) model->setStateBits(bits);
}

void setCurrentModelStateBits(std::uint32_t bits) { CFHModel::setCurrentStateBits(bits); }
