#include "heating/layout/DeleteAndClear.h"

#include "heating/curves/CFloorHeatingCurve.h"

void deleteCurvesAndClear(std::vector<CFloorHeatingCurve*>& curves) {
  for (CFloorHeatingCurve*& curve : curves) {
    delete curve;
    curve = nullptr;
  }
  curves.clear();
}
