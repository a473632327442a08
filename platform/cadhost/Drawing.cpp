#include "platform/cadhost/Drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/cadhost/BlockBuilder.h"
#include "platform/cadhost/DrawingJournal.h"
#include "platform/cadhost/EntityMaker.h"
#include "platform/cadhost/RecordGroups.h"
#include "platform/cadhost/SymbolName.h"
#include "platform/cadhost/TableRecords.h"

namespace cadhost {

namespace {

// The handle group of a record: DIMSTYLE records use 105 (some writers give
// them a 5 instead, which is then kept).
int handleCodeOf(const GroupList& list) {
  const bool dimStyle = !list.empty() && list.front().asText() == u"DIMSTYLE";
  return dimStyle && (findGroup(list, 105) || !findGroup(list, 5)) ? 105 : 5;
}

}  // namespace

Drawing::Drawing()
    : journal_(std::make_unique<DrawingJournal>()),
      maker_(std::make_unique<EntityMaker>(*this)),
      blockBuilder_(std::make_unique<BlockBuilder>(*this)) {}

Drawing::~Drawing() = default;

// ---------------------------------------------------------------- records

RecordId Drawing::findByHandle(Handle handle) const {
  auto it = byHandle_.find(handle);
  return it == byHandle_.end() ? kNoRecord : it->second;
}

RecordId Drawing::findByHandleText(std::u16string_view text) const {
  auto handle = parseHandle(text);
  return handle ? findByHandle(*handle) : kNoRecord;
}

std::u16string Drawing::entityName(RecordId id) const {
  // The record id finds the record; the serial, never used twice, tells a
  // name of a record that a rollback took away from the record now there.
  return u"@" + handleText(id) + u"." + handleText(records_[id].serial);
}

RecordId Drawing::findByName(std::u16string_view name) const {
  const std::size_t dot = name.find(u'.');
  if (name.size() < 4 || name.front() != u'@' || dot == std::u16string_view::npos) return kNoRecord;
  auto id = parseHandle(name.substr(1, dot - 1));
  auto serial = parseHandle(name.substr(dot + 1));
  if (!id || !serial || *id >= records_.size()) return kNoRecord;
  const auto record = static_cast<RecordId>(*id);
  return records_[record].serial == *serial ? record : kNoRecord;
}

bool Drawing::isLive(RecordId id) const {
  if (!validRecord(id)) return false;
  const DrawingRecord& r = records_[id];
  if (r.erased) return false;
  return r.parent == kNoRecord || !records_[r.parent].erased;
}

GroupList Drawing::handOutList(RecordId id) const {
  const DrawingRecord& r = records_[id];
  GroupList out;
  out.reserve(r.list.size() + 1);
  out.push_back(Group::text(-1, entityName(id)));
  for (const Group& g : r.list)
    if (g.type().ownType) out.push_back(g);
  return out;
}

std::vector<RecordId> Drawing::modelSpace() const {
  std::vector<RecordId> out;
  out.reserve(entities_.size());
  for (RecordId id : entities_)
    if (!records_[id].erased && !records_[id].paperSpace) out.push_back(id);
  return out;
}

std::vector<RecordId> Drawing::erasedEntities() const {
  std::vector<RecordId> out;
  for (RecordId id : entities_)
    if (records_[id].erased) out.push_back(id);
  return out;
}

// ----------------------------------------------------------- dictionaries

RecordId Drawing::rootDictionary() const {
  return objects_.empty() || records_[objects_.front()].type() != u"DICTIONARY" ? kNoRecord : objects_.front();
}

std::vector<std::pair<std::u16string, RecordId>> Drawing::dictionaryEntries(RecordId dictionary) const {
  std::vector<std::pair<std::u16string, RecordId>> entries;
  if (!validRecord(dictionary)) return entries;
  const GroupList& list = records_[dictionary].list;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].code() != 3) continue;
    RecordId target = kNoRecord;
    if (i + 1 < list.size() && (list[i + 1].code() == 350 || list[i + 1].code() == 360))
      target = findByHandleText(list[i + 1].asText());
    entries.emplace_back(list[i].asText(), target);
  }
  return entries;
}

// ----------------------------------------------------------------- blocks

std::u16string Drawing::blockNameOfRecord(RecordId begin) const {
  if (begin == kNoRecord) return {};
  return std::u16string(groupText(records_[begin].list, 2));
}

std::u16string_view Drawing::blockName(std::size_t index) const {
  return groupText(records_[blocks_[index].begin].list, 2);
}

std::optional<std::size_t> Drawing::findBlock(std::u16string_view name) const {
  auto it = blockIndex_.find(foldSymbolName(name));
  if (it == blockIndex_.end()) return std::nullopt;
  return it->second;
}

RecordId Drawing::blockRecordOf(std::size_t index) const {
  return findTableRecord(u"BLOCK_RECORD", blockName(index));
}

bool Drawing::isLayoutBlockName(std::u16string_view name) {
  std::u16string folded = foldSymbolName(name);
  return folded == u"*MODEL_SPACE" || folded.rfind(u"*PAPER_SPACE", 0) == 0;
}

// ----------------------------------------------------------------- tables

const SymbolTable* Drawing::findTable(std::u16string_view name) const {
  std::u16string folded = foldSymbolName(name);
  for (const SymbolTable& t : tables_)
    if (t.name == folded) return &t;
  return nullptr;
}

RecordId Drawing::findTableRecord(std::u16string_view table, std::u16string_view name) const {
  auto t = tableIndex_.find(foldSymbolName(table));
  if (t == tableIndex_.end()) return kNoRecord;
  auto r = t->second.find(foldSymbolName(name));
  return r == t->second.end() ? kNoRecord : r->second;
}

std::vector<std::u16string> Drawing::tableRecordNames(std::u16string_view table) const {
  std::vector<std::u16string> names;
  if (const SymbolTable* t = findTable(table))
    for (RecordId id : t->records)
      if (!records_[id].erased) names.emplace_back(groupText(records_[id].list, 2));
  return names;
}

// ----------------------------------------------------------------- header

const GroupList* Drawing::headerVariable(std::string_view name) const {
  for (const HeaderVariable& v : header_)
    if (v.name == name) return &v.values;
  return nullptr;
}

void Drawing::setHeaderVariable(std::string_view name, GroupList values) {
  auto it = std::find_if(header_.begin(), header_.end(), [&](const HeaderVariable& v) { return v.name == name; });
  if (it == header_.end()) {
    header_.push_back({std::string(name), std::move(values)});
    undoable([this] { header_.pop_back(); });
  } else {
    std::size_t index = static_cast<std::size_t>(it - header_.begin());
    GroupList old = std::exchange(it->values, std::move(values));
    undoable([this, index, old = std::move(old)]() mutable {
      header_[index].values = std::move(old);
      if (header_[index].name == "$INSUNITS") insUnits_ = static_cast<int>(groupInt(header_[index].values, 70));
    });
  }
  if (name == "$INSUNITS") {
    const GroupList* v = headerVariable(name);
    insUnits_ = static_cast<int>(groupInt(*v, 70));
  }
}

std::u16string Drawing::currentLayer() const {
  const GroupList* v = headerVariable("$CLAYER");
  std::u16string_view layer = v ? groupText(*v, 8) : std::u16string_view();
  return layer.empty() ? u"0" : std::u16string(layer);
}

Point3 Drawing::ucsOrigin() const {
  const GroupList* v = headerVariable("$UCSORG");
  const Group* g = v ? findGroup(*v, 10) : nullptr;
  return g ? g->asPoint() : Point3{};
}

Point3 Drawing::ucsXDirection() const {
  const GroupList* v = headerVariable("$UCSXDIR");
  const Group* g = v ? findGroup(*v, 10) : nullptr;
  if (!g) return {1.0, 0.0, 0.0};
  Point3 p = g->asPoint();
  if (p.x == 0.0 && p.y == 0.0 && p.z == 0.0) return {1.0, 0.0, 0.0};
  return p;
}

double Drawing::dimScale() const {
  const GroupList* v = headerVariable("$DIMSCALE");
  const Group* g = v ? findGroup(*v, 40) : nullptr;
  return g ? g->asReal() : 1.0;
}

ViewVariables Drawing::viewVariables() const {
  ViewVariables view;
  RecordId active = findTableRecord(u"VPORT", u"*Active");
  if (active == kNoRecord) return view;
  const GroupList& list = records_[active].list;
  if (const Group* g = findGroup(list, 12)) view.viewCenter = g->asPoint();
  if (const Group* g = findGroup(list, 16)) view.viewDirection = g->asPoint();
  if (const Group* g = findGroup(list, 17)) view.target = g->asPoint();
  if (const Group* g = findGroup(list, 40); g && g->asReal() > 0) view.viewSize = g->asReal();
  // Tables keep degrees; the variable is in radians.
  if (const Group* g = findGroup(list, 51)) view.viewTwist = g->asReal() * std::numbers::pi / 180.0;
  return view;
}

// ------------------------------------------------------------ transactions

void Drawing::beginTransaction() { journal_->open(); }

bool Drawing::transactionOpen() const { return journal_->isOpen(); }

void Drawing::commit() {
  maker_->flush();
  for (RecordId id : pendingErase_)
    if (validRecord(id)) setErased(id, true);
  pendingErase_.clear();
  journal_->close();
}

void Drawing::rollback() {
  maker_->discard();
  blockBuilder_->abandon();
  journal_->rollback();
  pendingErase_.clear();
}

bool Drawing::endCommand() {
  bool wasOpen = journal_->isOpen();
  if (wasOpen) rollback();
  else maker_->flush();
  pendingErase_.clear();
  return wasOpen;
}

void Drawing::undoable(std::function<void()> undo) { journal_->record(std::move(undo)); }

// ------------------------------------------------------------------ edits

Handle Drawing::allocateHandle() {
  Handle h = nextHandle_;
  while (byHandle_.count(h) || reserved_.count(h)) ++h;
  claimHandle(h);
  return h;
}

void Drawing::claimHandle(Handle handle) {
  if (handle < nextHandle_) return;
  Handle old = nextHandle_;
  nextHandle_ = handle + 1;
  undoable([this, old] { nextHandle_ = old; });
}

Handle Drawing::reserveHandle() {
  Handle h = allocateHandle();
  reserved_.insert(h);
  undoable([this, h] { reserved_.erase(h); });
  return h;
}

void Drawing::markErase(RecordId id) {
  if (validRecord(id) && !records_[id].erased) pendingErase_.insert(id);
}

void Drawing::erase(RecordId id) {
  if (validRecord(id)) setErased(id, true);
}

MakeResult Drawing::makeEntity(const GroupList& list) { return maker_->make(list); }

void Drawing::replaceRecordList(RecordId id, GroupList list) {
  if (!validRecord(id) || list.empty()) return;
  const DrawingRecord& r = records_[id];
  setHandleGroup(list, r.handle, handleCodeOf(r.list));
  if (auto owner = ownerHandle(r.list)) setOwnerGroup(list, *owner);
  // Table records keep their names: the name indexes them.
  if (r.kind == RecordKind::TableRecord)
    if (Group* name = findGroup(list, 2)) name->setText(std::u16string(groupText(r.list, 2)));
  setList(id, std::move(list));
}

BlockBuilder& Drawing::blockBuilder() { return *blockBuilder_; }

bool Drawing::setLayerState(std::u16string_view layer, std::uint8_t first, std::uint8_t second) {
  static const std::u16string kApp = u"HVSTANDIN_LSTATE";
  RecordId id = findTableRecord(u"LAYER", layer);
  if (id == kNoRecord) {
    std::u16string key = foldSymbolName(layer);
    auto it = layerStateAside_.find(key);
    if (it == layerStateAside_.end()) {
      layerStateAside_[key] = {first, second};
      undoable([this, key] { layerStateAside_.erase(key); });
    } else {
      auto old = std::exchange(it->second, std::make_pair(first, second));
      undoable([this, key, old] { layerStateAside_[key] = old; });
    }
    return false;
  }
  GroupList list = records_[id].list;
  // Drop our application's block, keep every other one.
  GroupList kept;
  bool inOurs = false;
  for (const Group& g : list) {
    if (g.code() == 1001) inOurs = g.asText() == kApp;
    if (!inOurs) kept.push_back(g);
  }
  kept.push_back(Group::text(1001, kApp));
  kept.push_back(Group::integer(1070, first));
  kept.push_back(Group::integer(1070, second));
  setList(id, std::move(kept));
  return true;
}

std::pair<std::uint8_t, std::uint8_t> Drawing::layerState(std::u16string_view layer) const {
  RecordId id = findTableRecord(u"LAYER", layer);
  if (id != kNoRecord) {
    const GroupList& list = records_[id].list;
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (list[i].code() != 1001 || list[i].asText() != u"HVSTANDIN_LSTATE") continue;
      std::uint8_t values[2] = {0, 0};
      int n = 0;
      for (std::size_t j = i + 1; j < list.size() && list[j].code() != 1001 && n < 2; ++j)
        if (list[j].code() == 1070) values[n++] = static_cast<std::uint8_t>(list[j].asInt());
      return {values[0], values[1]};
    }
  }
  // Stored while the layer did not exist (it may exist by now).
  auto it = layerStateAside_.find(foldSymbolName(layer));
  return it == layerStateAside_.end() ? std::make_pair<std::uint8_t, std::uint8_t>(0, 0) : it->second;
}

void Drawing::prepareForSave() {
  maker_->flush();
  TableRecords tables(*this);
  tables.ensureForSave();
  GroupList seed{Group::text(5, handleText(nextHandle_))};
  const GroupList* old = headerVariable("$HANDSEED");
  if (!old || *old != seed) setHeaderVariable("$HANDSEED", std::move(seed));
}

// ------------------------------------------------------------- primitives

void Drawing::setRecordDerived(DrawingRecord& record) {
  record.paperSpace = (record.kind == RecordKind::Entity || record.kind == RecordKind::SubEntity) &&
                      groupInt(record.list, 67) == 1;
}

void Drawing::indexRecord(RecordId id) {
  DrawingRecord& r = records_[id];
  if (r.handle) byHandle_[r.handle] = id;
  if (!r.serial) r.serial = nextSerial_++;
}

RecordId Drawing::addRecord(DrawingRecord record) {
  setRecordDerived(record);
  const auto id = static_cast<RecordId>(records_.size());
  records_.push_back(std::move(record));
  indexRecord(id);
  const Handle handle = records_[id].handle;
  const bool wasReserved = reserved_.erase(handle) != 0;
  undoable([this, id, handle, wasReserved] {
    if (wasReserved) reserved_.insert(handle);
    DrawingRecord& r = records_[id];
    if (r.handle) byHandle_.erase(r.handle);
    records_.pop_back();
  });
  return id;
}

void Drawing::setList(RecordId id, GroupList list) {
  DrawingRecord& r = records_[id];
  GroupList old = std::exchange(r.list, std::move(list));
  setRecordDerived(r);
  undoable([this, id, old = std::move(old)]() mutable {
    records_[id].list = std::move(old);
    setRecordDerived(records_[id]);
  });
}

void Drawing::setErased(RecordId id, bool erased) {
  DrawingRecord& r = records_[id];
  if (r.erased == erased) return;
  r.erased = erased;
  undoable([this, id, erased] { records_[id].erased = !erased; });
}

void Drawing::setChildren(RecordId id, std::vector<RecordId> children) {
  std::vector<RecordId> old = std::exchange(records_[id].children, std::move(children));
  undoable([this, id, old = std::move(old)]() mutable { records_[id].children = std::move(old); });
}

void Drawing::appendEntity(std::int32_t block, RecordId id) {
  std::vector<RecordId>& list = block < 0 ? entities_ : blocks_[static_cast<std::size_t>(block)].entities;
  list.push_back(id);
  undoable([this, block] {
    (block < 0 ? entities_ : blocks_[static_cast<std::size_t>(block)].entities).pop_back();
  });
}

void Drawing::setBlockEntities(std::size_t block, std::vector<RecordId> entities) {
  std::vector<RecordId> old = std::exchange(blocks_[block].entities, std::move(entities));
  undoable([this, block, old = std::move(old)]() mutable { blocks_[block].entities = std::move(old); });
}

std::size_t Drawing::addBlock(BlockDefinition block) {
  std::u16string key = foldSymbolName(blockNameOfRecord(block.begin));
  blocks_.push_back(std::move(block));
  const std::size_t index = blocks_.size() - 1;
  bool indexed = blockIndex_.emplace(key, index).second;
  undoable([this, key, indexed] {
    if (indexed) blockIndex_.erase(key);
    blocks_.pop_back();
  });
  return index;
}

std::size_t Drawing::addTable(std::size_t position, SymbolTable table) {
  position = std::min(position, tables_.size());
  tableIndex_[table.name];
  tables_.insert(tables_.begin() + static_cast<std::ptrdiff_t>(position), std::move(table));
  undoable([this, position] {
    tableIndex_.erase(tables_[position].name);
    tables_.erase(tables_.begin() + static_cast<std::ptrdiff_t>(position));
  });
  return position;
}

void Drawing::addTableRecord(std::size_t table, RecordId id) {
  SymbolTable& t = tables_[table];
  t.records.push_back(id);
  std::u16string key = foldSymbolName(groupText(records_[id].list, 2));
  std::u16string tableName = t.name;
  bool indexed = tableIndex_[tableName].emplace(key, id).second;
  undoable([this, table, tableName, key, indexed] {
    tables_[table].records.pop_back();
    if (indexed) tableIndex_[tableName].erase(key);
  });
}

void Drawing::ensureSection(SectionKind kind) {
  for (const SectionRef& s : sectionOrder_)
    if (s.kind == kind) return;
  // Sections keep their usual order: header, classes, tables, blocks,
  // entities, objects; raw sections stay where they are.
  auto it = sectionOrder_.begin();
  while (it != sectionOrder_.end() && (it->kind == SectionKind::Raw || it->kind < kind)) ++it;
  const auto position = it - sectionOrder_.begin();
  sectionOrder_.insert(it, SectionRef{kind, 0});
  undoable([this, position] { sectionOrder_.erase(sectionOrder_.begin() + position); });
}

// ----------------------------------------------------------------- loading

void Drawing::rebuildNameIndexes() {
  tableIndex_.clear();
  for (const SymbolTable& t : tables_) {
    auto& index = tableIndex_[t.name];
    for (RecordId id : t.records) index.emplace(foldSymbolName(groupText(records_[id].list, 2)), id);
  }
  blockIndex_.clear();
  for (std::size_t i = 0; i < blocks_.size(); ++i)
    blockIndex_.emplace(foldSymbolName(blockNameOfRecord(blocks_[i].begin)), i);
}

RecordId Drawing::loadRecord(DrawingRecord record) {
  records_.push_back(std::move(record));
  return static_cast<RecordId>(records_.size() - 1);
}

void Drawing::finishLoad() {
  // Handles: the highest in use decides the seed; a record without a handle,
  // or with one already taken, gets a fresh one.
  Handle highest = 0;
  if (const GroupList* seed = headerVariable("$HANDSEED"))
    if (const Group* g = findGroup(*seed, 5))
      if (auto h = parseHandle(g->asText()); h && *h > 0) highest = *h - 1;
  for (DrawingRecord& r : records_) {
    const int code = handleCodeOf(r.list);
    const Group* g = findGroup(r.list, code);
    auto h = g ? parseHandle(g->asText()) : std::nullopt;
    r.handle = h ? *h : 0;
    highest = std::max(highest, r.handle);
  }
  nextHandle_ = highest + 1;
  byHandle_.clear();
  byHandle_.reserve(records_.size() + records_.size() / 4);
  for (RecordId id = 0; id < records_.size(); ++id) {
    DrawingRecord& r = records_[id];
    if (r.handle == 0 || byHandle_.count(r.handle)) {
      r.handle = nextHandle_++;
      setHandleGroup(r.list, r.handle, handleCodeOf(r.list));
    }
    setRecordDerived(r);
    indexRecord(id);
  }
  rebuildNameIndexes();

  RecordId model = findTableRecord(u"BLOCK_RECORD", u"*Model_Space");
  RecordId paper = findTableRecord(u"BLOCK_RECORD", u"*Paper_Space");
  modelSpaceHandle_ = model == kNoRecord ? 0 : records_[model].handle;
  const Handle paperHandle = paper == kNoRecord ? 0 : records_[paper].handle;

  // Owners that the file left out.
  auto ensureOwner = [this](RecordId id, Handle owner) {
    bool found = false;
    ownerGroupIndex(records_[id].list, found);
    if (owner != 0 && !found) setOwnerGroup(records_[id].list, owner);
  };
  auto ownChildren = [&](RecordId id) {
    for (RecordId child : records_[id].children) ensureOwner(child, records_[id].handle);
  };
  for (RecordId id : entities_) {
    ensureOwner(id, records_[id].paperSpace ? paperHandle : modelSpaceHandle_);
    ownChildren(id);
  }
  for (std::size_t b = 0; b < blocks_.size(); ++b) {
    RecordId blockRecord = blockRecordOf(b);
    Handle owner = blockRecord == kNoRecord ? 0 : records_[blockRecord].handle;
    for (RecordId id : {blocks_[b].begin, blocks_[b].end})
      if (id != kNoRecord) ensureOwner(id, owner);
    for (RecordId id : blocks_[b].entities) {
      ensureOwner(id, owner);
      ownChildren(id);
    }
  }
  for (const SymbolTable& t : tables_)
    for (RecordId id : t.records) ensureOwner(id, records_[t.head].handle);

  if (const GroupList* units = headerVariable("$INSUNITS")) insUnits_ = static_cast<int>(groupInt(*units, 70));
}

}  // namespace cadhost
