#include "host/items/slotArray.h"

#include <string>

const std::vector<std::u16string>* slotArray::getOrCreate(slotArray& table, std::int32_t index,
                                                          const qevDatabase::Database* database) {
  if (index < 0) return nullptr;
  const auto found = table.slots_.find(index);
  if (found != table.slots_.end()) return &found->second;
  if (database == nullptr) return nullptr;
  const std::string digits = std::to_string(index);
  const std::vector<qevDatabase::NameRow> rows = database->EnumNames(u"DIM" + std::u16string(digits.begin(), digits.end()));
  if (rows.empty()) return nullptr;
  std::vector<std::u16string>& names = table.slots_[index];
  for (const qevDatabase::NameRow& row : rows) names.push_back(row.name);
  return &names;
}
