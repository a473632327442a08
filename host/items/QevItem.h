// The item record: what the module knows of one product-line item (a device,
// fitting or manifold inserted as a block): its identifier, properties,
// attributes, connection points, placement and the two lists its block
// reference carries. It is filled from a drawn block reference (the item data
// of ItemXdata.h and ItemInsPoints.h) and from the product database of its
// profession (the identifier's first letter, productConnection.h), written
// back into the item data, and turned into a block definition and a block
// reference again.
//
// Fields:
//   texts        the property values by index (strList): index 1 is
//                "_LABEL", so a manifold's mark is its label; the key of
//                index i is itemPropertyKey (the database's "PROP" name i,
//                else the fixed name)
//   attributes   the key table: (key, value, status) entries, the
//                database's parameters first; itemKeyTable.h reads and
//                changes them by key or index
//   points       the connection points (itemPoints.h), in the block frame
//                relative to the insertion point; `currentPoint` is the one
//                the item is inserted at
//   origin, xAxis, zAxis, scale, mirrored
//                the placement: `origin` is where the current connection
//                point lies in the drawing (the INSERT's 10), `xAxis` the
//                block's X axis turned by the current point's direction (as
//                readInsPointXdata gives it), `zAxis` the extrusion (210)
//   props        the entity properties of the reference, without extended
//                data (that travels in `insertData` alone)
//   blockDefinition, insertData
//                shared lists (itemListHolder.h): the entities of the item's
//                block, and the extended data its reference carries ("QEV_INSPT",
//                "QEV_DATA" and any other application's block)
//   extraApps    blocks of other applications the item holds, one list per
//                application, each beginning with its 1001 group; writeXdata
//                puts them into the insert data
//
// Copies share the lists (copy on write). Host thread only.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/curveList.h"
#include "host/entities/ltEntProps.h"
#include "host/items/itemListHolder.h"
#include "host/items/itemPoints.h"
#include "platform/cadhost/HostTables.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"
#include "platform/ge/XtGeVector3d.h"
#include "ui/gdi/strList.h"

struct itemAttribute {
  std::u16string key;
  std::u16string value;
  std::int32_t status = 0;  // the database's status of the parameter's type
  std::uint32_t flags = 0;  // bit 0: kept from the property dialog
};

struct itemPair {
  std::u16string key;
  std::u16string value;
};

// The status answers of the item readers.
namespace itemStatus {
inline constexpr int ok = 0;
inline constexpr int noInsertData = 3;
inline constexpr int blockNamed = 7;
inline constexpr int unreadable = 9;  // no readable item data, no database, or no block
}  // namespace itemStatus

class QevItem {
 public:
  QevItem() = default;

  // Back to the empty record: no identifier, empty arrays, numeric id -1,
  // current point and 1070 value 0, the placement at the origin with scale
  // 1.0, by-layer properties, no lists.
  void reset();

  bool hasId() const { return !id.empty(); }
  // Both list holders hold lists.
  bool hasInsertData() const { return static_cast<bool>(blockDefinition) && static_cast<bool>(insertData); }
  // The profession letter (the identifier's first character); 0 without one.
  char16_t profession() const { return id.empty() ? char16_t{0} : id.front(); }

  // The insertion point (the origin).
  XtGePoint2d& position() { return origin; }
  const XtGePoint2d& position() const { return origin; }
  void setPosition(const XtGePoint2d& point) { origin = point; }
  // The item's kind: 0 for every record the module makes.
  std::uint8_t getKind() const { return kind; }

  // The parameters of item `id` from its profession's database (through word
  // 51 of `host`, a fresh table when null): one attribute per parameter
  // record with the status of its type, the points (read repeat + 1 times),
  // the numeric identifier, the layer ("0" when the database gives none),
  // the length index (the first attribute "L" among those of status 0 or 16,
  // else the last of them, -1 when none has such a status) and the height
  // index (the same for "U" and status 0). Every output but `attributes` is
  // optional. Answers 1, or 0 (outputs unchanged) without a database, an
  // item of that identifier or readable points.
  static int readDbItem(const HostExport2D* host, int repeat, std::u16string_view id,
                        std::vector<itemAttribute>& attributes, std::vector<itemConnectionPoint>* points,
                        std::int32_t* lengthIndex, std::int32_t* heightIndex, std::u16string* layer,
                        std::int32_t* numericId);

  // Fills identifier, properties, attributes, points, other pairs and other
  // applications' blocks from an entity's list and the database. False, with
  // the item unchanged, when the list has no item data or "QEV_INSPT" block,
  // or the database does not know the item.
  bool readFromEntity(const HostExport2D* host, const resbuf* list);

  // Brings the "QEV_DATA" block of the insert data (made this item's own) in
  // line with the record: pairs whose key is excluded stay; a pair of a
  // property's key takes the property's value, a pair of a key-table key the
  // entry's value (the first such pair each); properties and entries no pair
  // carried are appended after the last pair when their value is not empty;
  // each application block of `extraApps` replaces the insert data's block of
  // that application, or is appended. For an item of non-zero kind the
  // eighth character of the header text becomes 'i' (when it has eight).
  // False when there is no insert data with a "QEV_DATA" block.
  bool writeXdata(const HostExport2D* host, std::span<const std::u16string_view> excludedKeys = {});

  // Takes the application blocks of a chain of extended data (the groups from
  // the first 1001 on; "QEV_DATA" and "QEV_INSPT" passed over, as the item
  // writes those itself): each replaces the held block of its application or
  // is added.
  void setExtraApps(const resbuf* groups);

  // The property-dialog texts of the attributes with a non-empty key and
  // value and flag bit 0 clear, in order, joined by '/': "#key"; the value
  // with each '/' written "\/"; the status in decimal. An entry that would
  // take a text past 2047 units ends the texts (no entry is cut).
  void attributeTexts(std::u16string& names, std::u16string& values, std::u16string& statuses) const;
  // One flag per property (at least four): the first four set, a later one
  // when the property has a value or a key.
  std::vector<std::uint8_t> propertyFlags(const HostExport2D* host) const;

  // Copies the entity properties out, without extended data or reactors.
  void toEntProps(ltEntProps& out) const;

  // ---- The item's block (word 111 makes blocks, word 114 references)

  // Makes the item's block from its block-definition list (defineItemBlock
  // with the current connection index, construction entities dropped):
  // without `keepName` a new anonymous block ("*UMSHV9...") becomes the
  // item's block and its insert data a new "QEV_INSPT" block (the markers
  // relative to the base, the marker of the current connection index or the
  // last one) followed by the old insert data without its "QEV_INSPT"; with
  // `keepName` no block is made. Either way the markers give the connection
  // points their places and directions, for as many as both have. Curves of
  // the kept entities go to `curves` when given (in block coordinates).
  // Answers 0; 7 without `keepName` when the item has a block name already;
  // 9 when the block cannot be made (the item is then unchanged).
  int prepareBlock(const HostExport2D* host, bool keepName, curvePtrArray* curves);

  // The block reference of the item: its block at `origin`, rotated by the
  // angle of the X axis less that of the current connection point's
  // direction (negated first for a mirrored item not read from the drawing,
  // unless `keepMirror`), scaled (s, s, s) with x negated when mirrored, the
  // Z axis as 210, the 66 it was read with, the entity properties and a copy
  // of the insert data as its extended data. Into `*list` when given (the
  // caller owns it), otherwise to word 114 of `host` (a fresh table when
  // null), which updates the reference of the same handle. Answers 0; 3
  // without insert data or a block name, or when no list can be built; the
  // host's answer when word 114 refuses the list.
  int insertBlock(const HostExport2D* host, bool keepMirror, resbuf** list) const;

  // Reads the item's database attributes again and refreshes what depends on
  // them, keeping everything the item carries (identity, properties, key-
  // table values, insert data): parameters the table lacks are added,
  // known ones take the database's status; the keys "_QDATE", "_QPROD",
  // "_SLOPE", "_BRANCH", "_QCATALOGUE" and "_NUM_ISOL_AREA" are added empty
  // when missing; the block definition comes from the property dialog's
  // module when it binds, else from the drawing (the item's block through
  // the block walk); the item data is written back and the connection points
  // are placed by the block's markers (prepareBlock keeping the name).
  // Answers 0; 9 without an identifier, database item or readable block.
  int readDbAttributes(const HostExport2D* host, curvePtrArray* curves);

  // The property dialog of the item. Without the dialog's module (or an
  // identifier) it answers IDCANCEL and changes nothing. Otherwise the
  // dialog gets the attribute texts, the property flags, the "_QDATE" value,
  // the current connection point (from 1) and the 1070 value; when it
  // answers IDOK, its block definition and insert data become the item's,
  // the item data is written back and a block of its own is made
  // (prepareBlock); any other answer leaves the item as it was. Answers the
  // dialog's answer.
  int editProperties(const HostExport2D* host);

  std::uint8_t fromEntity = 0;  // 1 when read from a drawing entity
  std::uint8_t kind = 0;
  std::u16string id;
  std::u16string blockName;
  strList texts;
  std::vector<itemAttribute> attributes;
  std::vector<itemConnectionPoint> points;
  std::vector<itemPair> otherPairs;
  std::vector<itemListHolder> extraApps;
  std::int32_t numericId = -1;
  std::int32_t currentPoint = 0;
  std::int16_t insPointValue = 0;  // the 1070 of "QEV_INSPT"
  std::int16_t attributesFollow = 0;  // the reference's 66
  std::u16string layer;
  std::int32_t lengthIndex = -1;
  std::int32_t heightIndex = -1;
  XtGePoint2d origin;
  XtGeVector2d xAxis{1.0, 0.0};
  XtGeVector3d zAxis{0.0, 0.0, 1.0};
  double scale = 1.0;
  bool mirrored = false;
  ltEntProps props;
  itemListHolder blockDefinition;
  itemListHolder insertData;
};

// The length index (the first attribute "L" among those of status 0 or 16,
// else the last of them, -1 when none has such a status) and the height index
// (the same for "U" and status 0) of a key table.
void findDimensionIndexes(const std::vector<itemAttribute>& attributes, std::int32_t& lengthIndex,
                          std::int32_t& heightIndex);

// Whole item records read from a reference or the database.
namespace itemData {

// Resets the item and reads it from a block reference's list: the entity
// properties (without extended data), QevItem::readFromEntity, the placement
// from "QEV_INSPT" and the entity (10, 50 turned by the insertion pair, 210,
// the current connection index and the 1070 value), the scale from 41 (a
// negative one marks the item mirrored; none is 1.0), the block name (2), the
// 66, and a copy of the extended data as insert data. The databases are
// reached through word 51 of `host` (a fresh table when null). Answers 0, or
// 9 with the item reset when nothing readable is there.
int readFromEntity(QevItem& item, const resbuf* list, const HostExport2D* host);

// Resets the item and fills it from the database alone (QevItem::readDbItem
// with `repeat`), not mirrored, not from an entity; calls the database's item
// callback. Answers 0, or 9 with the item reset.
int loadFromDatabase(QevItem& item, std::u16string_view id, int repeat, const HostExport2D* host);

// Reads the entity into a scratch item, loads a fresh item of its identifier
// from the database and carries over the scratch item's entity properties,
// property values (by index) and key-table values (by key; keys the database
// does not list are added). Answers 0, or 9 with the item unchanged.
int refreshFromDatabase(QevItem& item, const resbuf* list, int repeat, const HostExport2D* host);

// Sets the item's entity properties from a block, without its extended data
// or reactors.
void setProperties(QevItem& item, const ltEntProps& props);

}  // namespace itemData
