// Writing an item record back into the item data of its insert data.
#include <algorithm>

#include "host/XdataAppNames.h"
#include "host/items/ItemXdata.h"
#include "host/items/QevItem.h"
#include "host/items/itemPropertyKeys.h"
#include "host/items/itemXdataApps.h"
#include "platform/win/StringCompare.h"

namespace {

bool isExcluded(std::span<const std::u16string_view> excluded, std::u16string_view key) {
  return std::any_of(excluded.begin(), excluded.end(),
                     [&](std::u16string_view x) { return hvCompareNoCaseLetters(x, key) == 0; });
}

// The pair of the key takes the value; a key without a pair gets one when the
// value is not empty.
void writeValue(resbuf* list, const std::u16string& key, const std::u16string& value) {
  const resbuf* pairs = findItemXdata(list);
  if (pairs == nullptr) return;
  if (value.empty() && xdataValueByKey(key.c_str(), pairs->next) == nullptr) return;
  setItemXdataValue(key.c_str(), value.c_str(), list);
}

// Position 7 of the header marks an item of its own kind.
void markKindInHeader(resbuf* list) {
  resbuf* app = findXdataAppBlock(list, qevDataAppName);
  resbuf* header = app ? app->next : nullptr;
  if (header == nullptr || header->code != 1000 || header->value.str == nullptr) return;
  if (std::u16string_view(header->value.str).size() >= 8) header->value.str[7] = u'i';
}

}  // namespace

bool QevItem::writeXdata(const HostExport2D* host, std::span<const std::u16string_view> excludedKeys) {
  resbuf* list = insertData.editableList();
  if (list == nullptr || findItemXdata(list) == nullptr) return false;
  const char16_t letter = profession();
  for (std::int32_t i = 0; i < texts.count(); ++i) {
    const std::u16string key = itemPropertyKey(host, letter, i);
    if (!key.empty() && !isExcluded(excludedKeys, key)) writeValue(list, key, texts.getAt(i).str());
  }
  for (const itemAttribute& attribute : attributes)
    if (!attribute.key.empty() && !isExcluded(excludedKeys, attribute.key)) writeValue(list, attribute.key, attribute.value);
  if (kind != 0) markKindInHeader(list);
  for (std::size_t i = 0; i < extraApps.size(); ++i) {
    if (!replaceXdataApp(*this, i, insertData.holder()->list)) ltListRef::append(insertData.holder(), extraApps[i].list());
  }
  return true;
}
