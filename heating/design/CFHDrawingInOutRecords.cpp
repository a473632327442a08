// The drawing I/O object: its record lists, the filing of records, the
// handle collections and the held host entities.
#include "heating/design/CFHDrawingInOut.h"

#include "host/HostExport.h"

namespace {

// Record identifiers of a drawn design.
constexpr std::u16string_view kBoundaryId = u"TPV2000-0001";
constexpr std::u16string_view kZoneLabelId = u"TPV1000-0001";
constexpr std::u16string_view kManifoldLabelId = u"TPV1000-0002";
constexpr std::u16string_view kHeatingBodyId = u"TPV1001-0001";
constexpr std::u16string_view kCircuitLabelId = u"TPV1001-0002";
constexpr std::u16string_view kHeatingBodyNumberId = u"TPV1001-0003";
constexpr std::u16string_view kSupplyId = u"TP80000-0001";
constexpr std::u16string_view kReturnId = u"TP90000-0001";

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
      if (id == kBoundaryId) {
        target = &boundaryRecords;
        break;
      }
      [[fallthrough]];
    case CFHEntityInOut::kLine:
      if (id == kSupplyId) target = &supplyRecords;
      else if (id == kReturnId) target = &returnRecords;
      break;
    case CFHEntityInOut::kMtext:
      if (id == kManifoldLabelId) return setAuxRecord(std::move(record));
      if (id == kZoneLabelId) target = &zoneLabelRecords;
      else if (id == kCircuitLabelId) target = &circuitLabelRecords;
      else if (id == kHeatingBodyId) target = &heatingBodyRecords;
      else if (id == kHeatingBodyNumberId) target = &heatingBodyNumberRecords;
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
