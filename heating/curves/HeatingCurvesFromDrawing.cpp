#include "heating/curves/HeatingCurvesFromDrawing.h"

#include "heating/curves/CFHEntityRecord.h"
#include "heating/curves/CFHUnknownCurveKind.h"
#include "heating/curves/CFloorHeatingArc.h"
#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/CFloorHeatingPolyLine.h"

#include "geometry/Tolerances.h"

#include "host/EntityKinds.h"
#include "host/entities/circArcList.h"
#include "host/entities/lwPolylineList.h"

#include "platform/win/StringCompare.h"

#include <algorithm>
#include <span>

namespace {

// The first three names of the type table are the curve kinds.
constexpr std::span<const char16_t* const> kCurveNames(hvEntityTypeNames.data(), 3);
constexpr const char16_t* kLineName = hvEntityTypeNames[0];
constexpr const char16_t* kPolylineName = hvEntityTypeNames[1];
constexpr const char16_t* kArcName = hvEntityTypeNames[2];

bool sameName(const char16_t* a, const char16_t* b) { return _wcsicmp(a, b) == 0; }

bool isOneOf(const char16_t* name, std::span<const char16_t* const> names) {
  return std::any_of(names.begin(), names.end(), [&](const char16_t* n) { return sameName(name, n); });
}

// The text of a group-0 node, or null for any other node.
const char16_t* typeName(const resbuf* node) { return node->code == 0 ? node->value.str : nullptr; }

// The point of the last node with the code; the origin when there is none.
XtGePoint2d lastPoint(const resbuf* list, int code) {
  XtGePoint2d point(0.0, 0.0);
  for (const resbuf* node = list; node != nullptr; node = node->next)
    if (node->code == code) point.set(node->value.point[0], node->value.point[1]);
  return point;
}

CFloorHeatingCurve::Ptr lineFromList(const resbuf* list) {
  return std::make_unique<CFloorHeatingLine>(lastPoint(list, 10), lastPoint(list, 11), nullptr, kTagLineFromList);
}

// The composite the LWPOLYLINE reader makes of the list; its vertices follow it.
CFloorHeatingCurve::Ptr polylineFromList(const resbuf* list) {
  XtGeCompositeCurve2d composite;
  if (entReader2D::polyline(composite, list, nullptr, nullptr) == 0) return nullptr;
  auto polyline = std::make_unique<CFloorHeatingPolyLine>(kTagPolylineFromList);
  polyline->setComposite(std::move(composite));
  return polyline;
}

CFloorHeatingCurve::Ptr arcFromList(const resbuf* list) {
  XtGeCircArc2d read;
  if (!readCircArc2d(read, list, nullptr)) return nullptr;
  auto arc = std::make_unique<CFloorHeatingArc>(kTagArcFromList);
  arc->setArc(read);
  return arc;
}

}  // namespace

const char16_t* classifyEntityType(const resbuf* list, int& status, bool allowInsert) {
  for (const resbuf* node = list; node != nullptr; node = node->next) {
    const char16_t* name = typeName(node);
    if (name == nullptr) continue;
    if (sameName(name, u"POLYLINE") || sameName(name, u"ELLIPSE")) {
      status = kHeatingEntityUnsupported;
      return nullptr;
    }
    if (isOneOf(name, hvIgnoredEntityKinds)) {
      status = kHeatingEntityIgnored;
      return name;
    }
    if (isOneOf(name, kCurveNames) || (allowInsert && sameName(name, u"INSERT"))) {
      status = kHeatingEntityCurve;
      return name;
    }
  }
  status = kHeatingEntityNone;
  return nullptr;
}

CFloorHeatingCurve::Ptr curveFromEntityRecord(const CFHEntityRecord& record) {
  switch (record.kind()) {
    case CFHEntityRecord::kLine: return std::make_unique<CFloorHeatingLine>(record, kTagCurveFromRecord);
    case CFHEntityRecord::kPolyline: return std::make_unique<CFloorHeatingPolyLine>(record, kTagCurveFromRecord);
    case CFHEntityRecord::kArc: return std::make_unique<CFloorHeatingArc>(record, kTagCurveFromRecord);
    default: throw CFHUnknownCurveKind(record.kind());
  }
}

CFloorHeatingCurve::Ptr curveFromResbuf(const resbuf* list) {
  const resbuf* entity = list;  // the group-0 node of the first curve name
  while (entity != nullptr && !(typeName(entity) != nullptr && isOneOf(typeName(entity), kCurveNames)))
    entity = entity->next;
  if (entity == nullptr) return nullptr;
  const char16_t* name = typeName(entity);
  CFloorHeatingCurve::Ptr curve;
  if (sameName(name, kLineName)) curve = lineFromList(list);
  else if (sameName(name, kPolylineName)) curve = polylineFromList(entity);
  else if (sameName(name, kArcName)) curve = arcFromList(entity);
  if (!curve || !(curve->length() > workTol.equalPoint())) return nullptr;
  return curve;
}
