#include "platform/cadhost/BlockBuilder.h"

#include "platform/cadhost/EntityMaker.h"
#include "platform/cadhost/RecordGroups.h"
#include "platform/cadhost/TableRecords.h"

namespace cadhost {

namespace {
bool isHexDigit(char16_t c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
Group text(int code, std::u16string_view value) { return Group::text(code, std::u16string(value)); }
}  // namespace

std::u16string BlockBuilder::uniqueName(std::u16string_view name) const {
  std::size_t digitsAt = name.size();
  while (digitsAt > 1 && isHexDigit(name[digitsAt - 1]) && name.size() - digitsAt < 12) --digitsAt;
  const std::u16string prefix(name.substr(0, digitsAt));
  Handle counter = 0;
  if (digitsAt < name.size()) counter = parseHandle(name.substr(digitsAt)).value_or(0);
  // Of blockCount() + 1 candidates at least one is free.
  for (std::size_t tries = 0; tries <= d_.blockCount() + 1; ++tries) {
    std::u16string candidate = prefix + handleText(++counter);
    if (!d_.findBlock(candidate)) return candidate;
  }
  return prefix + handleText(counter + 1);
}

std::u16string BlockBuilder::begin(std::u16string_view requested, bool anonymous, Point3 base) {
  if (isOpen()) end();
  return open(requested, anonymous, base, false);
}

std::u16string BlockBuilder::defineWhole(std::u16string_view name, bool redefine, Point3 base,
                                         const std::vector<GroupList>& entities) {
  const std::int32_t outer = current_;
  current_ = -1;
  std::u16string made = open(name, true, base, redefine);
  if (!made.empty())
    for (const GroupList& entity : entities) d_.maker_->makeInBlock(static_cast<std::size_t>(current_), entity);
  current_ = outer;
  return made;
}

std::u16string BlockBuilder::open(std::u16string_view requested, bool anonymous, Point3 base,
                                  bool redefineAnonymous) {
  anonymous = anonymous || (!requested.empty() && requested.front() == u'*');
  std::u16string name(requested);
  if (name.empty()) {
    if (!anonymous) return {};
    name = u"*U";
  }
  auto existing = d_.findBlock(name);
  if (existing && ((anonymous && !redefineAnonymous) || Drawing::isLayoutBlockName(name))) {
    name = uniqueName(name);
    existing.reset();
  }
  if (existing) {
    // Redefinition: the old entities go, the header takes the new base point.
    const std::size_t index = *existing;
    for (RecordId id : d_.block(index).entities) d_.setErased(id, true);
    d_.setBlockEntities(index, {});
    GroupList header = d_.record(d_.block(index).begin).list;
    if (Group* g = findGroup(header, 10)) g->setPoint(base);
    d_.setList(d_.block(index).begin, std::move(header));
    current_ = static_cast<std::int32_t>(index);
    return name;
  }

  TableRecords tables(d_);
  const Handle owner = d_.record(tables.addBlockRecord(name)).handle;
  d_.ensureSection(SectionKind::Blocks);
  auto makeRecord = [&](GroupList list, RecordKind kind) {
    const Handle handle = d_.allocateHandle();
    setHandleGroup(list, handle, 5);
    setOwnerGroup(list, owner);
    DrawingRecord record;
    record.list = std::move(list);
    record.handle = handle;
    record.kind = kind;
    return d_.addRecord(std::move(record));
  };
  BlockDefinition block;
  block.begin = makeRecord({text(0, u"BLOCK"), text(100, u"AcDbEntity"), text(8, u"0"), text(100, u"AcDbBlockBegin"),
                            text(2, name), Group::integer(70, anonymous ? 1 : 0), Group::point(10, base),
                            text(3, name), text(1, u"")},
                           RecordKind::BlockBegin);
  block.end = makeRecord({text(0, u"ENDBLK"), text(100, u"AcDbEntity"), text(8, u"0"), text(100, u"AcDbBlockEnd")},
                         RecordKind::BlockEnd);
  current_ = static_cast<std::int32_t>(d_.addBlock(std::move(block)));
  return name;
}

MakeResult BlockBuilder::add(const GroupList& entity) {
  if (!isOpen()) return {MakeStatus::Refused, kNoRecord, "no block definition is open"};
  return d_.maker_->makeInBlock(static_cast<std::size_t>(current_), entity);
}

bool BlockBuilder::end() {
  if (!isOpen()) return false;
  d_.maker_->flush();
  current_ = -1;
  return true;
}

}  // namespace cadhost
