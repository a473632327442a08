// transformBy and reverseParam of every entity kind.
//
// A transformed copy is marked dirty, so that the next getUpdatedList
// rewrites its list from the moved fields; the catch-all kind edits its
// list in place and stays clean. Kinds refuse (false, unchanged) what their
// geometry cannot follow: a circular arc, or a polyline holding one, under
// a non-uniform scale.
#include <algorithm>
#include <cmath>

#include "host/entities/ltAbscissa2D.h"
#include "host/entities/ltArc2D.h"
#include "host/entities/ltEllipse2D.h"
#include "host/entities/ltHatch2D.h"
#include "host/entities/ltImage2D.h"
#include "host/entities/ltLine2D.h"
#include "host/entities/ltMText2D.h"
#include "host/entities/ltPoint2D.h"
#include "host/entities/ltPolyline2D.h"
#include "host/entities/ltRay2D.h"
#include "host/entities/ltSolid2D.h"
#include "host/entities/ltText2D.h"
#include "host/entities/ltUnknown2D.h"
#include "platform/ge/XtGeMatrix2d.h"

namespace {

// The geometry of a geometry kind moved; dirty when it followed.
template <class Kind>
bool transformGeometry(Kind& entity, const XtGeMatrix2d& matrix) {
  if (!matrix.isFinite() || !entity.geometry().transformBy(matrix)) return false;
  entity.markDirty();
  return true;
}

template <class Kind>
bool reverseGeometry(Kind& entity) {
  entity.geometry().reverseParam();
  entity.markDirty();
  return true;
}

// The angle of the direction at `angle` once transformed (the angles of
// texts and dimensions follow their direction vectors).
double transformedAngle(double angle, const XtGeMatrix2d& matrix) {
  return (matrix * XtGeVector2d(std::cos(angle), std::sin(angle))).angle();
}

// The matrix keeps lengths finite and directions defined: nothing degenerate
// goes into a text's height or rotation.
bool canMoveTexts(const XtGeMatrix2d& matrix) { return matrix.isFinite() && matrix.det() != 0.0; }

bool sameText(const char16_t* a, const char16_t* b) {
  return a != nullptr && b != nullptr && std::u16string_view(a) == std::u16string_view(b);
}

}  // namespace

// Kinds that cannot be moved or reversed (block references, rays ...).
bool ltEnt2D::transformBy(const XtGeMatrix2d&) { return false; }
bool ltEnt2D::reverseParam() { return false; }

bool ltAbscissa2D::transformBy(const XtGeMatrix2d& matrix) { return transformGeometry(*this, matrix); }
bool ltArc2D::transformBy(const XtGeMatrix2d& matrix) { return transformGeometry(*this, matrix); }
bool ltEllipse2D::transformBy(const XtGeMatrix2d& matrix) { return transformGeometry(*this, matrix); }
bool ltLine2D::transformBy(const XtGeMatrix2d& matrix) { return transformGeometry(*this, matrix); }
bool ltRay2D::transformBy(const XtGeMatrix2d& matrix) { return transformGeometry(*this, matrix); }
bool ltSolid2D::transformBy(const XtGeMatrix2d& matrix) { return transformGeometry(*this, matrix); }

bool ltPoint2D::transformBy(const XtGeMatrix2d& matrix) {
  if (!matrix.isFinite()) return false;
  geometry().transformBy(matrix);
  markDirty();
  return true;
}

bool ltPolyline2D::transformBy(const XtGeMatrix2d& matrix) {
  if (!transformGeometry(*this, matrix)) return false;
  const double scale = matrix.scale();
  for (double& width : widths_) width *= scale;
  return true;
}

bool ltImage2D::transformBy(const XtGeMatrix2d& matrix) {
  if (!matrix.isFinite()) return false;
  XtGeCompositeCurve2d boundary = clipBoundary;
  if (boundary.numCurves() > 0 && !boundary.transformBy(matrix)) return false;
  clipBoundary = std::move(boundary);
  insertion.transformBy(matrix);
  u.transformBy(matrix);
  v.transformBy(matrix);
  markDirty();
  return true;
}

bool ltHatch2D::transformBy(const XtGeMatrix2d& matrix) {
  if (!matrix.isFinite() || matrix.det() == 0.0) return false;
  std::vector<ltHatchLoop> loops = loops_;
  for (ltHatchLoop& loop : loops)
    if (!loop.curve.transformBy(matrix)) return false;
  std::vector<ltHatchPatternLine> lines = patternLines_;
  for (ltHatchPatternLine& line : lines) {
    const XtGeVector2d along = matrix * XtGeVector2d(std::cos(line.angle), std::sin(line.angle));
    line.angle = along.angle();
    line.base.transformBy(matrix);
    line.offset.transformBy(matrix);
    for (double& dash : line.dashes) dash *= along.length();
  }
  loops_ = std::move(loops);
  patternLines_ = std::move(lines);
  markDirty();
  return true;
}

bool ltText2D::transformBy(const XtGeMatrix2d& matrix) {
  if (!canMoveTexts(matrix)) return false;
  textValues& t = values_;
  t.height = (matrix * XtGeVector2d(0.0, t.height)).length();
  t.insertion.transformBy(matrix);
  t.alignment.transformBy(matrix);
  t.rotation = transformedAngle(t.rotation, matrix);
  markDirty();
  return true;
}

bool ltMText2D::transformBy(const XtGeMatrix2d& matrix) {
  if (!canMoveTexts(matrix)) return false;
  // The reference width grows with the height, so the lines wrap where
  // they did.
  const double factor = (matrix * XtGeVector2d(1.0, 0.0)).length();
  insertion.transformBy(matrix);
  rotation = transformedAngle(rotation, matrix);
  height *= factor;
  if (width > 0.0) width *= factor;
  markDirty();
  return true;
}

// Only an aligned (or rotated) dimension is moved: its definition points
// and its angles, in the list itself. The copy stays clean: the list is
// what it holds.
bool ltUnknown2D::transformBy(const XtGeMatrix2d& matrix) {
  if (!matrix.isFinite()) return false;
  const resbuf* held = getList();
  const resbuf* type = held;
  while (type != nullptr && type->code != 0) type = type->next;
  if (type == nullptr || !sameText(type->value.str, u"DIMENSION")) return false;
  bool aligned = false;
  for (const resbuf* node = type; node != nullptr && node->code < 1000 && !aligned; node = node->next)
    aligned = node->code == 100 && sameText(node->value.str, u"AcDbAlignedDimension");
  if (!aligned) return false;
  resbuf* list = editableList();
  if (list == nullptr) return false;
  while (list != nullptr && list->code != 0) list = list->next;
  for (resbuf* node = list; node != nullptr && node->code < 1000; node = node->next) {
    if (node->code >= 10 && node->code <= 16) {
      const XtGePoint2d moved = matrix * XtGePoint2d(node->value.point[0], node->value.point[1]);
      node->value.point[0] = moved.x;
      node->value.point[1] = moved.y;
      node->value.point[2] = 0.0;
    } else if (node->code == 50 || node->code == 51 || node->code == 53) {
      // The dimension line's angle, the horizontal direction and the text
      // rotation turn with the points (a rotated dimension measures along 50).
      node->value.real = transformedAngle(node->value.real, matrix);
    }
  }
  return true;
}

bool ltAbscissa2D::reverseParam() { return reverseGeometry(*this); }
bool ltArc2D::reverseParam() { return reverseGeometry(*this); }
bool ltEllipse2D::reverseParam() { return reverseGeometry(*this); }
bool ltLine2D::reverseParam() { return reverseGeometry(*this); }

bool ltPolyline2D::reverseParam() {
  // Widths are start/end pairs per piece: running the pieces backwards
  // reverses the pairs and swaps each pair, which is reversing the first
  // 2n values. A short array is first filled as the writer reads it (the
  // pair of the piece before).
  const std::size_t pieces = static_cast<std::size_t>(std::max(geometry().numCurves(), 0));
  if (!widths_.empty() && pieces > 0) {
    if (widths_.size() % 2 != 0) widths_.push_back(widths_.back());
    while (widths_.size() < 2 * pieces) {
      const double start = widths_[widths_.size() - 2];
      const double end = widths_.back();
      widths_.push_back(start);
      widths_.push_back(end);
    }
    widths_.resize(2 * pieces);
    std::reverse(widths_.begin(), widths_.end());
  }
  return reverseGeometry(*this);
}

bool ltText2D::reverseParam() {
  constexpr std::int16_t backward = 2;
  textValues& t = values_;
  switch (t.hJust) {
    case 0:
    case 2:
      t.generationFlags ^= backward;
      t.hJust = static_cast<std::int16_t>(2 - t.hJust);
      markDirty();
      return true;
    case 1:
    case 4:
      t.generationFlags ^= backward;
      markDirty();
      return true;
    case 3:
    case 5:
      return false;  // aligned and fit texts run between their two points
    default:
      return true;
  }
}
