// The drawing I/O object: its record lists, the filing of records, the
// handle collections and the held host entities.
#include "heating/design/drawing/CFHDrawingInOut.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/output/CFHExtendedData.h"
#include "heating/design/readback/CFHKeptAsDrawn.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/readback/RecordTagValues.h"

#include "host/HostExport.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <optional>
#include <set>

namespace {

// Group codes of the association group.
constexpr std::int16_t kAppName = 1001;
constexpr std::int16_t kAssociationEntry = 1070;
constexpr std::int16_t kAssociatedHandle = 1005;
// A list longer than this is not read further.
constexpr int kMaxListNodes = 1000000;

// The handles the list's "VE2R_ASSOC" group names by (1070 272)(1005 handle)
// pairs, in order.
std::vector<std::u16string_view> associatedHandles(const resbuf* list) {
  std::vector<std::u16string_view> handles;
  bool inGroup = false;
  int n = 0;
  for (const resbuf* node = list; node != nullptr && n < kMaxListNodes; node = node->next, ++n) {
    if (node->code == kAppName) {
      inGroup = node->value.str != nullptr && hvAssociation::kApp == node->value.str;
    } else if (inGroup && node->code == kAssociationEntry && node->value.i16 == hvAssociation::kHandleEntry) {
      const resbuf* next = node->next;
      if (next != nullptr && next->code == kAssociatedHandle && next->value.str != nullptr)
        handles.emplace_back(next->value.str);
    }
  }
  return handles;
}

// Whether the list's "VE2R_ASSOC" group names the handle.
bool associatedWith(const resbuf* list, std::u16string_view handle) {
  const std::vector<std::u16string_view> handles = associatedHandles(list);
  return std::find(handles.begin(), handles.end(), handle) != handles.end();
}

// The world point of the first node with `code` after the first node with
// `after` (0: from the start).
std::optional<XtGePoint2d> firstPoint(const resbuf* list, std::int16_t code, std::int16_t after) {
  bool started = after == 0;
  int n = 0;
  for (const resbuf* node = list; node != nullptr && n < kMaxListNodes; node = node->next, ++n) {
    if (!started) started = node->code == after;
    else if (node->code == code) return XtGePoint2d(node->value.point[0], node->value.point[1]);
  }
  return std::nullopt;
}

// The point of a hatch or dimension of the design that tells its zone: a
// hatch's first boundary point (the first group 10 after the path count 91),
// a dimension's first definition point (group 13); none for other entities.
std::optional<XtGePoint2d> zonePointOf(const CFHEntityInOut& record) {
  const resbuf* list = record.list();
  if (record.kind() == CFHEntityInOut::kHatch) return firstPoint(list, 10, 91);
  const bool dimension = list != nullptr && list->code == 0 && list->value.str != nullptr &&
                         std::u16string_view(list->value.str) == u"DIMENSION";
  return dimension ? firstPoint(list, 13, 0) : std::nullopt;
}

}  // namespace

void CFHDrawingInOut::clear() {
  manifold_.reset();
  auxRecord_.reset();
  for (RecordList* list : {&pipeRecords, &zoneCurveRecords, &boundaryRecords, &zoneLabelRecords,
                           &heatingBodyRecords, &heatingBodyNumberRecords, &supplyRecords, &returnRecords,
                           &circuitLabelRecords, &hatchRecords, &otherRecords})
    list->clear();
  held_.clear();
}

void CFHDrawingInOut::fileRecord(RecordPtr record) {
  if (!record) return;
  if (record->kind() == CFHEntityInOut::kDistributor) {
    setManifold(std::unique_ptr<CFHDistributorInOut>(static_cast<CFHDistributorInOut*>(record.release())));
    return;
  }
  CString text;
  if (!record->findTag(u"QEV_DATA", text)) {
    otherRecords.push_back(std::move(record));
    return;
  }
  const std::u16string_view id(text.GetString());
  RecordList* target = &otherRecords;
  switch (record->kind()) {
    case CFHEntityInOut::kPolyline:
      if (id == hvRecordId::kZoneOutline) {
        target = &boundaryRecords;
        break;
      }
      [[fallthrough]];
    case CFHEntityInOut::kLine:
      if (id == hvRecordId::kSupplyPipe) target = &supplyRecords;
      else if (id == hvRecordId::kReturnPipe) target = &returnRecords;
      break;
    case CFHEntityInOut::kMtext:
      if (id == hvRecordId::kManifoldLabel) return setAuxRecord(std::move(record));
      if (id == hvRecordId::kZoneDescription) target = &zoneLabelRecords;
      else if (id == hvRecordId::kCircuitLabel) target = &circuitLabelRecords;
      else if (id == hvRecordId::kHeatingBody) target = &heatingBodyRecords;
      else if (id == hvRecordId::kHeatingBodyNumber) target = &heatingBodyNumberRecords;
      break;
    case CFHEntityInOut::kHatch: target = &hatchRecords; break;
    default: break;
  }
  target->push_back(std::move(record));
}

void CFHDrawingInOut::setManifold(std::unique_ptr<CFHDistributorInOut> record) {
  manifold_ = std::move(record);
  if (!manifold_) return;
  offset_ = manifold_->offset;
  elevation_ = manifold_->elevation;
}

void CFHDrawingInOut::setAuxRecord(RecordPtr record) { auxRecord_ = std::move(record); }

bool CFHDrawingInOut::hasHeatingRecords() const {
  for (const RecordList* list : {&boundaryRecords, &zoneLabelRecords, &heatingBodyRecords, &supplyRecords,
                                 &returnRecords, &circuitLabelRecords, &hatchRecords, &otherRecords})
    if (!list->empty()) return true;
  return false;
}

void CFHDrawingInOut::collectHandles(const RecordList& records, std::vector<std::u16string>& handles) {
  for (const RecordPtr& record : records)
    if (const char16_t* handle = record ? record->handle() : nullptr) handles.emplace_back(handle);
}

void CFHDrawingInOut::collectDesignHandles(std::vector<std::u16string>& handles) const {
  for (const RecordList* list : {&supplyRecords, &returnRecords, &circuitLabelRecords, &hatchRecords, &pipeRecords,
                                 &otherRecords, &heatingBodyRecords, &heatingBodyNumberRecords, &zoneLabelRecords})
    collectHandles(*list, handles);
  if (const char16_t* handle = manifold_ ? manifold_->handle() : nullptr) handles.emplace_back(handle);
  if (const char16_t* handle = auxRecord_ ? auxRecord_->handle() : nullptr) handles.emplace_back(handle);
}

void CFHDrawingInOut::collectBoundaryHandles(std::vector<std::u16string>& handles) const {
  collectHandles(zoneCurveRecords, handles);
  collectHandles(boundaryRecords, handles);
}

void CFHDrawingInOut::collectEditHandles(const CFHModel& model, std::vector<std::u16string>& handles) const {
  std::set<std::int32_t> zones, circuits;
  for (const auto& zone : model.zones()) zones.insert(static_cast<std::int32_t>(zone->number));
  for (const auto& circuit : model.circuits()) circuits.insert(static_cast<std::int32_t>(circuit->number));
  const auto numbered = [&handles](const RecordList& records, std::u16string_view key, const std::set<std::int32_t>& read) {
    for (const RecordPtr& record : records) {
      const char16_t* handle = record ? record->handle() : nullptr;
      const std::optional<std::int32_t> number = handle != nullptr ? tagInt(*record, key) : std::nullopt;
      if (number && read.count(*number) != 0) handles.emplace_back(handle);
    }
  };
  const auto inReadZone = [&model, this](const CFHEntityInOut& record) {
    const std::optional<XtGePoint2d> world = zonePointOf(record);
    if (!world) return false;
    const XtGePoint2d point = XtGePoint2d(*world).transformBy(workMatrix_);
    for (const auto& zone : model.zones()) {
      const CFHZoneBoundary* boundary = zone->design() != nullptr ? zone->design()->boundary() : nullptr;
      if (boundary != nullptr && boundary->asDrawnLoop.classifyPoint(point, workTol) != CLoop::kOutside) return true;
    }
    return false;
  };
  const char16_t* manifold = manifold_ ? manifold_->handle() : nullptr;
  const auto owned = [&](const RecordList& records) {
    for (const RecordPtr& record : records) {
      const char16_t* handle = record ? record->handle() : nullptr;
      if (handle != nullptr && manifold != nullptr && associatedWith(record->list(), manifold) && inReadZone(*record))
        handles.emplace_back(handle);
    }
  };
  numbered(supplyRecords, u"_PT_CISLO_OKRUHU", circuits);
  numbered(returnRecords, u"_PT_CISLO_OKRUHU", circuits);
  numbered(circuitLabelRecords, u"_PT_CISLO_OKRUHU", circuits);
  owned(hatchRecords);
  owned(otherRecords);
  numbered(heatingBodyRecords, u"_PT_ZONA_CISLO", zones);
  numbered(heatingBodyNumberRecords, u"_PT_ZONA_CISLO", zones);
  numbered(zoneLabelRecords, u"_PT_ZONA_CISLO", zones);
  numbered(boundaryRecords, u"_PT_ZONA_CISLO", zones);
  if (const char16_t* handle = auxRecord_ ? auxRecord_->handle() : nullptr) handles.emplace_back(handle);
}

void CFHDrawingInOut::collectKeptHandles(const std::vector<std::u16string>& replaced, CFHKeptAsDrawn& kept) const {
  const char16_t* manifold = manifold_ ? manifold_->handle() : nullptr;
  if (manifold == nullptr) return;
  std::set<std::u16string> done(replaced.begin(), replaced.end());
  const auto keep = [&](std::u16string_view handle) {
    if (!handle.empty() && done.emplace(handle).second) kept.handles.emplace_back(handle);
  };
  for (const std::u16string_view handle : associatedHandles(manifold_->list())) keep(handle);
  for (const RecordList* list : {&supplyRecords, &returnRecords, &hatchRecords, &otherRecords, &zoneLabelRecords,
                                 &heatingBodyRecords, &heatingBodyNumberRecords, &boundaryRecords,
                                 &circuitLabelRecords})
    for (const RecordPtr& record : *list)
      if (const char16_t* handle = record ? record->handle() : nullptr;
          handle != nullptr && associatedWith(record->list(), manifold))
        keep(handle);
}

std::int32_t CFHDrawingInOut::holdEntity(ltListRef* holder) {
  held_.emplace_back(holder);
  return static_cast<std::int32_t>(held_.size() - 1);
}

void CFHDrawingInOut::releaseHeldEntities(bool includeManifold) {
  // The manifold stays in the drawing as it is: its entry goes, unsent. An
  // index that names no held entry drops nothing.
  if (!includeManifold && manifold_ && manifold_->heldIndex >= 0 &&
      static_cast<std::size_t>(manifold_->heldIndex) < held_.size())
  {
    held_.erase(held_.begin() + manifold_->heldIndex);
    manifold_->heldIndex = -1;
  }
  const HostExport2D* table = getExport2D();
  callHostWordOf<17>(table);
  for (HeldEntity& entity : held_) {
    if (entity) callHostWordOf<114>(table, static_cast<const resbuf*>(entity->list), 0, 0);
    entity.reset();
  }
  held_.clear();
  callHostWordOf<19>(table, std::uint32_t{1});
}
