#include "platform/cadhost/TableRecords.h"

#include <array>

#include "platform/cadhost/RecordGroups.h"
#include "platform/cadhost/SymbolName.h"

namespace cadhost {

namespace {

// The order AutoCAD expects the tables in.
constexpr std::array<std::u16string_view, 9> kTableOrder = {u"VPORT", u"LTYPE", u"LAYER", u"STYLE", u"VIEW",
                                                            u"UCS",   u"APPID", u"DIMSTYLE", u"BLOCK_RECORD"};

std::size_t orderOf(std::u16string_view table) {
  for (std::size_t i = 0; i < kTableOrder.size(); ++i)
    if (kTableOrder[i] == table) return i;
  return kTableOrder.size();
}

Group text(int code, std::u16string_view value) { return Group::text(code, std::u16string(value)); }

}  // namespace

std::size_t TableRecords::ensureTable(std::u16string_view name) {
  const std::u16string folded = foldSymbolName(name);
  const auto& tables = d_.tables();
  std::size_t position = 0;
  for (std::size_t i = 0; i < tables.size(); ++i) {
    if (tables[i].name == folded) return i;
    if (orderOf(tables[i].name) < orderOf(folded)) position = i + 1;
  }
  d_.ensureSection(SectionKind::Tables);
  GroupList head{text(0, u"TABLE"), text(2, folded), text(5, u"0"), text(330, u"0"),
                 text(100, u"AcDbSymbolTable"), Group::integer(70, 0)};
  Handle handle = d_.allocateHandle();
  setHandleGroup(head, handle, 5);
  DrawingRecord record;
  record.list = std::move(head);
  record.handle = handle;
  record.kind = RecordKind::TableHead;
  SymbolTable table;
  table.name = folded;
  table.head = d_.addRecord(std::move(record));
  return d_.addTable(position, std::move(table));
}

RecordId TableRecords::add(std::u16string_view table, GroupList list, bool report) {
  const std::size_t index = ensureTable(table);
  const Handle handle = d_.allocateHandle();
  setHandleGroup(list, handle, table == u"DIMSTYLE" ? 105 : 5);
  setOwnerGroup(list, d_.record(d_.tables()[index].head).handle);
  const std::u16string name(groupText(list, 2));
  DrawingRecord record;
  record.list = std::move(list);
  record.handle = handle;
  record.kind = RecordKind::TableRecord;
  RecordId id = d_.addRecord(std::move(record));
  d_.addTableRecord(index, id);
  if (report && d_.onRecordCreated) d_.onRecordCreated(table, name);
  return id;
}

GroupList TableRecords::recordStart(std::u16string_view type, std::u16string_view subclass,
                                    std::u16string_view name) const {
  return {text(0, type), text(100, u"AcDbSymbolTableRecord"), text(100, subclass), text(2, name),
          Group::integer(70, 0)};
}

GroupList TableRecords::cloneRecord(RecordId source, std::u16string_view name) const {
  const GroupList& from = d_.record(source).list;
  GroupList out;
  for (std::size_t i = 0; i < from.size(); ++i) {
    const Group& g = from[i];
    if (g.code() >= 1000) break;  // extended data belongs to the original
    if (g.code() == 102 && g.asText().starts_with(u"{")) {
      while (i < from.size() && !(from[i].code() == 102 && from[i].asText() == u"}")) ++i;
      continue;
    }
    if (g.code() == 5 || g.code() == 105 || g.code() == 330) continue;
    if (g.code() == 2) out.push_back(text(2, name));
    else if (g.code() == 70) out.push_back(Group::integer(70, 0));
    else out.push_back(g);
  }
  return out;
}

bool TableRecords::metricDrawing() const {
  const int units = d_.insUnits();
  if (units == 4 || units == 5 || units == 6) return true;
  const GroupList* measurement = d_.headerVariable("$MEASUREMENT");
  return measurement && groupInt(*measurement, 70) == 1;
}

RecordId TableRecords::ensureLinetype(std::u16string_view name) {
  if (RecordId id = d_.findTableRecord(u"LTYPE", name); id != kNoRecord) return id;
  GroupList list = recordStart(u"LTYPE", u"AcDbLinetypeTableRecord", name);
  const std::u16string folded = foldSymbolName(name);
  if (folded == u"DASHED") {
    // Dash and gap of the standard DASHED pattern, in the drawing's units.
    const double dash = metricDrawing() ? 12.7 : 0.5;
    list.push_back(text(3, u"Dashed __ __ __ __ __ __ __ __ __ __ __ __ __ _"));
    list.push_back(Group::integer(72, 65));
    list.push_back(Group::integer(73, 2));
    list.push_back(Group::real(40, dash * 1.5));
    list.push_back(Group::real(49, dash));
    list.push_back(Group::integer(74, 0));
    list.push_back(Group::real(49, -dash / 2));
    list.push_back(Group::integer(74, 0));
  } else {
    // Any other name is drawn solid until someone loads its pattern.
    list.push_back(text(3, folded == u"CONTINUOUS" ? u"Solid line" : u""));
    list.push_back(Group::integer(72, 65));
    list.push_back(Group::integer(73, 0));
    list.push_back(Group::real(40, 0.0));
  }
  return add(u"LTYPE", std::move(list), true);
}

RecordId TableRecords::ensureLayer(std::u16string_view name) {
  if (RecordId id = d_.findTableRecord(u"LAYER", name); id != kNoRecord) return id;
  RecordId continuous = ensureLinetype(u"Continuous");
  GroupList list = recordStart(u"LAYER", u"AcDbLayerTableRecord", name);
  list.push_back(Group::integer(62, 7));
  list.push_back(text(6, groupText(d_.record(continuous).list, 2)));
  list.push_back(Group::integer(370, -3));
  // New layers share the plot style of layer 0, as CAD programs do.
  if (RecordId zero = d_.findTableRecord(u"LAYER", u"0"); zero != kNoRecord)
    if (const Group* plotStyle = findGroup(d_.record(zero).list, 390)) list.push_back(*plotStyle);
  return add(u"LAYER", std::move(list), true);
}

RecordId TableRecords::ensureTextStyle(std::u16string_view name) {
  if (RecordId id = d_.findTableRecord(u"STYLE", name); id != kNoRecord) return id;
  RecordId standard = d_.findTableRecord(u"STYLE", u"Standard");
  if (standard != kNoRecord) return add(u"STYLE", cloneRecord(standard, name), true);
  GroupList list = recordStart(u"STYLE", u"AcDbTextStyleTableRecord", name);
  list.push_back(Group::real(40, 0.0));
  list.push_back(Group::real(41, 1.0));
  list.push_back(Group::real(50, 0.0));
  list.push_back(Group::integer(71, 0));
  list.push_back(Group::real(42, 2.5));
  list.push_back(text(3, u"txt"));
  list.push_back(text(4, u""));
  return add(u"STYLE", std::move(list), true);
}

RecordId TableRecords::ensureDimStyle(std::u16string_view name) {
  if (RecordId id = d_.findTableRecord(u"DIMSTYLE", name); id != kNoRecord) return id;
  // A new style starts as a copy of Standard.
  RecordId standard = sameSymbolName(name, u"Standard") ? kNoRecord : ensureDimStyle(u"Standard");
  if (standard != kNoRecord) return add(u"DIMSTYLE", cloneRecord(standard, name), true);
  return add(u"DIMSTYLE", recordStart(u"DIMSTYLE", u"AcDbDimStyleTableRecord", name), true);
}

RecordId TableRecords::ensureAppId(std::u16string_view name) {
  if (RecordId id = d_.findTableRecord(u"APPID", name); id != kNoRecord) return id;
  return add(u"APPID", recordStart(u"APPID", u"AcDbRegAppTableRecord", name), true);
}

RecordId TableRecords::addBlockRecord(std::u16string_view name) {
  GroupList list{text(0, u"BLOCK_RECORD"), text(100, u"AcDbSymbolTableRecord"),
                 text(100, u"AcDbBlockTableRecord"), text(2, name), text(340, u"0")};
  if (d_.version() >= "AC1021") {
    list.push_back(Group::integer(70, 0));
    list.push_back(Group::integer(280, 1));
    list.push_back(Group::integer(281, 0));
  }
  return add(u"BLOCK_RECORD", std::move(list), false);
}

void TableRecords::ensureReferencedBy(const GroupList& entity) {
  if (entity.empty()) return;
  const std::u16string& type = entity.front().asText();
  const std::size_t xdata = xdataStart(entity);
  bool layer = false, linetype = false, style = false, dimstyle = false;
  const bool hasStyle = type == u"TEXT" || type == u"MTEXT" || type == u"ATTRIB" || type == u"ATTDEF";
  const bool hasDimStyle = type == u"DIMENSION" || type == u"LEADER" || type == u"TOLERANCE";
  for (std::size_t i = 1; i < xdata; ++i) {
    const Group& g = entity[i];
    if (!g.isText() || g.asText().empty()) continue;
    if (g.code() == 8 && !layer) {
      layer = true;
      ensureLayer(g.asText());
    } else if (g.code() == 6 && !linetype) {
      linetype = true;
      ensureLinetype(g.asText());
    } else if (g.code() == 7 && hasStyle && !style) {
      style = true;
      ensureTextStyle(g.asText());
    } else if (g.code() == 3 && hasDimStyle && !dimstyle) {
      dimstyle = true;
      ensureDimStyle(g.asText());
    }
  }
  for (std::size_t i = xdata; i < entity.size(); ++i)
    if (entity[i].code() == 1001 && !entity[i].asText().empty()) ensureAppId(entity[i].asText());
}

void TableRecords::ensureRequired() {
  ensureLinetype(u"ByBlock");
  ensureLinetype(u"ByLayer");
  ensureLinetype(u"Continuous");
  ensureLayer(u"0");
  ensureTextStyle(u"Standard");
  ensureAppId(u"ACAD");
  ensureDimStyle(u"Standard");
}

void TableRecords::ensureForSave() {
  ensureRequired();
  const std::size_t count = d_.recordCount();
  for (RecordId id = 0; id < count; ++id) {
    if (!d_.isLive(id)) continue;
    const DrawingRecord& r = d_.record(id);
    if (r.kind == RecordKind::Entity || r.kind == RecordKind::SubEntity) {
      ensureReferencedBy(r.list);
      continue;
    }
    for (std::size_t i = xdataStart(r.list); i < r.list.size(); ++i)
      if (r.list[i].code() == 1001 && !r.list[i].asText().empty()) ensureAppId(r.list[i].asText());
  }
}

}  // namespace cadhost
