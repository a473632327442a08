#include "platform/qevdb/Database.h"

#include <algorithm>

namespace qevDatabase {

namespace {

char16_t foldAscii(char16_t unit) { return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit; }

bool sameIdentifier(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return foldAscii(x) == foldAscii(y); });
}

std::u16string decimal(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

bool Database::GoIndexID(std::u16string_view identifier) {
  current_.reset();
  const ItemRecord* item = find(identifier);
  if (item != nullptr) current_ = static_cast<std::size_t>(item - items_.data());
  return item != nullptr;
}

const ItemRecord* Database::find(std::u16string_view identifier) const {
  const auto found = std::find_if(items_.begin(), items_.end(),
                                  [&](const ItemRecord& item) { return sameIdentifier(item.identifier, identifier); });
  return found != items_.end() ? &*found : nullptr;
}

const ItemRecord* Database::current() const { return current_ ? &items_[*current_] : nullptr; }

std::optional<std::int32_t> Database::currentNumericId() const {
  if (const ItemRecord* item = current()) return item->numericId;
  return std::nullopt;
}

std::optional<std::u16string> Database::currentLayer() const {
  if (const ItemRecord* item = current()) return item->layer;
  return std::nullopt;
}

std::u16string Database::currentParameterText() const {
  std::u16string text;
  if (const ItemRecord* item = current()) {
    for (const std::u16string& record : item->parameters) {
      if (!text.empty()) text += u"\r\n";
      text += record;
    }
  }
  return text;
}

std::int32_t Database::parameterStatus(std::int32_t type) const {
  const auto found = typeStatus_.find(type);
  return found != typeStatus_.end() ? found->second : 0;
}

std::optional<std::u16string> Database::pointText(std::int32_t numericId) const {
  const ItemRecord* item = findNumericId(numericId);
  if (item == nullptr) return std::nullopt;
  std::u16string text = decimal(static_cast<std::int64_t>(item->points.size())) + u"\r\n";
  for (const PointRecord& point : item->points)
    text += point.names + u"\r\n" + decimal(point.first) + u"\r\n" + decimal(point.second) + u"\r\n" + point.flag + u"\r\n";
  return text;
}

std::vector<NameRow> Database::EnumNames(std::u16string_view table) const {
  std::vector<NameRow> rows;
  const auto found = tables_.find(std::u16string(table));
  if (found != tables_.end())
    for (const auto& [number, row] : found->second) rows.push_back(row);
  return rows;
}

std::optional<std::u16string> Database::propertyName(std::int32_t index) const {
  const auto table = tables_.find(u"PROP");
  if (table == tables_.end()) return std::nullopt;
  const auto row = table->second.find(index);
  if (row == table->second.end()) return std::nullopt;
  return row->second.name;
}

bool Database::addItem(ItemRecord item) {
  for (const ItemRecord& existing : items_)
    if (sameIdentifier(existing.identifier, item.identifier)) return false;
  items_.push_back(std::move(item));
  return true;
}

bool Database::addTableRow(const std::u16string& table, std::int32_t row, NameRow value) {
  return tables_[table].emplace(row, std::move(value)).second;
}

bool Database::addParameterType(std::int32_t type, std::int32_t status) {
  return typeStatus_.emplace(type, status).second;
}

const ItemRecord* Database::findNumericId(std::int32_t numericId) const {
  const auto found = std::find_if(items_.begin(), items_.end(),
                                  [&](const ItemRecord& item) { return item.numericId == numericId; });
  return found != items_.end() ? &*found : nullptr;
}

void Database::addProducerMaterial(std::int32_t id, std::u16string producer, std::u16string material) {
  producerMaterials_.push_back(ProducerMaterial{id, std::move(producer), std::move(material)});
}

std::int32_t Database::EnumProducersMaterials(const ProducerMaterialCallback& callback) const {
  if (producerMaterialFailure_ != 0) return producerMaterialFailure_;
  if (callback)
    for (const ProducerMaterial& pair : producerMaterials_) callback(pair.id, pair.producer.c_str(), pair.material.c_str());
  return 0;
}

}  // namespace qevDatabase
