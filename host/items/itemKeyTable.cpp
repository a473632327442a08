#include "host/items/itemKeyTable.h"

#include "host/items/ItemXdata.h"
#include "platform/win/StringCompare.h"

namespace itemArray {

std::int32_t indexOf(const QevItem& item, std::u16string_view key) {
  for (std::size_t i = 0; i < item.attributes.size(); ++i)
    if (hvCompareNoCaseLetters(item.attributes[i].key, key) == 0) return static_cast<std::int32_t>(i);
  return -1;
}

bool setText(QevItem& item, std::int32_t index, const char16_t* text) {
  if (index < 0 || static_cast<std::size_t>(index) >= item.attributes.size()) return false;
  item.attributes[static_cast<std::size_t>(index)].value = text ? std::u16string(text) : std::u16string();
  return true;
}

bool setText(QevItem& item, std::u16string_view key, const char16_t* text) {
  const std::int32_t index = indexOf(item, key);
  if (index >= 0) return setText(item, index, text);
  item.attributes.push_back({std::u16string(key), text ? std::u16string(text) : std::u16string(), 0, 0});
  return true;
}

const std::u16string* itemAt(const QevItem& item, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= item.attributes.size()) return nullptr;
  return &item.attributes[static_cast<std::size_t>(index)].value;
}

const std::u16string* itemAt(const QevItem& item, std::u16string_view key) { return itemAt(item, indexOf(item, key)); }

}  // namespace itemArray

namespace itemKeyList {

bool removeKey(QevItem& item, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= item.attributes.size()) return false;
  const std::u16string key = item.attributes[static_cast<std::size_t>(index)].key;
  if (resbuf* list = item.insertData.editableList()) setItemXdataValue(key.c_str(), nullptr, list);
  item.attributes.erase(item.attributes.begin() + index);
  return true;
}

bool removeKey(QevItem& item, std::u16string_view key) {
  const std::int32_t index = itemArray::indexOf(item, key);
  if (index >= 0) return removeKey(item, index);
  // A pair of the item data without a table entry goes as well.
  resbuf* list = item.insertData.get() ? item.insertData.editableList() : nullptr;
  return list != nullptr && setItemXdataValue(std::u16string(key).c_str(), nullptr, list) == 1;
}

}  // namespace itemKeyList
