// Symbol-table records a drawing needs: the required ones (layer "0", the
// linetypes BYBLOCK, BYLAYER and CONTINUOUS, the text and dimension style
// "Standard", the application "ACAD"), the ones entities name, and an APPID
// for every extended-data application. Created on demand with fresh handles
// and reported through Drawing::onRecordCreated.
#pragma once

#include <string_view>

#include "platform/cadhost/Drawing.h"

namespace cadhost {

class TableRecords {
 public:
  explicit TableRecords(Drawing& drawing) : d_(drawing) {}

  RecordId ensureLayer(std::u16string_view name);
  RecordId ensureLinetype(std::u16string_view name);
  RecordId ensureTextStyle(std::u16string_view name);
  RecordId ensureDimStyle(std::u16string_view name);
  RecordId ensureAppId(std::u16string_view name);
  // The BLOCK_RECORD of a new block (not reported: it is not a missing record).
  RecordId addBlockRecord(std::u16string_view name);

  // The layer, linetype, text style, dimension style and applications that
  // an entity list names.
  void ensureReferencedBy(const GroupList& entity);
  void ensureRequired();
  // Required records, the records every live entity names, and APPIDs for
  // the extended data of every record.
  void ensureForSave();

 private:
  std::size_t ensureTable(std::u16string_view name);
  RecordId add(std::u16string_view table, GroupList list, bool report);
  // A copy of another record of the table under a new name.
  GroupList cloneRecord(RecordId source, std::u16string_view name) const;
  GroupList recordStart(std::u16string_view type, std::u16string_view subclass, std::u16string_view name) const;
  bool metricDrawing() const;

  Drawing& d_;
};

}  // namespace cadhost
