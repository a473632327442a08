#include "platform/cadhost/EntityMaker.h"

#include <algorithm>

#include "platform/cadhost/DimensionBlock.h"
#include "platform/cadhost/EntityListForm.h"
#include "platform/cadhost/RecordGroups.h"
#include "platform/cadhost/TableRecords.h"

namespace cadhost {

namespace {

bool isChildType(std::u16string_view parent, std::u16string_view child) {
  return (parent == u"INSERT" && child == u"ATTRIB") || (parent == u"POLYLINE" && child == u"VERTEX");
}

MakeResult refused(std::string message) { return {MakeStatus::Refused, kNoRecord, std::move(message)}; }

}  // namespace

bool EntityMaker::prepare(const GroupList& input, GroupList& list, std::u16string& name, std::string& error) const {
  list.reserve(input.size());
  std::size_t typeAt = input.size();
  for (const Group& g : input) {
    if (g.code() == -1) {
      if (name.empty()) name = g.asText();
      continue;
    }
    if (g.code() < 0) continue;  // (-3) before extended data and the like
    if (g.code() > 1071 || !valueFitsCode(g)) {
      error = "group " + std::to_string(g.code()) + " does not hold a value of its kind";
      return false;
    }
    if (g.code() == 0 && typeAt == input.size()) typeAt = list.size();
    list.push_back(g);
  }
  if (typeAt == input.size() || !list[typeAt].isText() || list[typeAt].asText().empty()) {
    error = "the list has no group 0 with an entity type";
    return false;
  }
  if (typeAt != 0) std::rotate(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(typeAt),
                               list.begin() + static_cast<std::ptrdiff_t>(typeAt) + 1);
  for (char16_t& c : list[0].mutableText())
    if (c >= 'a' && c <= 'z') c = static_cast<char16_t>(c - 'a' + 'A');
  return true;
}

RecordId EntityMaker::locate(const std::u16string& name, const GroupList& list, bool subEntity) const {
  auto acceptable = [&](RecordId id) {
    if (id == kNoRecord) return false;
    RecordKind kind = d_.record(id).kind;
    return subEntity ? kind == RecordKind::SubEntity : kind == RecordKind::Entity;
  };
  if (!name.empty()) {
    RecordId id = d_.findByName(name);
    if (acceptable(id)) return id;
  }
  if (const Group* g = findGroup(list, 5)) {
    RecordId id = d_.findByHandleText(g->asText());
    if (acceptable(id)) return id;
  }
  return kNoRecord;
}

void EntityMaker::normalize(GroupList& list, const GroupList* previous) const {
  EntityListForm::dropRepeatedGroups(list);
  EntityListForm::chunksToListForm(list);
  EntityListForm::setPointDims(list, previous);
}

Handle EntityMaker::ownerFor(std::int32_t block) const {
  if (block < 0) return d_.modelSpaceHandle();
  RecordId r = d_.blockRecordOf(static_cast<std::size_t>(block));
  return r == kNoRecord ? 0 : d_.record(r).handle;
}

Handle EntityMaker::freeHandleFrom(const GroupList& list) const {
  if (const Group* g = findGroup(list, 5))
    if (auto h = parseHandle(g->asText()); h && *h != 0 && d_.findByHandle(*h) == kNoRecord) return *h;
  return 0;
}

MakeResult EntityMaker::make(const GroupList& list) { return makeIn(-1, list, true); }

MakeResult EntityMaker::makeInBlock(std::size_t block, const GroupList& list) {
  return makeIn(static_cast<std::int32_t>(block), list, false);
}

MakeResult EntityMaker::makeIn(std::int32_t block, const GroupList& input, bool mayUpdate) {
  GroupList list;
  std::u16string name;
  std::string error;
  if (!prepare(input, list, name, error)) return refused(error);
  if (!mayUpdate) name.clear();
  const std::u16string type = list[0].asText();

  if (pending_ && pending_->block == block) {
    if (isChildType(pending_->parent[0].asText(), type)) {
      pending_->children.push_back(std::move(list));
      return {MakeStatus::Pending, pending_->existing, {}};
    }
    if (type == u"SEQEND") {
      pending_->seqend = std::move(list);
      return complete();
    }
  }
  if (pending_) complete();

  if (type == u"ATTRIB" || type == u"VERTEX") {
    // Outside an INSERT/POLYLINE only an existing one can be updated.
    RecordId id = mayUpdate ? locate(name, list, true) : kNoRecord;
    if (id == kNoRecord || d_.record(id).type() != type)
      return refused(utf16ToUtf8(type) + " without a waiting INSERT or POLYLINE");
    normalize(list, &d_.record(id).list);
    return update(id, std::move(list));
  }
  if (type == u"SEQEND") return refused("SEQEND without a waiting INSERT or POLYLINE");
  if (!EntityListForm::isEntityType(type)) return refused("unknown entity type " + utf16ToUtf8(type));
  if (type == u"INSERT") {
    std::u16string_view blockName = groupText(list, 2);
    if (blockName.empty()) return refused("INSERT names no block");
    auto target = d_.findBlock(blockName);
    if (!target) return refused("INSERT names an undefined block " + utf16ToUtf8(blockName));
    if (block >= 0 && *target == static_cast<std::size_t>(block))
      return refused("INSERT of block " + utf16ToUtf8(blockName) + " inside its own definition");
  }

  RecordId existing = mayUpdate ? locate(name, list, false) : kNoRecord;
  if (type == u"DIMENSION" &&
      !DimensionBlock(d_).attach(list, existing == kNoRecord ? nullptr : &d_.record(existing).list))
    return refused("no geometry block could be made for the DIMENSION");
  if ((type == u"INSERT" && groupInt(list, 66) == 1) || type == u"POLYLINE") {
    pending_ = Pending{block, existing, std::move(list), {}, std::nullopt};
    return {MakeStatus::Pending, existing, {}};
  }
  normalize(list, existing == kNoRecord ? nullptr : &d_.record(existing).list);
  if (existing != kNoRecord) return update(existing, std::move(list));
  RecordId id = append(block, std::move(list), RecordKind::Entity, kNoRecord, ownerFor(block));
  return {MakeStatus::Made, id, {}};
}

MakeResult EntityMaker::update(RecordId id, GroupList list) {
  const DrawingRecord& r = d_.record(id);
  setHandleGroup(list, r.handle, 5);
  if (auto owner = ownerHandle(r.list)) setOwnerGroup(list, *owner);
  TableRecords(d_).ensureReferencedBy(list);
  d_.pendingErase_.erase(id);
  bool changed = false;
  if (list != r.list) {
    const bool wasComplex = !r.children.empty();
    const bool staysComplex = list[0].asText() == u"INSERT" || list[0].asText() == u"POLYLINE";
    if (wasComplex && !staysComplex) {
      for (RecordId child : r.children) d_.setErased(child, true);
      d_.setChildren(id, {});
    }
    d_.setList(id, std::move(list));
    changed = true;
  }
  if (d_.record(id).erased) {
    d_.setErased(id, false);
    changed = true;
  }
  return {changed ? MakeStatus::Updated : MakeStatus::Unchanged, id, {}};
}

RecordId EntityMaker::append(std::int32_t block, GroupList list, RecordKind kind, RecordId parent, Handle owner) {
  Handle handle = freeHandleFrom(list);
  if (handle) d_.claimHandle(handle);
  else handle = d_.allocateHandle();
  setHandleGroup(list, handle, 5);
  if (owner) setOwnerGroup(list, owner);
  TableRecords(d_).ensureReferencedBy(list);
  DrawingRecord record;
  record.list = std::move(list);
  record.handle = handle;
  record.kind = kind;
  record.block = block;
  record.parent = parent;
  RecordId id = d_.addRecord(std::move(record));
  if (kind == RecordKind::Entity) d_.appendEntity(block, id);
  return id;
}

void EntityMaker::flush() {
  if (pending_) complete();
}

MakeResult EntityMaker::complete() {
  Pending p = std::move(*pending_);
  pending_.reset();
  const bool hadExisting = p.existing != kNoRecord;
  normalize(p.parent, hadExisting ? &d_.record(p.existing).list : nullptr);

  MakeResult result;
  if (hadExisting) {
    result = update(p.existing, std::move(p.parent));
    // Without new ATTRIB/VERTEX lists the entity keeps the ones it has.
    if (p.children.empty() && !p.seqend) return result;
  } else {
    RecordId id = append(p.block, std::move(p.parent), RecordKind::Entity, kNoRecord, ownerFor(p.block));
    result = {MakeStatus::Made, id, {}};
  }
  const RecordId parentId = result.record;
  const Handle parentHandle = d_.record(parentId).handle;
  const std::vector<RecordId> oldChildren = d_.record(parentId).children;
  std::vector<RecordId> used;
  std::vector<RecordId> children;
  bool changed = false;

  auto reuse = [&](const GroupList& list) -> RecordId {
    // An old child of this parent named by handle is updated in place.
    if (const Group* g = findGroup(list, 5)) {
      RecordId id = d_.findByHandleText(g->asText());
      if (id != kNoRecord && std::find(oldChildren.begin(), oldChildren.end(), id) != oldChildren.end() &&
          std::find(used.begin(), used.end(), id) == used.end() && d_.record(id).type() == list[0].asText())
        return id;
    }
    return kNoRecord;
  };
  auto place = [&](GroupList list, RecordId old) {
    normalize(list, old == kNoRecord ? nullptr : &d_.record(old).list);
    if (old != kNoRecord) {
      used.push_back(old);
      MakeResult r = update(old, std::move(list));
      changed = changed || r.status == MakeStatus::Updated;
      children.push_back(old);
    } else {
      children.push_back(append(p.block, std::move(list), RecordKind::SubEntity, parentId, parentHandle));
      changed = true;
    }
  };

  for (GroupList& child : p.children) {
    RecordId old = reuse(child);
    place(std::move(child), old);
  }
  RecordId oldSeqend = kNoRecord;
  for (RecordId id : oldChildren)
    if (d_.record(id).type() == u"SEQEND") oldSeqend = id;
  if (p.seqend) {
    place(std::move(*p.seqend), oldSeqend);
  } else if (oldSeqend != kNoRecord) {
    used.push_back(oldSeqend);
    children.push_back(oldSeqend);
  } else {
    GroupList seqend{Group::text(0, std::u16string(u"SEQEND")), Group::text(100, std::u16string(u"AcDbEntity")),
                     Group::text(8, std::u16string(groupText(d_.record(parentId).list, 8)))};
    place(std::move(seqend), kNoRecord);
  }
  for (RecordId id : oldChildren) {
    if (std::find(used.begin(), used.end(), id) == used.end()) {
      d_.setErased(id, true);
      changed = true;
    }
  }
  if (children != oldChildren) d_.setChildren(parentId, std::move(children));
  if (hadExisting && changed && result.status == MakeStatus::Unchanged) result.status = MakeStatus::Updated;
  return result;
}

}  // namespace cadhost
