#include "heating/curves/HeatingCurveExplode.h"

#include "heating/curves/CFloorHeatingArc.h"
#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/CFloorHeatingPolyLine.h"

CFloorHeatingCurve::PtrVector explodeCurve(const CFloorHeatingCurve& curve) {
  CFloorHeatingCurve::PtrVector pieces;
  const auto* polyline = dynamic_cast<const CFloorHeatingPolyLine*>(&curve);
  if (polyline == nullptr) {
    pieces.push_back(curve.extendedCopyAt(curve.midPoint(), 0.0));
    return pieces;
  }
  const XtGeCompositeCurve2d& composite = polyline->composite();
  pieces.reserve(static_cast<std::size_t>(composite.numCurves()));
  for (int i = 0; i < composite.numCurves(); ++i) {
    const XtGeCurve2d& piece = *composite.curveAt(i);
    CFloorHeatingCurve::Ptr heatingPiece;
    if (piece.type() == XtGe::kLineSeg2d) {
      const auto& segment = static_cast<const XtGeLineSeg2d&>(piece);
      heatingPiece = std::make_unique<CFloorHeatingLine>(segment.startPoint(), segment.endPoint(), nullptr,
                                                         curve.tag());
    } else if (piece.type() == XtGe::kCircArc2d) {
      heatingPiece = std::make_unique<CFloorHeatingArc>(static_cast<const XtGeCircArc2d&>(piece), nullptr,
                                                        curve.tag());
    } else {
      continue;
    }
    heatingPiece->setSource(curve.rootSource());
    heatingPiece->setEntityRecord(curve.entityRecord());
    pieces.push_back(std::move(heatingPiece));
  }
  return pieces;
}
