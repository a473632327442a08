#include "host/entities/solidList.h"

#include <array>
#include <memory>

#include "geometry/Tolerances.h"
#include "geometry/curveCopying.h"
#include "host/entities/commonProperties.h"
#include "host/entities/curveListSteps.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityHeader.h"
#include "platform/ge/XtGeLineSeg2d.h"

resbuf* entBuilder2D::solid(const ltEntProps& props, const XtGeCompositeCurve2d& outline,
                            const XtGeMatrix2d& matrix, const resbuf* previous) {
  if (!outline.xtIsClosed(workTol)) return nullptr;
  XtGeCompositeCurve2d copy(outline);
  if (!copy.transformBy(matrix)) return nullptr;
  curvePtrArray pieces;
  curveFlagArray flags;
  explodeGeCurve(copy, pieces, flags);  // borrowed from the copy
  const int count = pieces.length();
  if (count != 3 && count != 4) return nullptr;
  std::array<XtGePoint2d, 4> corners;
  for (int i = 0; i < count; ++i) {
    if (pieces[i]->type() != XtGe::kLineSeg2d) return nullptr;
    corners[i] = static_cast<const XtGeLineSeg2d*>(pieces[i])->startPoint();
    if (!corners[i].isFinite()) return nullptr;
  }
  if (count == 3) corners[3] = corners[2];
  const std::vector<ResbufPair> body{{100, u"AcDbTrace"},
                                     {10, widenPointTo3d(corners[0])},
                                     {11, widenPointTo3d(corners[1])},
                                     {12, widenPointTo3d(corners[3])},
                                     {13, widenPointTo3d(corners[2])}};
  return curveLists::assemble(props, u"SOLID", previous, body);
}

bool entReader2D::solid(XtGeCompositeCurve2d& outline, const resbuf* list, ltEntProps* props) {
  std::array<XtGePoint2d, 4> read;  // 10, 11, 13, 12: the outline order
  if (!isListOfType(list, {u"SOLID"}) || !curveLists::finitePoint(list, 10, read[0]) ||
      !curveLists::finitePoint(list, 11, read[1]) || !curveLists::finitePoint(list, 12, read[3]))
    return false;
  const resbuf* fourth = firstGroup(list, 13);
  if (fourth == nullptr) read[2] = read[3];
  else if (!curveLists::finitePointOf(fourth, read[2])) return false;

  std::array<XtGePoint2d, 4> points;
  int count = 0;
  for (const XtGePoint2d& p : read) {
    bool repeated = false;
    for (int i = 0; i < count && !repeated; ++i) repeated = points[i].isEqualTo(p, workTol);
    if (!repeated) points[count++] = p;
  }
  if (count < 3) return false;
  std::vector<std::unique_ptr<XtGeCurve2d>> sides;
  sides.reserve(count);
  sides.push_back(std::make_unique<XtGeLineSeg2d>(points[count - 1], points[0]));
  for (int i = 0; i + 1 < count; ++i) sides.push_back(std::make_unique<XtGeLineSeg2d>(points[i], points[i + 1]));
  outline.setCurveList(std::move(sides));
  if (props) commonProperties(*props, list, false);
  return true;
}
