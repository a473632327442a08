// The in-memory drawing database of the stand-in CAD host. Every entity,
// table record and object is an ordered group list in list form (radians for
// angles, chunked text 1 first, see EntityListForm), reached by record id,
// handle or entity name. Changes made while a transaction is open go into a
// journal, so that a rollback restores the drawing exactly.
//
// Not thread-safe except insUnits(), which design threads may call while the
// command thread works on the drawing.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/cadhost/DxfNumber.h"
#include "platform/cadhost/DxfTextCodec.h"
#include "platform/cadhost/Group.h"

namespace cadhost {

class BlockBuilder;
class DrawingJournal;
class EntityMaker;

using RecordId = std::uint32_t;
constexpr RecordId kNoRecord = 0xFFFFFFFFu;

enum class RecordKind : std::uint8_t {
  Entity,       // in the ENTITIES section or in a block
  SubEntity,    // ATTRIB, VERTEX or SEQEND of an INSERT or POLYLINE
  BlockBegin,   // BLOCK
  BlockEnd,     // ENDBLK
  TableHead,    // TABLE
  TableRecord,  // LAYER, LTYPE, ...
  Object,       // OBJECTS section
};

struct DrawingRecord {
  GroupList list;  // list[0] is group 0 with the upper-case type
  Handle handle = 0;
  RecordKind kind = RecordKind::Object;
  bool erased = false;
  bool paperSpace = false;        // entity with (67 . 1)
  std::int32_t block = -1;        // entities: block index; -1 = ENTITIES section
  RecordId parent = kNoRecord;    // sub-entities: their INSERT or POLYLINE
  std::vector<RecordId> children; // ATTRIB/VERTEX records, then the SEQEND
  std::uint64_t serial = 0;       // part of the entity name; never used twice

  std::u16string_view type() const {
    return list.empty() ? std::u16string_view() : std::u16string_view(list.front().asText());
  }
};

struct BlockDefinition {
  RecordId begin = kNoRecord;  // BLOCK record
  RecordId end = kNoRecord;    // ENDBLK record
  std::vector<RecordId> entities;
};

struct SymbolTable {
  std::u16string name;  // upper case: LAYER, LTYPE, ...
  RecordId head = kNoRecord;
  std::vector<RecordId> records;
};

struct HeaderVariable {
  std::string name;  // with the '$'
  GroupList values;
};

// A section the host does not interpret, kept byte for byte.
struct RawSection {
  struct RawGroup {
    int code;
    std::string value;
  };
  std::string name;
  std::vector<RawGroup> groups;
};

enum class SectionKind : std::uint8_t { Header, Classes, Tables, Blocks, Entities, Objects, Raw };
struct SectionRef {
  SectionKind kind;
  std::size_t rawIndex = 0;  // for Raw
};

enum class MakeStatus : std::uint8_t {
  Made,       // a new entity
  Updated,    // an existing entity got the list (and was revived if erased)
  Unchanged,  // identical list; nothing changed
  Pending,    // part of an INSERT/POLYLINE that waits for its SEQEND
  Refused,
};

struct MakeResult {
  MakeStatus status = MakeStatus::Refused;
  RecordId record = kNoRecord;
  std::string message;  // why it was refused
  bool ok() const { return status != MakeStatus::Refused; }
};

// View variables answered from the active viewport, with fixed defaults.
struct ViewVariables {
  Point3 viewCenter;
  double viewSize = 1.0;
  Point3 viewDirection{0.0, 0.0, 1.0};
  Point3 target;
  double viewTwist = 0.0;  // radians
  double screenWidth = 1280.0;
  double screenHeight = 1024.0;
};

class Drawing {
 public:
  Drawing();
  ~Drawing();
  Drawing(const Drawing&) = delete;
  Drawing& operator=(const Drawing&) = delete;

  // ---- File properties
  const std::string& version() const { return version_; }  // $ACADVER
  const DxfTextCodec& codec() const { return codec_; }
  bool crlf() const { return crlf_; }
  const std::string& sourceName() const { return sourceName_; }

  // ---- Records
  std::size_t recordCount() const { return records_.size(); }
  const DrawingRecord& record(RecordId id) const { return records_[id]; }
  bool validRecord(RecordId id) const { return id < records_.size(); }
  // Handles of erased records are still found.
  RecordId findByHandle(Handle handle) const;
  RecordId findByHandleText(std::u16string_view text) const;
  // The entity name handed out as group -1.
  std::u16string entityName(RecordId id) const;
  RecordId findByName(std::u16string_view name) const;
  // Not erased, and not part of an erased INSERT/POLYLINE.
  bool isLive(RecordId id) const;
  bool isErasePending(RecordId id) const { return pendingErase_.count(id) != 0; }
  // The list as it is handed out: (-1 name) first, codes without a type of
  // their own left out.
  GroupList handOutList(RecordId id) const;

  // ---- Entities
  const std::vector<RecordId>& entitiesSection() const { return entities_; }
  // Live model-space entities of the ENTITIES section in drawing order.
  std::vector<RecordId> modelSpace() const;
  // Erased entities of the ENTITIES section, which a save leaves out.
  std::vector<RecordId> erasedEntities() const;
  Handle modelSpaceHandle() const { return modelSpaceHandle_; }

  // ---- Blocks (the BLOCKS section in order, *Model_Space and *Paper_Space included)
  std::size_t blockCount() const { return blocks_.size(); }
  const BlockDefinition& block(std::size_t index) const { return blocks_[index]; }
  std::u16string_view blockName(std::size_t index) const;
  std::optional<std::size_t> findBlock(std::u16string_view name) const;
  // The BLOCK_RECORD of a block (by name), or kNoRecord.
  RecordId blockRecordOf(std::size_t index) const;
  // True for *Model_Space and *Paper_Space* layouts.
  static bool isLayoutBlockName(std::u16string_view name);

  // ---- Tables
  const std::vector<SymbolTable>& tables() const { return tables_; }
  const SymbolTable* findTable(std::u16string_view name) const;
  RecordId findTableRecord(std::u16string_view table, std::u16string_view name) const;
  std::vector<std::u16string> tableRecordNames(std::u16string_view table) const;

  // ---- Header variables (names with the '$', upper case)
  const std::vector<HeaderVariable>& header() const { return header_; }
  const GroupList* headerVariable(std::string_view name) const;
  void setHeaderVariable(std::string_view name, GroupList values);
  // $INSUNITS; safe to call from any thread.
  int insUnits() const { return insUnits_.load(std::memory_order_relaxed); }
  std::u16string currentLayer() const;  // $CLAYER, "0" when missing
  Point3 ucsOrigin() const;             // $UCSORG
  Point3 ucsXDirection() const;         // $UCSXDIR, (1,0,0) when missing
  double dimScale() const;              // $DIMSCALE, 1 when missing
  ViewVariables viewVariables() const;  // from the *Active viewport

  // ---- Dictionaries
  // The named-object dictionary: the first object of the OBJECTS section.
  RecordId rootDictionary() const;
  // The entries of a dictionary in order: name (group 3) and the record that
  // the following 350/360 names (kNoRecord when it names none).
  std::vector<std::pair<std::u16string, RecordId>> dictionaryEntries(RecordId dictionary) const;

  // ---- Other sections (for the writer)
  const std::vector<GroupList>& classes() const { return classes_; }
  const std::vector<RecordId>& objects() const { return objects_; }
  const std::vector<RawSection>& rawSections() const { return rawSections_; }
  const std::vector<SectionRef>& sectionOrder() const { return sectionOrder_; }

  // ---- Transactions
  // Opens the journal; a nested call continues the open one.
  void beginTransaction();
  bool transactionOpen() const;
  // Completes a pending INSERT/POLYLINE, closes the journal and makes the
  // erase marks final.
  void commit();
  // Undoes everything since beginTransaction, drops a pending INSERT/POLYLINE
  // and the erase marks.
  void rollback();
  // The end of a command: rolls back a journal still open (answers true
  // then) and drops the erase marks.
  bool endCommand();

  // ---- Edits (journaled while a transaction is open)
  // A fresh handle that nothing uses; a later make may take it.
  Handle reserveHandle();
  bool isHandleReserved(Handle handle) const { return reserved_.count(handle) != 0; }
  // Deferred erase: final at the next commit, dropped by rollback/endCommand
  // or dropEraseMarks.
  void markErase(RecordId id);
  void dropEraseMarks() { pendingErase_.clear(); }
  void erase(RecordId id);
  // Makes or updates an entity from a list (the module's word 114).
  MakeResult makeEntity(const GroupList& list);
  // Replaces the list of any record in place; the handle, the owner and the
  // name of a table record stay the record's.
  void replaceRecordList(RecordId id, GroupList list);
  // Block definitions (the module's word 111).
  BlockBuilder& blockBuilder();
  // Two opaque state bytes per layer; kept on the LAYER record as extended
  // data, or aside when the layer does not exist (answers false then).
  bool setLayerState(std::u16string_view layer, std::uint8_t first, std::uint8_t second);
  std::pair<std::uint8_t, std::uint8_t> layerState(std::u16string_view layer) const;

  // Called for every table record created on demand (table, name).
  std::function<void(std::u16string_view, std::u16string_view)> onRecordCreated;

  // Completes pending edits, adds the table records the drawing needs and
  // advances $HANDSEED. The writer calls it.
  void prepareForSave();

 private:
  friend class BlockBuilder;
  friend class DxfReader;
  friend class EntityMaker;
  friend class TableRecords;

  // Journaled primitives.
  RecordId addRecord(DrawingRecord record);
  void setList(RecordId id, GroupList list);
  void setErased(RecordId id, bool erased);
  void setChildren(RecordId id, std::vector<RecordId> children);
  void appendEntity(std::int32_t block, RecordId id);
  void setBlockEntities(std::size_t block, std::vector<RecordId> entities);
  std::size_t addBlock(BlockDefinition block);
  std::size_t addTable(std::size_t position, SymbolTable table);
  void addTableRecord(std::size_t table, RecordId id);
  void ensureSection(SectionKind kind);
  Handle allocateHandle();
  // Makes `handle` used: advances the handle seed past it.
  void claimHandle(Handle handle);
  void undoable(std::function<void()> undo);

  // Loading: records are indexed once, when the file is read.
  RecordId loadRecord(DrawingRecord record);
  void finishLoad();
  void indexRecord(RecordId id);
  void rebuildNameIndexes();

  void setRecordDerived(DrawingRecord& record);
  std::u16string blockNameOfRecord(RecordId begin) const;

  std::string version_ = "AC1027";
  DxfTextCodec codec_ = DxfTextCodec::utf8();
  bool crlf_ = false;
  std::string sourceName_;

  std::deque<DrawingRecord> records_;  // references stay valid as records are added
  std::unordered_map<Handle, RecordId> byHandle_;
  std::uint64_t nextSerial_ = 1;
  Handle nextHandle_ = 1;
  std::unordered_set<Handle> reserved_;

  std::vector<HeaderVariable> header_;
  std::vector<GroupList> classes_;
  std::vector<SymbolTable> tables_;
  std::unordered_map<std::u16string, std::unordered_map<std::u16string, RecordId>> tableIndex_;
  std::vector<BlockDefinition> blocks_;
  std::unordered_map<std::u16string, std::size_t> blockIndex_;
  std::vector<RecordId> entities_;
  std::vector<RecordId> objects_;
  std::vector<RawSection> rawSections_;
  std::vector<SectionRef> sectionOrder_;
  Handle modelSpaceHandle_ = 0;
  std::atomic<int> insUnits_{0};

  std::unordered_set<RecordId> pendingErase_;
  std::map<std::u16string, std::pair<std::uint8_t, std::uint8_t>> layerStateAside_;

  std::unique_ptr<DrawingJournal> journal_;
  std::unique_ptr<EntityMaker> maker_;
  std::unique_ptr<BlockBuilder> blockBuilder_;
};

}  // namespace cadhost
