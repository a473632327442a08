#include "heating/design/drawing/CFHDistributorInOut.h"

#include "heating/design/drawing/CFHDrawingInOut.h"

#include "host/HostExport.h"
#include "host/ResbufChain.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/ltInsert2D.h"
#include "host/ltListRef.h"

#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeMatrix3d.h"

#include <cmath>
#include <numbers>

namespace {

// The block transform: block coordinates (base point b) to the world, for
// the reference's values in its own plane, then that plane to the world.
XtGeMatrix3d blockTransform(const ltInsert2D& insert, const XtGeVector3d& extrusion) {
  // The reader brings a reference seen from below into the drawing plane
  // (x of the insertion and the y scale negated, the rotation pi - r); undo
  // that to get the values in the reference's own plane back.
  XtGePoint2d insertion = insert.insertion;
  double rotation = insert.rotation;
  double sy = insert.scale.sy;
  if (extrusion.z < 0.0) {
    insertion.x = -insertion.x;
    rotation = std::numbers::pi - rotation;
    sy = -sy;
  }
  const XtGeMatrix3d turn = XtGeMatrix3d::rotation(rotation, XtGeVector3d::kZAxis);
  const XtGeMatrix3d align = XtGeMatrix3d::alignCoordSys(
      XtGePoint3d(insert.basePoint.x, insert.basePoint.y, 0.0), XtGeVector3d::kXAxis, XtGeVector3d::kYAxis,
      XtGeVector3d::kZAxis, XtGePoint3d(insertion.x, insertion.y, 0.0), turn * (XtGeVector3d::kXAxis * insert.scale.sx),
      turn * (XtGeVector3d::kYAxis * sy), XtGeVector3d::kZAxis * insert.scale.sz);
  return XtGeMatrix3d::planeToWorld(extrusion) * align;
}

// The start points of the entity's curve: every piece of a composite, or
// the curve's own start; none for an entity without curve.
void appendStartPoints(const ltEnt2D& entity, std::vector<XtGePoint2d>& points) {
  const XtGeCurve2d* curve = entity.getCurve();
  if (curve == nullptr) return;
  XtGePoint2d start;
  if (curve->type() == XtGe::kCompositeCrv2d) {
    const auto* composite = static_cast<const XtGeCompositeCurve2d*>(curve);
    for (int i = 0; i < composite->numCurves(); ++i) {
      const XtGeCurve2d* piece = composite->curveAt(i);
      if (piece != nullptr && piece->hasStartPoint(start)) points.push_back(start);
    }
  } else if (curve->hasStartPoint(start)) {
    points.push_back(start);
  }
}

}  // namespace

CFHDistributorInOut::CFHDistributorInOut(const resbuf* list) : CFHEntityInOut(kDistributor, list) {
  setValid(parseManifold(this->list()));
}

bool CFHDistributorInOut::parseManifold(const resbuf* list) {
  ltInsert2D insert;
  ltListRef* holder = ltListRef::create(list != nullptr ? copyResbufChain(list, false) : nullptr);
  const bool read = insert.setFromResbuf(holder, true) == 0;
  releaseResbufHolder(holder);
  if (!read) return false;
  const resbuf* insertion = entReader2D::firstGroup(list, 10);
  if (insertion == nullptr) return false;
  ltEntArray entities;
  if (!insert.getBlockEntities(entities, getExport2D(), nullptr)) return false;
  const resbuf* normal = entReader2D::firstGroup(list, 210);
  const XtGeVector3d extrusion =
      normal != nullptr ? XtGeVector3d(normal->value.point[0], normal->value.point[1], normal->value.point[2])
                        : XtGeVector3d::kZAxis;
  const XtGeMatrix3d transform = blockTransform(insert, extrusion);

  std::vector<XtGePoint2d> blockPoints;
  for (const auto& entity : entities)
    if (entity) appendStartPoints(*entity, blockPoints);
  std::vector<XtGePoint2d> points;
  points.reserve(blockPoints.size());
  for (const XtGePoint2d& p : blockPoints) {
    const XtGePoint3d world = transform * XtGePoint3d(p.x, p.y, 0.0);
    points.emplace_back(world.x, world.y);
  }

  // The first point in user coordinates: through the host's conversion, or,
  // without it, through the user coordinate system the frame reads, so that
  // the offset and the work matrix always agree.
  XtGePoint2d first = points.empty() ? XtGePoint2d(0.0, 0.0) : points.front();
  double p[2] = {first.x, first.y};
  if (!callHostWord<36>(p, 0)) {
    first = CFHDrawingInOut::instance().worldToUser(first);
    p[0] = first.x;
    p[1] = first.y;
  }
  elevation = insertion->value.point[2];
  offset = XtGeVector2d(-p[0], -p[1]);
  connectionPoints = std::move(points);
  return true;
}

void CFHDistributorInOut::transformToWork() {
  const XtGeMatrix2d& matrix = workMatrix();
  for (XtGePoint2d& p : connectionPoints) p = matrix * p;
}
