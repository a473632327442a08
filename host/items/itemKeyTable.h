// The key table of an item (its attributes: key, value, status) read and
// changed by key or by index. Keys compare without regard to case (the
// letters of code page 1250 included). Host thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/items/QevItem.h"

namespace itemArray {

// Sets the value of the entry (a copy; null clears it). By key, a key the
// table lacks is appended with status 0; by index, an index outside the
// table changes nothing and answers false.
bool setText(QevItem& item, std::u16string_view key, const char16_t* text);
bool setText(QevItem& item, std::int32_t index, const char16_t* text);

// The entry's value; null when there is no such entry.
const std::u16string* itemAt(const QevItem& item, std::u16string_view key);
const std::u16string* itemAt(const QevItem& item, std::int32_t index);

// The index of the first entry of the key; -1 when none.
std::int32_t indexOf(const QevItem& item, std::u16string_view key);

}  // namespace itemArray

namespace itemKeyList {

// Removes the entry from the key table and the first pair of its key from
// the "QEV_DATA" block of the item's insert data (made the item's own
// first). An index outside the table, or a key neither holds, changes
// nothing. Answers whether anything was removed.
bool removeKey(QevItem& item, std::u16string_view key);
bool removeKey(QevItem& item, std::int32_t index);

}  // namespace itemKeyList
