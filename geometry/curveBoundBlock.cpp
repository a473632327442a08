#include "geometry/curveBoundBlock.h"

#include "geometry/Tolerances.h"

#include <algorithm>

namespace {

void setOrExtend(XtGeBoundBlock2d& block, const XtGeBoundBlock2d& box, bool extend) {
  block.setToBox(true);
  if (extend)
    block.extend(box);
  else
    block = box;
}

void setOrExtend(XtGeBoundBlock2d& block, const XtGePoint2d& a, const XtGePoint2d& b, bool extend) {
  setOrExtend(block, XtGeBoundBlock2d(a, b), extend);
}

}  // namespace

bool arcBoundBlock(const XtGeCircArc2d& arc, XtGeBoundBlock2d& block, bool extend) {
  XtGePoint2d lo = arc.startPoint();
  XtGePoint2d hi = lo;
  const auto widen = [&](const XtGePoint2d& p) {
    lo.set(std::min(lo.x, p.x), std::min(lo.y, p.y));
    hi.set(std::max(hi.x, p.x), std::max(hi.y, p.y));
  };
  widen(arc.endPoint());
  const XtGePoint2d c = arc.center();
  const double r = arc.radius();
  const XtGePoint2d axisPoints[4] = {{c.x, c.y + r}, {c.x, c.y - r}, {c.x + r, c.y}, {c.x - r, c.y}};
  for (const XtGePoint2d& p : axisPoints)
    if (arc.isOn(p, workTol)) widen(p);
  setOrExtend(block, lo, hi, extend);
  return true;
}

bool ellipArcBoundBlock(const XtGeEllipArc2d& arc, XtGeBoundBlock2d& block, bool extend) {
  setOrExtend(block, arc.orthoBoundBlock(), extend);
  return true;
}

bool lineSegBoundBlock(const XtGeLineSeg2d& segment, XtGeBoundBlock2d& block, bool extend) {
  setOrExtend(block, segment.startPoint(), segment.endPoint(), extend);
  return true;
}

bool compositeBoundBlock(const XtGeCompositeCurve2d& composite, XtGeBoundBlock2d& block, bool extend) {
  if (composite.numCurves() == 0) return false;
  for (int i = 0; i < composite.numCurves(); ++i)
    curveBoundBlock(*composite.curveAt(i), block, i == 0 ? extend : true);
  return true;
}

bool curveBoundBlock(const XtGeCurve2d& curve, XtGeBoundBlock2d& block, bool extend) {
  switch (curve.type()) {
    case XtGe::kCircArc2d:
      return arcBoundBlock(static_cast<const XtGeCircArc2d&>(curve), block, extend);
    case XtGe::kEllipArc2d:
      return ellipArcBoundBlock(static_cast<const XtGeEllipArc2d&>(curve), block, extend);
    case XtGe::kLineSeg2d:
      return lineSegBoundBlock(static_cast<const XtGeLineSeg2d&>(curve), block, extend);
    case XtGe::kCompositeCrv2d:
      if (compositeBoundBlock(static_cast<const XtGeCompositeCurve2d&>(curve), block, extend)) return true;
      break;
    default:
      break;
  }
  setOrExtend(block, curve.orthoBoundBlock(), extend);
  return true;
}

void pointBoundBlock(const XtGePoint2d& point, XtGeBoundBlock2d& block, bool extend) {
  setOrExtend(block, point, point, extend);
}

bool curveListBoundBlock(const curvePtrArray& curves, XtGeBoundBlock2d& block) {
  if (curves.isEmpty()) return false;
  for (int i = 0; i < curves.count(); ++i)
    if (curves[i] == nullptr || !curveBoundBlock(*curves[i], block, i > 0)) return false;
  return true;
}
