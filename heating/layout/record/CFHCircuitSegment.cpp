#include "heating/layout/record/CFHCircuitSegment.h"

const CFloorHeatingCurve* rootSourceOf(const CFloorHeatingCurve* curve) {
  if (curve == nullptr) return nullptr;
  const CFloorHeatingCurve* root = curve->source();
  if (root == nullptr) return nullptr;
  for (int step = 1; step < kMaxSourceChain && root->source() != nullptr; ++step) root = root->source();
  return root;
}

CFHCircuitSegment::CFHCircuitSegment(CFHPipeEnd* startEnd, CFHPipeEnd* endEnd, CFloorHeatingCurve::Ptr curve,
                                     std::uint32_t value)
    : startEnd(startEnd), endEnd(endEnd), curve(std::move(curve)), rootSource(rootSourceOf(this->curve.get())),
      value(value) {}
