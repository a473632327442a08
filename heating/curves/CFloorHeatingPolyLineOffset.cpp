// The offset copies of a heating polyline.
#include "heating/curves/CFloorHeatingPolyLine.h"

#include "heating/curves/CFloorHeatingArc.h"
#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/HeatingCurveObserver.h"

#include "geometry/curveCopying.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

struct OffsetCurve {
  double length;
  std::unique_ptr<XtGeCurve2d> curve;
};

// The trimmed offset of the composite with the first joint extension that
// gives any curve: extend, then fillet, then chamfer.
std::vector<OffsetCurve> trimmedOffsetCurves(const XtGeCompositeCurve2d& composite, double distance) {
  std::vector<OffsetCurve> curves;
  if (!std::isfinite(distance)) return curves;
  for (const int extension : {XtGe::kExtend, XtGe::kFillet, XtGe::kChamfer}) {
    XtGeCurve2dPtrArray offsets;
    composite.getTrimmedOffset(distance, offsets, extension, XtGeContext::gTol);
    curves.reserve(static_cast<std::size_t>(offsets.length()));
    for (XtGeCurve2d* curve : offsets) {
      if (curve == nullptr) continue;
      std::unique_ptr<XtGeCurve2d> owned(curve);
      const double length = owned->length(XtGeContext::gTol);
      curves.push_back({std::isfinite(length) ? length : 0.0, std::move(owned)});
    }
    if (!curves.empty()) break;
  }
  std::stable_sort(curves.begin(), curves.end(),
                   [](const OffsetCurve& a, const OffsetCurve& b) { return a.length > b.length; });
  return curves;
}

}  // namespace

CFloorHeatingCurve::Ptr CFloorHeatingPolyLine::offsetCopy(double distance) const {
  PtrVector copies;
  if (!offsetCopies(distance, copies)) return nullptr;
  return std::move(copies.front());
}

bool CFloorHeatingPolyLine::offsetCopies(double distance, PtrVector& copies) const {
  std::vector<OffsetCurve> offsets = trimmedOffsetCurves(composite_, distance);
  if (offsets.empty()) {
    // The polyline's own composite stands for its copy: nothing changes it.
    reportFailedPolylineOffset(composite_, composite_, distance, XtGeContext::gTol);
    return false;
  }
  for (OffsetCurve& offset : offsets) {
    XtGeCurve2d& curve = *offset.curve;
    Ptr copy;
    switch (curve.type()) {
      case XtGe::kLineSeg2d: {
        const auto& segment = static_cast<const XtGeLineSeg2d&>(curve);
        copy = std::make_unique<CFloorHeatingLine>(segment.startPoint(), segment.endPoint(), nullptr, tag());
        break;
      }
      case XtGe::kCircArc2d:
        copy = std::make_unique<CFloorHeatingArc>(static_cast<const XtGeCircArc2d&>(curve), nullptr, tag());
        break;
      default: {
        // A composite as it is, any other curve as its one piece.
        auto polyline = std::make_unique<CFloorHeatingPolyLine>(tag());
        polyline->setComposite(std::move(*asComposite(std::move(offset.curve))));
        copy = std::move(polyline);
        break;
      }
    }
    passOriginTo(*copy);
    copies.push_back(std::move(copy));
  }
  return true;
}
