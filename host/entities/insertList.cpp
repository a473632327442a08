#include "host/entities/insertList.h"

#include <cmath>
#include <numbers>

#include "host/entities/commonProperties.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityListPairs.h"
#include "host/entities/finiteValues.h"
#include "platform/win/StringCompare.h"

namespace {

bool isCount(double value) { return std::isfinite(value) && value >= 1.0 && value < 32768.0; }

}  // namespace

resbuf* entBuilder2D::insert(const ltEntProps& props, const XtGePoint2d& insertion, std::u16string_view blockName,
                             const XtGeScale3d& scale, double rotation, const insertCounts* counts,
                             const insertSpacing* spacing, const resbuf* previous, int attributesFollow,
                             const XtGeVector3d* normal) {
  if (blockName.empty() || !allFinite({insertion.x, insertion.y, scale.sx, scale.sy, scale.sz, rotation}) ||
      (counts && !(isCount(counts->columns) && isCount(counts->rows))) ||
      (spacing && !allFinite({spacing->columns, spacing->rows})) ||
      (normal && !allFinite({normal->x, normal->y, normal->z})))
    return nullptr;
  entityListPairs pairs(props, u"INSERT", previous);
  pairs.add(100, u"AcDbBlockReference");
  if (entReader2D::firstGroup(previous, 66) != nullptr) pairs.addKept(66, previous);
  else pairs.add(66, attributesFollow & 0xFF);
  pairs.add(2, blockName);
  pairs.addPoint(10, insertion.x, insertion.y);
  pairs.add(41, scale.sx);
  pairs.add(42, scale.sy);
  pairs.add(43, scale.sz);
  pairs.add(50, rotation);
  if (counts) {
    pairs.add(70, static_cast<int>(counts->columns));
    pairs.add(71, static_cast<int>(counts->rows));
  }
  if (spacing) {
    pairs.add(44, spacing->columns);
    pairs.add(45, spacing->rows);
  }
  if (normal) pairs.add(210, std::array<double, 3>{normal->x, normal->y, normal->z});
  else pairs.addKept(210, previous);
  return pairs.build(props);
}

resbuf* entBuilder2D::insertFromRecord(const ltEntProps& props, std::u16string_view blockName,
                                       const insertPlacement& record, const resbuf* previous) {
  if (blockName.empty() ||
      !allFinite({record.insertion.x, record.insertion.y, record.xScale, record.yScale, record.rotation}))
    return nullptr;
  entityListPairs pairs(props, u"INSERT", previous);
  pairs.add(100, u"AcDbBlockReference");
  pairs.addKept(66, previous);
  pairs.add(2, blockName);
  pairs.addPoint(10, record.insertion.x, record.insertion.y);
  pairs.add(41, record.xScale);
  pairs.add(42, record.yScale);
  pairs.add(50, record.rotation);
  for (int code : {70, 71, 44, 45, 210}) pairs.addKept(code, previous);
  return pairs.build(props);
}

bool entReader2D::insert(XtGePoint2d& insertion, std::u16string& blockName, XtGeScale3d& scale, double& rotation,
                         insertCounts* counts, insertSpacing* spacing, const resbuf* list, ltEntProps* props) {
  if (!isListOfType(list, {u"INSERT"})) return false;
  const resbuf* name = firstGroup(list, 2);
  const resbuf* at = firstGroup(list, 10);
  if (name == nullptr || name->value.str == nullptr || name->value.str[0] == u'\0' || at == nullptr) return false;
  auto real = [list](int code, double fallback) {
    const resbuf* node = firstGroup(list, code);
    return node ? node->value.real : fallback;
  };
  auto count = [list](int code) {
    const resbuf* node = firstGroup(list, code);
    return node ? static_cast<double>(node->value.i16) : 1.0;
  };
  XtGePoint2d point = point2dOf(at);
  XtGeScale3d factors(real(41, 1.0), real(42, 1.0), real(43, 1.0));
  double angle = real(50, 0.0);
  const insertSpacing gaps{real(44, 0.0), real(45, 0.0)};
  const resbuf* extrusion = firstGroup(list, 210);
  if (!allFinite({point.x, point.y, factors.sx, factors.sy, factors.sz, angle, gaps.columns, gaps.rows}) ||
      (extrusion && !std::isfinite(extrusion->value.point[2])))
    return false;
  if (extrusion && extrusion->value.point[2] < 0.0) {
    // Seen from below: mirrored about the Y axis into the drawing plane.
    point.x = -point.x;
    angle = std::remainder(std::numbers::pi - angle, 2.0 * std::numbers::pi);
    if (angle < 0.0) angle += 2.0 * std::numbers::pi;
    factors.sy = -factors.sy;
  }
  insertion = point;
  blockName = name->value.str;
  scale = factors;
  rotation = angle;
  if (counts) *counts = {count(70), count(71)};
  if (spacing) *spacing = gaps;
  if (props != nullptr) entReader2D::commonProperties(*props, list, false);
  return true;
}

void resolveByBlock(ltEntProps& entity, const ltEntProps& reference) {
  if (entity.layer == u"0") entity.layer = reference.layer;
  if (hvCompareNoCaseAscii(entity.linetype, u"BYBLOCK") == 0) entity.linetype = reference.linetype;
  if (entity.colorIndex == 0) {
    entity.colorIndex = reference.colorIndex;
    entity.hasTrueColor = reference.hasTrueColor;
    entity.trueColor = reference.trueColor;
  }
  if (entity.lineweight == -2) entity.lineweight = reference.lineweight;
  entity.visibility = reference.visibility;
  entity.transparencyMode = reference.transparencyMode;
  entity.transparencyPercent = reference.transparencyPercent;
}
