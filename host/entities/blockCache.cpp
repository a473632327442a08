#include "host/entities/blockCache.h"

#include "host/HostExport.h"
#include "host/ResbufChain.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/nameCompare.h"
#include "host/entities/ownedChain.h"

namespace {

// Lists one walk may hand out before it counts as broken: far above any
// drawing's count of block headers and entities.
constexpr long kMaxWalkLists = 1L << 26;

std::u16string blockText(const HostExport2D* table, const resbuf* header, int size, int selector) {
  std::u16string buffer(static_cast<std::size_t>(size), u'\0');
  if (!callHostWordOf<53>(table, header, buffer.data(), size, selector)) return {};
  buffer.resize(std::char_traits<char16_t>::length(buffer.c_str()));
  return buffer;
}

const char16_t* textOf(const resbuf* list, int code) {
  const resbuf* node = entReader2D::firstGroup(list, code);
  return node ? node->value.str : nullptr;
}

bool isBlockHeader(const resbuf* list, const char16_t* name) {
  if (!entReader2D::isListOfType(list, {u"BLOCK"}) || entReader2D::firstGroup(list, 10) == nullptr) return false;
  const char16_t* blockName = textOf(list, 2);
  return blockName != nullptr && (name == nullptr || sameNameNoCase(blockName, name));
}

}  // namespace

void blockRecord::clear() {
  name.clear();
  description.clear();
  path.clear();
  basePoint = XtGePoint2d();
  entities.clear();
  entityNames.clear();
}

bool readBlockFromHost(blockRecord& record, const HostExport2D* table, const char16_t* name, bool rewind) {
  record.clear();
  const auto walk = hostWordOf<113>(table);
  if (walk == nullptr) return false;
  long budget = kMaxWalkLists;
  ownedChain header(walk(name != nullptr || rewind ? 1 : 0));
  if (name != nullptr) {
    while (header && !isBlockHeader(header.get(), name) && --budget > 0) header.reset(walk(0));
  }
  if (!header || !isBlockHeader(header.get(), name)) return false;
  record.name = textOf(header.get(), 2);
  record.basePoint = entReader2D::point2dOf(entReader2D::firstGroup(header.get(), 10));
  record.description = blockText(table, header.get(), 34, 0);
  record.path = blockText(table, header.get(), 1024, 1);
  while (--budget > 0) {
    ownedChain list(walk(0));
    if (!list) break;
    if (entReader2D::isListOfType(list.get(), {u"ENDBLK"})) return true;
    std::unique_ptr<ltEnt2D> copy = entReader2D::anyEntity(list.get());
    if (!copy) continue;
    const char16_t* entityName = textOf(list.get(), -1);
    record.entities.push_back(std::move(copy));
    record.entityNames.emplace_back(entityName ? entityName : u"");
  }
  record.clear();
  return false;
}

void fillBlockFromLists(blockRecord& record, std::u16string_view name, std::span<ltListRef* const> lists,
                        const XtGePoint2d& basePoint) {
  record.clear();
  record.name = name;
  record.basePoint = basePoint;
  for (const ltListRef* holder : lists) {
    if (holder == nullptr || holder->narrowText) continue;
    std::unique_ptr<ltEnt2D> copy = entReader2D::entity(holder->list);
    if (!copy) continue;
    const char16_t* entityName = textOf(holder->list, -1);
    record.entities.push_back(std::move(copy));
    record.entityNames.emplace_back(entityName ? entityName : u"");
  }
}

void appendBlockEntities(blockRecord& record, ltEntArray& out, bool copy) {
  out.reserve(out.size() + record.entities.size());
  for (std::unique_ptr<ltEnt2D>& entity : record.entities) {
    if (!entity) continue;
    out.push_back(copy ? entity->clone() : std::move(entity));
  }
  if (!copy) {
    record.entities.clear();
    record.entityNames.clear();
  }
}

blockRecord* blockCache::findRecord(std::u16string_view name) const {
  for (const auto& record : records_)
    if (sameNameNoCase(record->name, name)) return record.get();
  return nullptr;
}

const blockRecord* blockCache::find(std::u16string_view name) const { return findRecord(name); }

bool blockCache::fill(const HostExport2D* table) {
  records_.clear();
  if (hostWordOf<113>(table) == nullptr) return false;
  for (bool first = true;; first = false) {
    auto record = std::make_unique<blockRecord>();
    if (!readBlockFromHost(*record, table, nullptr, first)) break;
    records_.push_back(std::move(record));
  }
  return true;
}

bool blockCache::findOrReadFromHost(std::u16string_view name, const HostExport2D* table, ltEntArray& out,
                                    XtGePoint2d* basePoint) {
  blockRecord* record = findRecord(name);
  if (record == nullptr) {
    auto read = std::make_unique<blockRecord>();
    const std::u16string wanted(name);
    if (!readBlockFromHost(*read, table, wanted.c_str(), true)) return false;
    record = read.get();
    records_.push_back(std::move(read));
  }
  appendBlockEntities(*record, out, true);
  if (basePoint) *basePoint = record->basePoint;
  return true;
}

bool blockCache::findOrReadFromLists(std::u16string_view name, std::span<ltListRef* const> lists,
                                     const XtGePoint2d& basePoint, ltEntArray& out) {
  blockRecord* record = findRecord(name);
  if (record == nullptr) {
    auto made = std::make_unique<blockRecord>();
    fillBlockFromLists(*made, name, lists, basePoint);
    record = made.get();
    records_.push_back(std::move(made));
  }
  appendBlockEntities(*record, out, true);
  return true;
}
