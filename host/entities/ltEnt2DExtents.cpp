// getExtents of every entity kind: the bound block of the geometry for the
// curve and outline kinds (curveBoundBlock), of the clip boundary for images,
// and the box of the text for the text kinds. Unbounded lines and rays, the
// catch-all kind and block references (see ltInsert2D::getBlockExtents)
// answer false.
#include <cmath>

#include "geometry/curveBoundBlock.h"
#include "geometry/mtextFormat.h"
#include "host/CodePageText.h"
#include "host/HvHostApi.h"
#include "host/entities/ltAbscissa2D.h"
#include "host/entities/ltArc2D.h"
#include "host/entities/ltEllipse2D.h"
#include "host/entities/ltHatch2D.h"
#include "host/entities/ltImage2D.h"
#include "host/entities/ltMText2D.h"
#include "host/entities/ltPoint2D.h"
#include "host/entities/ltPolyline2D.h"
#include "host/entities/ltSolid2D.h"
#include "host/entities/ltText2D.h"

namespace {

// The parallelogram origin, origin + u, origin + v, origin + u + v.
bool boxExtents(const XtGePoint2d& origin, const XtGeVector2d& u, const XtGeVector2d& v, XtGeBoundBlock2d& extents,
                bool merge) {
  if (!origin.isFinite() || !u.isFinite() || !v.isFinite()) return false;
  XtGeBoundBlock2d box(origin, origin + u);
  box.extend(origin + v).extend(origin + u + v);
  if (merge) extents.extend(box);
  else extents = box;
  return true;
}

XtGeVector2d turned(XtGeVector2d vector, double angle) { return vector.rotateBy(angle); }

}  // namespace

bool ltEnt2D::getExtents(XtGeBoundBlock2d&, bool) const { return false; }

bool ltAbscissa2D::getExtents(XtGeBoundBlock2d& extents, bool merge) const {
  return curveBoundBlock(geometry(), extents, merge);
}
bool ltArc2D::getExtents(XtGeBoundBlock2d& extents, bool merge) const {
  return curveBoundBlock(geometry(), extents, merge);
}
bool ltEllipse2D::getExtents(XtGeBoundBlock2d& extents, bool merge) const {
  return curveBoundBlock(geometry(), extents, merge);
}
bool ltPolyline2D::getExtents(XtGeBoundBlock2d& extents, bool merge) const {
  return compositeBoundBlock(geometry(), extents, merge);
}
bool ltSolid2D::getExtents(XtGeBoundBlock2d& extents, bool merge) const {
  return compositeBoundBlock(geometry(), extents, merge);
}
bool ltHatch2D::getExtents(XtGeBoundBlock2d& extents, bool merge) const {
  if (loops_.empty()) return false;
  for (const ltHatchLoop& loop : loops_) {
    compositeBoundBlock(loop.curve, extents, merge);
    merge = true;
  }
  return true;
}

bool ltImage2D::getExtents(XtGeBoundBlock2d& extents, bool merge) const {
  return compositeBoundBlock(clipBoundary, extents, merge);
}

bool ltPoint2D::getExtents(XtGeBoundBlock2d& extents, bool merge) const {
  if (!geometry().isFinite()) return false;
  pointBoundBlock(geometry(), extents, merge);
  return true;
}

// The box the host draws a single-line text in: as wide as its characters
// at 0.9 of the height (times the width factor), 4/3 of the height high,
// from a quarter of the height below the base line; aligned and fit texts
// span their two points. The backward and upside-down flags mirror it.
bool ltText2D::getExtents(XtGeBoundBlock2d& extents, bool merge) const {
  constexpr std::int16_t backward = 2;
  constexpr std::int16_t upsideDown = 4;
  const textValues& t = values_;
  CString shown;
  expandTextControlCodes(shown, t.value.c_str());
  const double n = shown.GetLength();
  XtGeVector2d u = turned({n * t.height * 0.9 * t.widthFactor, 0.0}, t.rotation);
  XtGeVector2d v = turned({0.0, t.height * 4.0 / 3.0}, t.rotation);
  const bool spansPoints = t.hJust == 3 || t.hJust == 5;
  if (spansPoints) u = t.alignment - t.insertion;
  if (t.generationFlags & backward) {
    if (spansPoints) v = -v;
    else u = -u;
  }
  if (t.generationFlags & upsideDown) v = -v;
  return boxExtents(t.insertion - v * 0.25, u, v, extents, merge);
}

// The lines measured by the host's text extents (slot 28) at the copy's
// height and style, placed by the attachment point; without the host's
// measure the box is the insertion point alone.
bool ltMText2D::getExtents(XtGeBoundBlock2d& extents, bool merge) const {
  CString lines;
  double widthFactor = 1.0;
  splitTextLines(text, lines, &widthFactor);
  double w = 0.0;
  double h = 0.0;
  callHostApi<28>(lines.GetString(), style.c_str(), height, widthFactor, &w, &h);
  if (!std::isfinite(w) || !std::isfinite(h)) w = h = 0.0;
  const XtGeVector2d u = turned({w, 0.0}, rotation);
  const XtGeVector2d v = turned({0.0, h}, rotation);
  // Attachment 1..9: rows top, middle, bottom; columns left, centre, right.
  const int row = (attachment >= 1 && attachment <= 9) ? (attachment - 1) / 3 : 2;
  const int column = (attachment >= 1 && attachment <= 9) ? (attachment - 1) % 3 : 0;
  const double down[] = {1.0, 0.5, 0.0};
  const double left[] = {0.0, 0.5, 1.0};
  return boxExtents(insertion - u * left[column] - v * down[row], u, v, extents, merge);
}
