#include "host/entities/imageList.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "geometry/curveCopying.h"
#include "host/entities/commonProperties.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityListPairs.h"
#include "host/entities/finiteValues.h"
#include "platform/ge/XtGeInterval.h"
#include "platform/ge/XtGeLineSeg2d.h"

namespace {

// The corners of the whole image in pixel coordinates, closed.
std::vector<XtGePoint2d> wholeImage(const XtGeVector2d& size) {
  const double right = size.x - 0.5, top = size.y - 0.5;
  return {{-0.5, -0.5}, {right, -0.5}, {right, top}, {-0.5, top}, {-0.5, -0.5}};
}

// The clip points of one simple piece (see entBuilder2D::image).
void appendPieceSamples(const XtGeCurve2d& piece, double pixelsPerUnit, std::vector<XtGePoint2d>& points) {
  if (piece.type() == XtGe::kLineSeg2d) {
    XtGePoint2d start;
    if (piece.hasStartPoint(start)) points.push_back(start);
    return;
  }
  XtGeInterval interval;
  piece.getInterval(interval);
  if (!interval.isBounded()) return;
  const double t0 = interval.lowerBound(), t1 = interval.upperBound();
  const double pixels = piece.length(t0, t1) * pixelsPerUnit / 10.0;
  const int n = std::isfinite(pixels) ? static_cast<int>(std::clamp(pixels, 3.0, 100.0)) : 3;
  for (int i = 0; i + 1 < n; ++i) points.push_back(piece.evalPoint(t0 + (t1 - t0) * i / (n - 1)));
}

std::vector<XtGePoint2d> clipPoints(const XtGeCurve2d* boundary, double pixelsPerUnit) {
  std::vector<XtGePoint2d> points;
  if (boundary == nullptr) return points;
  curvePtrArray pieces;
  curveFlagArray flags;
  if (explodeGeCurve(*boundary, pieces, flags)) {
    for (std::int32_t i = 0; i < pieces.count(); ++i)
      if (pieces[i] != nullptr) appendPieceSamples(*pieces[i], pixelsPerUnit, points);
  } else {
    appendPieceSamples(*boundary, pixelsPerUnit, points);
  }
  for (std::int32_t i = 0; i < pieces.count(); ++i)
    if (i >= flags.count() || flags[i] != kCurveBorrowed) delete pieces[i];
  return points;
}

}  // namespace

XtGeMatrix2d imagePixelFrame(const XtGePoint2d& insertion, const XtGeVector2d& u, const XtGeVector2d& v,
                             const XtGeVector2d& size) {
  XtGeMatrix2d frame;
  frame(0, 0) = u.x;
  frame(1, 0) = u.y;
  frame(0, 1) = -v.x;
  frame(1, 1) = -v.y;
  frame(0, 2) = insertion.x;
  frame(1, 2) = insertion.y;
  return XtGeMatrix2d::translation(v * size.y) * frame * XtGeMatrix2d::translation({0.5, 0.5});
}

resbuf* entBuilder2D::image(const ltEntProps& props, const XtGePoint2d& insertion, const XtGeVector2d& u,
                            const XtGeVector2d& v, const XtGeVector2d& size, const XtGeCurve2d* clipBoundary,
                            const resbuf* previous, std::u16string_view typeName, std::u16string_view subclassName) {
  if (!allFinite({insertion.x, insertion.y, u.x, u.y, v.x, v.y, size.x, size.y})) return nullptr;
  const bool isImage = typeName == u"IMAGE";
  if (isImage && entReader2D::firstGroup(previous, 340) == nullptr) return nullptr;
  XtGeMatrix2d toPixels = imagePixelFrame(insertion, u, v, size);
  if (toPixels.det() == 0.0 || !toPixels.invert() || !toPixels.isFinite()) return nullptr;
  const double pixelsPerUnit = (toPixels * XtGeVector2d(1.0, 0.0)).length();
  std::vector<XtGePoint2d> points = clipPoints(clipBoundary, pixelsPerUnit);
  for (XtGePoint2d& p : points) p = toPixels * p;
  if (points.empty()) {
    points = wholeImage(size);
    points.pop_back();
  }
  for (const XtGePoint2d& p : points)
    if (!allFinite({p.x, p.y})) return nullptr;
  const resbuf* oldFlags = entReader2D::firstGroup(previous, 70);
  const int flags = oldFlags ? (oldFlags->value.i16 | 4) : 7;

  entityListPairs pairs(props, typeName, previous);
  pairs.add(100, subclassName);
  pairs.addPoint(10, insertion.x, insertion.y);
  pairs.addPoint(11, u.x, u.y);
  pairs.addPoint(12, v.x, v.y);
  pairs.addPoint(13, size.x, size.y);
  pairs.addKept(340, previous);
  pairs.add(70, flags);
  pairs.add(280, 1);
  for (int code : {281, 282, 283, 360}) pairs.addKept(code, previous);
  pairs.add(71, 2);
  pairs.add(91, static_cast<std::int32_t>(points.size() + 1));
  for (const XtGePoint2d& p : points) pairs.addPoint(14, p.x, p.y);
  pairs.addPoint(14, points.front().x, points.front().y);
  return pairs.build(props);
}

int entReader2D::image(XtGePoint2d& insertion, XtGeVector2d& u, XtGeVector2d& v, XtGeVector2d& size,
                       XtGeCompositeCurve2d& clipBoundary, const resbuf* list, ltEntProps* props,
                       std::u16string_view typeName) {
  if (!isListOfType(list, {typeName})) return 0;
  const resbuf* at = firstGroup(list, 10);
  const resbuf* uNode = firstGroup(list, 11);
  const resbuf* vNode = firstGroup(list, 12);
  const resbuf* sizeNode = firstGroup(list, 13);
  if (!at || !uNode || !vNode || !sizeNode) return 0;
  auto integer = [list](int code, int fallback) {
    const resbuf* node = firstGroup(list, code);
    if (node == nullptr) return fallback;
    return code == 91 ? static_cast<int>(node->value.i32) : static_cast<int>(node->value.i16);
  };
  const XtGePoint2d origin = point2dOf(at);
  const XtGeVector2d uAxis = vector2dOf(uNode), vAxis = vector2dOf(vNode), pixels = vector2dOf(sizeNode);
  std::vector<XtGePoint2d> points;
  for (const resbuf* node = list; node != nullptr; node = node->next)
    if (node->code == 14) points.push_back(point2dOf(node));

  if ((integer(70, 7) & 4) != 0 && (integer(280, 1) & 1) != 0) {
    const int type = integer(71, 1);
    const int count = integer(91, 0);
    if (type >= 2 && (points.size() < 3 || static_cast<int>(points.size()) != count)) return 0;
    if (type < 2) {
      if (points.size() != 2 || count != 2) return 0;
      const XtGePoint2d a = points[0], b = points[1];
      points = {a, {b.x, a.y}, b, {a.x, b.y}, a};
    }
  } else {
    points = wholeImage(pixels);
  }
  if (points.front() != points.back()) points.push_back(points.front());

  const XtGeMatrix2d toDrawing = imagePixelFrame(origin, uAxis, vAxis, pixels);
  if (!toDrawing.isFinite() || toDrawing.det() == 0.0) return 0;
  std::vector<std::unique_ptr<XtGeCurve2d>> edges;
  edges.reserve(points.size());
  XtGePoint2d from = toDrawing * points.front();
  if (!allFinite({from.x, from.y})) return 0;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const XtGePoint2d to = toDrawing * points[i];
    if (!allFinite({to.x, to.y})) return 0;
    if (to.x == from.x && to.y == from.y) continue;  // a repeated point adds no edge
    edges.push_back(std::make_unique<XtGeLineSeg2d>(from, to));
    from = to;
  }
  if (edges.size() < 2) return 0;
  insertion = origin;
  u = uAxis;
  v = vAxis;
  size = pixels;
  clipBoundary = XtGeCompositeCurve2d(std::move(edges));
  if (props != nullptr) entReader2D::commonProperties(*props, list, false);
  return 1;
}
