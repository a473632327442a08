// The product database of one profession (the letter that begins the
// identifiers of its items: 'T' heating, 'E' electrical, ...): its items with
// their numeric identifiers, layers, parameters and connection points, its
// named tables ("PROP" property names, "PARS" user parameters, "MATR",
// "DIM1", ...) and the statuses of its parameter types.
//
// The host hands a module the database of a letter as an opaque handle (word
// 51 of its "GetExport2D" table); both sides link this library, so the handle
// is a Database*. The host builds the databases from its record file
// (ProductFile.h) before the module starts and owns them for the run.
//
// Threads: the content never changes once the file is read; the position set
// by GoIndexID is the one mutable state, so a database is used on the host's
// thread only, like every other host table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qevDatabase {

// One row of a named table.
struct NameRow {
  std::u16string name;
  std::u16string value;
};

// One connection point of an item as the record file gives it.
struct PointRecord {
  std::u16string names;  // the name pattern, "#group/name/..."
  std::int16_t first = 0;
  std::int16_t second = 0;
  std::u16string flag;   // the flag line
};

// One item of the profession.
struct ItemRecord {
  std::u16string identifier;
  std::int32_t numericId = 0;
  std::optional<std::u16string> layer;
  std::vector<std::u16string> parameters;  // "key|value|type[|...]" in file order
  std::vector<PointRecord> points;
};

class Database {
 public:
  // Called by the module when it has loaded an item of this database (tests
  // set one); its argument is the item's identifier.
  using ItemCallback = std::function<void(std::u16string_view identifier)>;

  explicit Database(char16_t letter) : letter_(letter) {}

  // The profession letter (upper case).
  char16_t letter() const { return letter_; }

  // Positions the database on the item of that identifier (compared without
  // regard to the case of A-Z). False, with no position, when there is none.
  bool GoIndexID(std::u16string_view identifier);
  // The item of that identifier (compared as GoIndexID does), without moving
  // the position; null when there is none.
  const ItemRecord* find(std::u16string_view identifier) const;
  // The item positioned on; null without a position.
  const ItemRecord* current() const;

  // The current item's numeric identifier; nothing without a position.
  std::optional<std::int32_t> currentNumericId() const;
  // The current item's layer; nothing without a position or without a layer.
  std::optional<std::u16string> currentLayer() const;
  // The current item's parameter records joined with CR LF (empty without a
  // position or parameters).
  std::u16string currentParameterText() const;

  // The status of a parameter type; 0 for a type the database does not list.
  std::int32_t parameterStatus(std::int32_t type) const;

  // The point text of the item with that numeric identifier: the number of
  // points, then per point four lines (name pattern, the two integers,
  // the flag), each line ended by CR LF. Nothing for an unknown identifier.
  std::optional<std::u16string> pointText(std::int32_t numericId) const;

  // The rows of a named table in row-number order; empty for a table the
  // database does not have.
  std::vector<NameRow> EnumNames(std::u16string_view table) const;
  // Row `index` of the table "PROP" (the name of property `index`); nothing
  // when the table has no such row.
  std::optional<std::u16string> propertyName(std::int32_t index) const;

  // The producer-material pairs of the floor structures: called back with
  // (producer id, producer name, material) for each pair in the order added.
  // Answers 0, or the failure code a test has set, without calling back.
  using ProducerMaterialCallback =
      std::function<void(std::int32_t id, const char16_t* producer, const char16_t* material)>;
  std::int32_t EnumProducersMaterials(const ProducerMaterialCallback& callback) const;

  void setItemCallback(ItemCallback callback) { itemCallback_ = std::move(callback); }
  const ItemCallback& itemCallback() const { return itemCallback_; }

  // ---- Building (the record file reader)
  // False when an item of that identifier (any case) exists already.
  bool addItem(ItemRecord item);
  // False when the table has that row already.
  bool addTableRow(const std::u16string& table, std::int32_t row, NameRow value);
  // False when the type is listed already.
  bool addParameterType(std::int32_t type, std::int32_t status);
  // Adds a producer-material pair; order and duplicates are kept.
  void addProducerMaterial(std::int32_t id, std::u16string producer, std::u16string material);
  // Makes EnumProducersMaterials answer `code` (0: work again).
  void setProducerMaterialFailure(std::int32_t code) { producerMaterialFailure_ = code; }
  // The item with that numeric identifier; null when there is none.
  const ItemRecord* findNumericId(std::int32_t numericId) const;

 private:
  char16_t letter_;
  std::vector<ItemRecord> items_;
  std::map<std::u16string, std::map<std::int32_t, NameRow>> tables_;
  std::map<std::int32_t, std::int32_t> typeStatus_;
  struct ProducerMaterial {
    std::int32_t id;
    std::u16string producer;
    std::u16string material;
  };
  std::vector<ProducerMaterial> producerMaterials_;
  std::int32_t producerMaterialFailure_ = 0;
  std::optional<std::size_t> current_;
  ItemCallback itemCallback_;
};

}  // namespace qevDatabase
