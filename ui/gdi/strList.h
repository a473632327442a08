// A list of texts with an item value beside each, as list controls keep
// them.
#pragma once

#include "platform/win/CString.h"

#include <cstdint>
#include <vector>

class strList {
 public:
  // The most entries a list takes; an index beyond it is refused as bad input.
  static constexpr std::int32_t kMaxEntries = 1 << 20;

  // Stores a copy of `text` (null: empty) at `index`, growing the list with
  // empty entries (item value 0) as needed. The item value of the entry
  // stays. False for a negative index or one at or beyond kMaxEntries.
  bool setAt(std::int32_t index, LPCWSTR text);
  // The text at `index`; empty past the end.
  CString getAt(std::int32_t index) const;
  // The item value at `index`; 0 past the end.
  std::intptr_t getDataAt(std::int32_t index) const;
  // Sets the item value of an existing entry; false past the end.
  bool setDataAt(std::int32_t index, std::intptr_t data);

  std::int32_t count() const { return static_cast<std::int32_t>(m_entries.size()); }
  void removeAll() { m_entries.clear(); }

 private:
  struct entry {
    CString text;
    std::intptr_t data = 0;
  };
  bool inRange(std::int32_t index) const { return index >= 0 && index < count(); }

  std::vector<entry> m_entries;
};
