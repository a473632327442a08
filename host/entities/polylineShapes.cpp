#include "host/entities/polylineShapes.h"

#include <memory>
#include <vector>

#include "host/entities/lwPolylineList.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

resbuf* writeRectangle(const ltEntProps& props, const XtGePoint2d& corner1, const XtGePoint2d& corner2,
                       const XtGeMatrix2d& matrix, const resbuf* previous) {
  const XtGePoint2d corners[] = {corner1, {corner1.x, corner2.y}, corner2, {corner2.x, corner1.y}, corner1};
  std::vector<std::unique_ptr<XtGeCurve2d>> edges;
  for (int i = 0; i < 4; ++i) edges.push_back(std::make_unique<XtGeLineSeg2d>(corners[i], corners[i + 1]));
  const XtGeCompositeCurve2d outline(std::move(edges));
  return entBuilder2D::polyline(props, outline, matrix, previous, nullptr);
}

resbuf* polylineWithWidths(const ltEntProps& props, const XtGeCurve2d& curve, const XtGeMatrix2d& matrix,
                           const resbuf* previous, double startWidth, double endWidth, double constantWidth) {
  // One pair serves every segment: the builder gives a segment beyond the
  // array the widths of the segment before.
  const bool constant = startWidth == 0.0 && endWidth == 0.0;
  const std::vector<double> widths{constant ? constantWidth : startWidth, constant ? constantWidth : endWidth};
  return entBuilder2D::polyline(props, curve, matrix, previous, &widths);
}
