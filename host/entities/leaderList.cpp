#include "host/entities/leaderList.h"

#include <cmath>
#include <memory>
#include <vector>

#include "host/ResbufChain.h"
#include "host/entities/commonProperties.h"
#include "host/entities/dimStyleOverride.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityListPairs.h"
#include "host/entities/finiteValues.h"
#include "host/entities/ucsMatrix.h"
#include "platform/ge/XtGeLineSeg2d.h"

namespace {

bool writableVertices(std::span<const XtGePoint2d> vertices) {
  if (vertices.size() < 2 || vertices.size() > 32767) return false;
  for (const XtGePoint2d& p : vertices)
    if (!allFinite({p.x, p.y})) return false;
  return true;
}

void appendVertices(entityListPairs& pairs, std::u16string_view styleName, std::span<const XtGePoint2d> vertices) {
  pairs.add(100, u"AcDbLeader");
  pairs.add(3, styleName);
  pairs.add(76, static_cast<int>(vertices.size()));
  for (const XtGePoint2d& p : vertices) pairs.addPoint(10, p.x, p.y);
}

// The arrow overrides: 341 the block handle and, for a size other than 0, 41.
resbuf* arrowOverrides(std::u16string_view arrowBlock, double arrowSize) {
  resbuf* data = nullptr;
  if (!arrowBlock.empty()) {
    std::u16string handle(arrowBlock);
    resbuf node{};
    node.code = 1005;
    node.value.str = handle.data();
    data = setDimStyleOverride(data, 341, node);
  }
  if (arrowSize != 0.0) data = setDimStyleOverrideReal(data, 41, arrowSize);
  return data;
}

}  // namespace

resbuf* entBuilder2D::leader(const ltEntProps& props, std::span<const XtGePoint2d> vertices,
                             std::u16string_view arrowBlock, std::u16string_view styleName, double arrowSize) {
  if (!writableVertices(vertices) || !std::isfinite(arrowSize)) return nullptr;
  entityListPairs pairs(props, u"LEADER");
  appendVertices(pairs, styleName, vertices);
  if (!arrowBlock.empty()) {
    for (int code : {71, 72, 74, 75}) pairs.add(code, code == 71 ? 1 : 0);
    pairs.splice(arrowOverrides(arrowBlock, arrowSize));
  }
  return pairs.build(props);
}

resbuf* entBuilder2D::leaderAnnotated(const ltEntProps& props, std::span<const XtGePoint2d> vertices,
                                      std::u16string_view arrowBlock, std::u16string_view styleName,
                                      double arrowSize, int annotationType, std::u16string_view annotationHandle,
                                      const XtGeVector2d& offset) {
  if (!writableVertices(vertices) || !allFinite({arrowSize, offset.x, offset.y})) return nullptr;
  entityListPairs pairs(props, u"LEADER");
  appendVertices(pairs, styleName, vertices);
  pairs.add(71, arrowBlock.empty() ? 0 : 1);
  pairs.add(72, 0);
  pairs.add(73, annotationHandle.empty() ? 3 : annotationType);
  pairs.add(74, 0);
  pairs.add(75, 0);
  if (!annotationHandle.empty()) {
    pairs.add(340, annotationHandle);
    if (annotationType != 0) pairs.addPoint(213, offset.x, offset.y);
  }
  return pairs.buildWithTail(arrowOverrides(arrowBlock, arrowSize));
}

resbuf* entBuilder2D::leaderStyled(const ltEntProps& props, std::span<const XtGePoint2d> vertices,
                                   std::u16string_view styleName, const resbuf* dimStyleRecord) {
  if (!writableVertices(vertices)) return nullptr;
  const XtGeMatrix2d& toUser = ucsMatrix();
  const XtGeVector2d lastSegment = toUser * (vertices.back() - vertices[vertices.size() - 2]);
  const XtGeVector2d xAxis = toUser * XtGeVector2d(1.0, 0.0);
  const resbuf* arrow = entReader2D::firstGroup(dimStyleRecord, 341);
  const bool hasArrow = arrow != nullptr && arrow->value.str != nullptr && arrow->value.str[0] != u'\0';

  resbuf* overrides = nullptr;
  if (hasArrow) {
    resbuf node{};
    node.code = 1005;
    node.value.str = arrow->value.str;
    overrides = setDimStyleOverride(overrides, 341, node);
  }
  for (int code : {40, 41, 147}) {
    const resbuf* value = entReader2D::firstGroup(dimStyleRecord, code);
    if (value != nullptr && std::isfinite(value->value.real) && !(code == 41 && value->value.real == 0.0))
      overrides = setDimStyleOverrideReal(overrides, code, value->value.real);
  }
  if (const resbuf* placement = entReader2D::firstGroup(dimStyleRecord, 77))
    overrides = setDimStyleOverrideInt(overrides, 77, placement->value.i16);

  entityListPairs pairs(props, u"LEADER");
  appendVertices(pairs, styleName, vertices);
  pairs.add(71, hasArrow ? 1 : 0);
  pairs.add(72, 0);
  pairs.add(73, 3);
  pairs.add(74, lastSegment.x < 0.0 ? 1 : 0);
  pairs.add(75, 0);
  pairs.addPoint(211, xAxis.x, xAxis.y);
  return pairs.buildWithTail(overrides);
}

bool entReader2D::leader(XtGeCompositeCurve2d& vertices, const resbuf* list, ltEntProps* props) {
  if (!isListOfType(list, {u"LEADER"})) return false;
  const resbuf* count = firstGroup(list, 76);
  if (count == nullptr) return false;
  std::vector<std::unique_ptr<XtGeCurve2d>> segments;
  int left = count->value.i16;
  bool first = true;
  XtGePoint2d previous;
  for (const resbuf* node = count->next; node != nullptr && left > 0; node = node->next) {
    if (node->code != 10) continue;
    --left;
    const XtGePoint2d p = point2dOf(node);
    if (!allFinite({p.x, p.y})) return false;
    if (!first && !(p.x == previous.x && p.y == previous.y))
      segments.push_back(std::make_unique<XtGeLineSeg2d>(previous, p));
    if (first || !(p.x == previous.x && p.y == previous.y)) previous = p;
    first = false;
  }
  if (segments.empty()) return false;
  vertices = XtGeCompositeCurve2d(std::move(segments));
  if (props != nullptr) entReader2D::commonProperties(*props, list, false);
  return true;
}
